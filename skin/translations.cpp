#include <kelctrls/skin/language.h>
#include <kelctrls/skin/translations.h>

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/translation.h>

#include <dlfcn.h>

namespace
{

// The folder of the library's own file.
wxString LibraryFolder()
{
    Dl_info info;
    if (!dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) || !info.dli_fname)
        return wxString();
    return wxFileName(wxString::FromUTF8(info.dli_fname)).GetPath();
}

void AddInstalledCatalogFolder()
{
    static bool added = false;
    if (added)
        return;
    added = true;
    const wxString folder = LibraryFolder();
    if (!folder.empty())
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(folder + "/" + KELCTRLS_LOCALE_DIR_FROM_LIB);
}

bool IsEnglish(int language)
{
    return language == wxLANGUAGE_UNKNOWN || language == wxLANGUAGE_DEFAULT ||
           wxLocale::GetLanguageCanonicalName(language).StartsWith("en");
}

} // namespace

void KelTranslations::AddCatalogFolder(const wxString& folder)
{
    AddInstalledCatalogFolder();
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(folder);
}

int KelTranslations::LanguageOfFolder(const wxString& folder)
{
    const wxString name = wxFileName(folder).GetFullName();
    const wxLanguageInfo* info = name.empty() ? nullptr : wxLocale::FindLanguageInfo(name);
    return info ? info->Language : wxLANGUAGE_UNKNOWN;
}

bool KelTranslations::UseLanguage(int language, const wxArrayString& domains)
{
    AddInstalledCatalogFolder();
    const bool english = IsEnglish(language);
    wxTranslations* translations = new wxTranslations;
    translations->SetLanguage(english ? wxLANGUAGE_ENGLISH_US : static_cast<wxLanguage>(language));
    translations->AddStdCatalog();
    const bool found = translations->AddCatalog(TEXT_DOMAIN) || english;
    for (const wxString& domain : domains)
        translations->AddCatalog(domain);
    wxTranslations::Set(translations);
    return found;
}

bool KelTranslations::UseSelectedLanguage(const wxArrayString& domains)
{
    LanguageHandler* languages = LanguageHandler::GetInstance();
    const int selected = languages ? languages->GetSelected() : -1;
    const wxString folder = selected > 0 ? languages->GetLanguageLocal(selected) : wxString();
    return UseLanguage(LanguageOfFolder(folder), domains);
}
