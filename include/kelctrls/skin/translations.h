// The catalogues of the library's own texts and the switch between the
// languages a client offers.
#ifndef KELCTRLS_SKIN_TRANSLATIONS_H
#define KELCTRLS_SKIN_TRANSLATIONS_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/string.h>

/// The library's user-visible texts are English; each is looked up in the
/// text domain "kelctrls" only, whose compiled catalogues are installed as
/// `<prefix>/share/locale/<language>/LC_MESSAGES/kelctrls.mo` and found there
/// from the library's own folder, wherever the package was moved. A client's
/// own catalogue therefore never changes a text of the library.
class KELCTRLS_API KelTranslations
{
public:
    /// The text domain of the library's own texts, "kelctrls".
    static constexpr const char* TEXT_DOMAIN = "kelctrls";

    /// Adds a folder laid out like `<prefix>/share/locale` to the folders that
    /// are searched for catalogues (the build folder of an uninstalled
    /// program, for one). The installed folder is always searched.
    static void AddCatalogFolder(const wxString& folder);

    /// The toolkit's language (a wxLanguage) that a language folder of
    /// LanguageHandler is named after: "locale/zh_CN" gives Simplified
    /// Chinese. wxLANGUAGE_UNKNOWN when the folder's name is no language.
    static int LanguageOfFolder(const wxString& folder);

    /// Replaces the toolkit's translations (wxTranslations::Get) with ones for
    /// `language`, holding the toolkit's own catalogue, the library's and one
    /// catalogue for each of `domains` (the client's). Windows created
    /// afterwards show the language; windows already open keep their texts
    /// until the client relabels them. False when the library has no
    /// catalogue for the language (English needs none): its texts then stay
    /// English.
    static bool UseLanguage(int language, const wxArrayString& domains = wxArrayString());

    /// UseLanguage with the language selected in LanguageHandler; English when
    /// none is selected or its folder names no language.
    static bool UseSelectedLanguage(const wxArrayString& domains = wxArrayString());
};

#endif
