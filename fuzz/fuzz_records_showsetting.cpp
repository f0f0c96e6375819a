// Display settings files.
#include "fuzzsupport.h"
#include "records_fuzzfiles.h"

#include <kelctrls/skin/language.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInstallFolder folder;
    folder.Write("baseinfo.xml", data, size);

    KelBaseShowSetting* settings = KelBaseShowSetting::GetInstance();
    settings->LoadSetting(wxGetCwd() + "/baseinfo.xml");
    settings->GetShowContent("title");
    settings->Release();
    return 0;
}
