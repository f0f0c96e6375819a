// The catalogue of installed skins. Each skin is described by an ini file
// with the extension ".skin" (section "SKIN"); the selected flag is written
// back into each skin's own file.
#ifndef KELCTRLS_SKIN_SKINMANAGER_H
#define KELCTRLS_SKIN_SKINMANAGER_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/object.h>
#include <wx/string.h>

#include <list>

class wxIniFileEx;

class KELCTRLS_API SkinInfo
{
public:
    SkinInfo() : m_id(0), m_selected(false) {}

    // Reads the skin file; true when it describes a usable skin (an id other
    // than 0, a resource file and a configuration file).
    bool Load(const wxString& path);
    // Writes everything but the menu file back to the file Load read.
    bool Save();

    int GetId() const { return m_id; }
    wxString GetTitle() const { return m_title; }
    wxString GetDescription() const { return m_description; }
    wxString GetBriefBitmap() const { return m_briefBitmap; }
    wxString GetResourse() const { return m_resource; }
    wxString GetSkinConfig() const { return m_config; }
    wxString GetSkinMenuFile() const { return m_menuFile; }
    wxString GetFilePath() const { return m_filePath; }
    bool GetSelected() const { return m_selected; }
    // In memory only; Save or KelSkinManager::SelectSkin writes it.
    void SetSelect(bool selected) { m_selected = selected; }

private:
    wxString m_filePath;
    wxString m_config;
    int m_id;
    wxString m_title;
    wxString m_description;
    wxString m_briefBitmap;
    wxString m_resource;
    bool m_selected;
    wxString m_menuFile;
};

class KELCTRLS_API KelSkinManager
{
public:
    static KelSkinManager* GetInstance();
    virtual ~KelSkinManager();

    // Adds the skins of a folder (relative to the installation folder unless
    // absolute). Loading twice lists the skins twice.
    void Load(const wxString& folder);
    // Reads the stored folder afresh.
    void ReLoad();
    void Release();

    // Appends the ids of all skins, in list order.
    void GetSkinList(wxArrayInt& ids);
    // The first skin with that id, owned by the manager, or null.
    SkinInfo* GetSkinInfo(int id);
    // The first selected skin's id. Without one, the first skin becomes the
    // selected one in memory; -1 for an empty catalogue.
    int GetSelectedSkin();
    // Selects every skin with that id and unselects the others, writing the
    // files whose flag changed. A file that cannot be written keeps its
    // previous content and is reported through the log; returns true.
    bool SelectSkin(int id);

private:
    KelSkinManager() {}
    bool DoLoad();

    std::list<SkinInfo*> m_skins;
    wxString m_folder;

    static KelSkinManager* m_instance;

    wxDECLARE_NO_COPY_CLASS(KelSkinManager);
};

// Walks the key/value pairs of one section of an ini file. The item holds a
// snapshot of the section taken when it was made.
class KELCTRLS_API SectionItem : public wxObject
{
public:
    SectionItem() : m_owner(nullptr), m_current(0) {}
    SectionItem(const wxIniFileEx* owner, const wxString& section);
    virtual ~SectionItem() {}

    bool IsOk() const { return m_owner && m_current < m_keys.size(); }
    wxString GetKey() const;
    wxString GetValue() const;
    // Moves to the next pair and returns a copy of the item; past the last
    // pair the item is no longer valid.
    SectionItem GetNext();

private:
    const wxIniFileEx* m_owner;
    wxArrayString m_keys;
    wxArrayString m_values;
    size_t m_current;
};

#endif
