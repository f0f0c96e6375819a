/// \file
/// The installed user-interface languages ("locale/Language.xml") and the
/// display settings the client reads from a file of its choice.
#ifndef KELCTRLS_SKIN_LANGUAGE_H
#define KELCTRLS_SKIN_LANGUAGE_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/string.h>

#include <map>

/// One installed language.
struct KELCTRLS_API LanguageInfo
{
    /// The language's id, unique in the file.
    int id = 0;
    /// Its name, shown to the user.
    wxString name;
    wxString path; ///< The language's folder, relative to the installation folder.
    /// Whether it is the selected language.
    bool selected = false;
};

/// The installed languages, read from "locale/Language.xml" below the
/// installation folder. A missing or broken file gives no language; a
/// selection is written back atomically.
class KELCTRLS_API LanguageHandler
{
public:
    /// The handler, created (reading the file) on first use; it lives until the
    /// program ends.
    static LanguageHandler* GetInstance();
    /// Deletes the entries.
    virtual ~LanguageHandler();

    /// Appends every language id, ascending, to `ids`.
    void GetLanguages(wxArrayInt& ids);
    /// The name of language `id`; "" for an unknown id.
    wxString GetLanguageName(int id);
    /// The language's folder, empty for an unknown id.
    wxString GetLanguageLocal(int id);
    /// The smallest selected id, -1 when none is selected.
    int GetSelected();
    /// Selects a listed language instead of the current one and writes the
    /// choice back to the file; an unknown or already selected id changes
    /// nothing. A write that fails leaves the file as it was and is reported
    /// through the log.
    void SetSelected(int id);
    /// The folder of the languages, "locale".
    wxString GetLanguagePathPrefix() const { return "locale"; }

protected:
    /// Reads the file; only GetInstance (or a derived class) makes handlers.
    LanguageHandler();

    /// Reads "locale/Language.xml"; false when it is missing or broken.
    bool LoadLanguage();
    /// Writes the languages back atomically; false when the file cannot be written.
    bool SaveLanguage();

private:
    const LanguageInfo* Find(int id) const;

    std::map<int, LanguageInfo*> m_languages;

    static LanguageHandler* m_instance;

    wxDECLARE_NO_COPY_CLASS(LanguageHandler);
};

/// Named display strings. Loading adds to what is there: the first value of a
/// key wins until Release.
class KELCTRLS_API KelBaseShowSetting
{
public:
    /// The settings, created empty on first use; they live until the program ends.
    static KelBaseShowSetting* GetInstance();

    /// Adds the settings of `path`: a UTF-8 XML file with the root "baseinfo"
    /// and one child element per key, its value in the attribute "value". A
    /// missing or broken file adds nothing.
    void LoadSetting(const wxString& path);
    /// The stored value, empty for an unknown key.
    wxString GetShowContent(const wxString& key);
    /// Forgets every setting.
    void Release() { m_settings.clear(); }

private:
    KelBaseShowSetting() {}
    ~KelBaseShowSetting() {}

    void DoLoadSetting(const wxString& path);

    std::map<wxString, wxString> m_settings;

    static KelBaseShowSetting* m_instance;

    wxDECLARE_NO_COPY_CLASS(KelBaseShowSetting);
};

#endif
