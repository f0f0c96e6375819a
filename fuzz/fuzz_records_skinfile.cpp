// Skin description files: the catalogue reads, selects and rewrites them.
#include "fuzzsupport.h"
#include "records_fuzzfiles.h"

#include <kelctrls/platform/inifile.h>
#include <kelctrls/skin/skinmanager.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInstallFolder folder;
    folder.Write("skins/fuzz.skin", data, size);

    KelSkinManager* manager = KelSkinManager::GetInstance();
    manager->Load("skins");
    const int selected = manager->GetSelectedSkin();
    if (SkinInfo* skin = manager->GetSkinInfo(selected))
    {
        skin->GetTitle();
        manager->SelectSkin(selected + 1);
        manager->SelectSkin(selected);
    }
    manager->Release();

    wxIniFileEx ini(wxGetCwd() + "/skins/fuzz.skin");
    for (SectionItem item(&ini, "SKIN"); item.IsOk(); item.GetNext())
        item.GetKey();
    return 0;
}
