/// \file
/// The catalogue of installed skins. Each skin is described by an ini file
/// with the extension ".skin" (section "SKIN"); the selected flag is written
/// back into each skin's own file.
#ifndef KELCTRLS_SKIN_SKINMANAGER_H
#define KELCTRLS_SKIN_SKINMANAGER_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/dynarray.h>
#include <wx/object.h>
#include <wx/string.h>

#include <list>

class wxIniFileEx;

/// One installed skin, as its ".skin" file describes it.
class KELCTRLS_API SkinInfo
{
public:
    /// An empty description (id 0).
    SkinInfo() : m_id(0), m_selected(false) {}

    /// Reads the skin file; true when it describes a usable skin (an id other
    /// than 0, a resource file and a configuration file).
    bool Load(const wxString& path);
    /// Writes everything but the menu file back to the file Load read
    /// (atomically); false when nothing was loaded or the file cannot be written.
    bool Save();

    /// The skin's id, unique in the catalogue; 0 for none.
    int GetId() const { return m_id; }
    /// The title shown to the user.
    wxString GetTitle() const { return m_title; }
    /// The description shown to the user.
    wxString GetDescription() const { return m_description; }
    /// The path of the preview picture.
    wxString GetBriefBitmap() const { return m_briefBitmap; }
    /// The path of the resource file (see KelSkinResource::LoadResource).
    wxString GetResourse() const { return m_resource; }
    /// The path of the configuration file of the window skin engine.
    wxString GetSkinConfig() const { return m_config; }
    /// The path of the menu file.
    wxString GetSkinMenuFile() const { return m_menuFile; }
    /// The ".skin" file this description was read from.
    wxString GetFilePath() const { return m_filePath; }
    /// Whether the skin is the selected one.
    bool GetSelected() const { return m_selected; }
    /// Marks the skin selected or not, in memory only; Save or
    /// KelSkinManager::SelectSkin writes it.
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

/// The catalogue of installed skins, in the order their files were listed.
class KELCTRLS_API KelSkinManager
{
public:
    /// The catalogue, created empty on first use; it lives until the program ends.
    static KelSkinManager* GetInstance();
    /// Deletes the descriptions.
    virtual ~KelSkinManager();

    /// Adds the skins of the ".skin" files of `folder` (relative to the
    /// installation folder unless absolute); files that do not describe a usable
    /// skin are skipped. Loading twice lists the skins twice.
    void Load(const wxString& folder);
    /// Empties the catalogue and reads the last folder afresh.
    void ReLoad();
    /// Empties the catalogue.
    void Release();

    /// Appends the ids of all skins, in list order.
    void GetSkinList(wxArrayInt& ids);
    /// The first skin with that id, owned by the manager, or null.
    SkinInfo* GetSkinInfo(int id);
    /// The first selected skin's id. Without one, the first skin becomes the
    /// selected one in memory; -1 for an empty catalogue.
    int GetSelectedSkin();
    /// Selects every skin with that id and unselects the others, writing the
    /// files whose flag changed. A file that cannot be written keeps its
    /// previous content and is reported through the log; returns true.
    bool SelectSkin(int id);

private:
    KelSkinManager() {}
    bool DoLoad();

    std::list<SkinInfo*> m_skins;
    wxString m_folder;

    static KelSkinManager* m_instance;

    wxDECLARE_NO_COPY_CLASS(KelSkinManager);
};

/// Walks the key/value pairs of one section of an ini file. The item holds a
/// snapshot of the section taken when it was made.
class KELCTRLS_API SectionItem : public wxObject
{
public:
    /// An invalid item.
    SectionItem() : m_owner(nullptr), m_current(0) {}
    /// The first pair of `section` of `owner` (not owned; used only while the item
    /// is made); invalid when the section is empty or missing.
    SectionItem(const wxIniFileEx* owner, const wxString& section);
    /// Nothing to free.
    virtual ~SectionItem() {}

    /// Whether the item stands on a pair.
    bool IsOk() const { return m_owner && m_current < m_keys.size(); }
    /// The key of the current pair; "" when invalid.
    wxString GetKey() const;
    /// The value of the current pair; "" when invalid.
    wxString GetValue() const;
    /// Moves to the next pair and returns a copy of the item; past the last
    /// pair the item is no longer valid.
    SectionItem GetNext();

private:
    const wxIniFileEx* m_owner;
    wxArrayString m_keys;
    wxArrayString m_values;
    size_t m_current;
};

#endif
