// Loads arbitrary bytes as a skin resource file and looks every kind of
// resource up.
#include "fuzzsupport.h"

#include <kelctrls/skin.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    KelSkinResource* skin = KelSkinResource::GetInstance();
    if (skin->LoadResource(KelFuzzWriteInput(data, size, "skin.xml")))
    {
        for (const char* key : {"", "color_win_bk", "a", "b", "ico_taskbar_online", "defboyimage"})
        {
            skin->GetColour(key);
            skin->GetFont(key);
            skin->GetBitmap(key);
            skin->GetIcon(key);
        }
    }
    return 0;
}
