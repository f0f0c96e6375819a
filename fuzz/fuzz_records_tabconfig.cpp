// The tab and shortcut files. The first byte picks which file the rest is.
#include "fuzzsupport.h"
#include "records_fuzzfiles.h"

#include <kelctrls/controls/tabconfig.h>

namespace
{

class FreshTabManager : public KelTabManager
{
public:
    FreshTabManager() {}
    ~FreshTabManager() {}
};

} // anonymous namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    KelFuzzInstallFolder folder;
    const bool tabs = data[0] & 1;
    folder.Remove("config/tabattr.xml");
    folder.Remove("config/shortcut.xml");
    folder.Write(tabs ? "config/tabattr.xml" : "config/shortcut.xml", data + 1, size - 1);

    FreshTabManager manager;
    wxList tabList, shortcutList;
    manager.GetAllTabs(tabList);
    manager.GetAllShortCutAttr(shortcutList);
    manager.GetTabAttr("chat");
    manager.GetShortCutAttr("mail");
    manager.SaveTabAttr(tabList);
    manager.SaveShortCutAttr(shortcutList);
    return 0;
}
