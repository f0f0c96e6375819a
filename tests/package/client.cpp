#include <kelctrls/kelctrls.h>

#include <cstdio>

int main()
{
    // Without a loaded skin every lookup gives its fallback.
    const wxColour colour = KelSkinResource::GetInstance()->GetColour("color_win_bk");
    std::printf("%s\n", static_cast<const char*>(colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_str()));
    return colour == wxColour(0, 0, 0) ? 0 : 1;
}
