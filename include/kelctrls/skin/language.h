// The installed user-interface languages ("locale/Language.xml") and the
// display settings the client reads from a file of its choice.
#ifndef KELCTRLS_SKIN_LANGUAGE_H
#define KELCTRLS_SKIN_LANGUAGE_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/string.h>

#include <map>

struct KELCTRLS_API LanguageInfo
{
    int id = 0;
    wxString name;
    wxString path; // the language's folder, relative to the installation
    bool selected = false;
};

class KELCTRLS_API LanguageHandler
{
public:
    static LanguageHandler* GetInstance();
    virtual ~LanguageHandler();

    // Every language id, ascending.
    void GetLanguages(wxArrayInt& ids);
    wxString GetLanguageName(int id);
    // The language's folder, empty for an unknown id.
    wxString GetLanguageLocal(int id);
    // The smallest selected id, -1 when none is selected.
    int GetSelected();
    // Selects a listed language instead of the current one and writes the
    // choice back to the file; an unknown or already selected id changes
    // nothing. A write that fails leaves the file as it was and is reported
    // through the log.
    void SetSelected(int id);
    wxString GetLanguagePathPrefix() const { return "locale"; }

protected:
    LanguageHandler();

    bool LoadLanguage();
    bool SaveLanguage();

private:
    const LanguageInfo* Find(int id) const;

    std::map<int, LanguageInfo*> m_languages;

    static LanguageHandler* m_instance;

    wxDECLARE_NO_COPY_CLASS(LanguageHandler);
};

// Named display strings. Loading adds to what is there: the first value of a
// key wins until Release.
class KELCTRLS_API KelBaseShowSetting
{
public:
    static KelBaseShowSetting* GetInstance();

    void LoadSetting(const wxString& path);
    // The stored value, empty for an unknown key.
    wxString GetShowContent(const wxString& key);
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
