#include <kelctrls/kelctrls.h>

#include <wx/init.h>
#include <wx/translation.h>

#include <cstdio>

int main()
{
    wxInitializer toolkit;
    // Without a loaded skin every lookup gives its fallback.
    const wxColour colour = KelSkinResource::GetInstance()->GetColour("color_win_bk");
    std::printf("%s\n", static_cast<const char*>(colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_str()));

    // The installed catalogue is found beside the library, in whichever
    // prefix the package lies.
    const bool chinese = KelTranslations::UseLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED) &&
                         wxGetTranslation("Cancel", KelTranslations::TEXT_DOMAIN) != "Cancel";
    std::printf("Chinese catalogue %s\n", chinese ? "found" : "missing");
    return colour == wxColour(0, 0, 0) && chinese ? 0 : 1;
}
