// The language list: read at start, rewritten when the selection changes.
#include "fuzzsupport.h"
#include "records_fuzzfiles.h"

#include <kelctrls/skin/language.h>

namespace
{

class FreshLanguages : public LanguageHandler
{
};

} // anonymous namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInstallFolder folder;
    folder.Write("locale/Language.xml", data, size);

    FreshLanguages languages;
    wxArrayInt ids;
    languages.GetLanguages(ids);
    for (int id : ids)
    {
        languages.GetLanguageName(id);
        languages.GetLanguageLocal(id);
    }
    if (!ids.empty())
        languages.SetSelected(ids.back());
    return 0;
}
