/// \file
/// The user's configuration of the main window's tabs and of the shortcut bar:
/// "config/tabattr.xml" and "config/shortcut.xml" below the installation folder.
#ifndef KELCTRLS_CONTROLS_TABCONFIG_H
#define KELCTRLS_CONTROLS_TABCONFIG_H

#include <kelctrls/base.h>

#include <wx/list.h>
#include <wx/object.h>
#include <wx/string.h>
#include <wx/xml/xml.h>

class wxWindow;

/// One tab of the main window.
class KELCTRLS_API tabattr : public wxObject
{
public:
    /// An empty tab at index 0.
    tabattr() : m_index(0), m_sysTab(false) {}
    /// A tab named `key` at position `index` with tooltip `tip`; `sysTab` marks
    /// the client's own tabs (as opposed to tabs the user added).
    tabattr(const wxString& key, int index, wxString tip, bool sysTab)
        : m_index(index), m_key(key), m_tip(tip), m_sysTab(sysTab)
    {
    }
    ///@{

    /// Copying.
    tabattr(const tabattr& other) = default;
    tabattr& operator=(const tabattr& other) = default;
    ///@}
    /// Nothing to free.
    virtual ~tabattr() {}

    /// Position among the tabs (0 first).
    int m_index;
    /// The tab's name.
    wxString m_key;
    /// Its tooltip.
    wxString m_tip;
    /// Whether the tab is one of the client's own.
    bool m_sysTab;
};

/// One shortcut of the shortcut bar.
class KELCTRLS_API shortcutattr : public wxObject
{
public:
    /// An empty shortcut at index 0.
    shortcutattr() : m_index(0) {}
    /// The shortcut named `key` at position `index`.
    shortcutattr(const wxString& key, int index) : m_key(key), m_index(index) {}
    ///@{

    /// Copying.
    shortcutattr(const shortcutattr& other) = default;
    shortcutattr& operator=(const shortcutattr& other) = default;
    ///@}
    /// Nothing to free.
    virtual ~shortcutattr() {}

    /// The shortcut's name.
    wxString m_key;
    /// Position on the bar (0 first).
    int m_index;
};

/// Both lists as they were in their files at first use, each sorted by index
/// (entries of equal index keep their file order). Keys are matched without
/// regard to case. A list whose file is missing or broken is empty, and saving
/// it writes nothing.
class KELCTRLS_API KelTabManager
{
public:
    /// The manager, created (reading both files below the current installation
    /// folder) on first use; it lives until the program ends.
    static KelTabManager* GetInstance();

    /// The first tab of that key, owned by the manager, or null.
    tabattr* GetTabAttr(const wxString& key);
    /// Appends the manager's tabattr pointers, in order, to out.
    void GetAllTabs(wxList& out);
    /// Writes the tabattr entries of list to "config/tabattr.xml". An empty
    /// list rewrites the file with the entries it already has. The manager's
    /// own list is not changed. A write that fails leaves the file as it was
    /// and is reported through the log (as for SaveShortCutAttr).
    void SaveTabAttr(wxList list);

    /// The index of the first shortcut of that key, or -1.
    int GetShortCutAttr(const wxString& key);
    /// Appends the manager's shortcutattr pointers (owned by the manager), in
    /// order, to `out`.
    void GetAllShortCutAttr(wxList& out);
    /// Writes the shortcutattr entries of `list` to "config/shortcut.xml", as
    /// SaveTabAttr does for tabs.
    void SaveShortCutAttr(wxList list);

    /// Remembers the window that shows the tabs (not owned).
    void RegisterWin(wxWindow* window) { m_window = window; }
    /// Does nothing; kept for the client's code.
    void UnRegisterWin(wxWindow* WXUNUSED(window)) {}

protected:
    /// Reads both files; only GetInstance (or a derived class) makes managers.
    KelTabManager();
    /// Deletes the entries.
    ~KelTabManager();

    /// Reads "config/tabattr.xml" into the tab list.
    void InitList();
    /// Reads "config/shortcut.xml" into the shortcut list.
    void InitShortCutList();

private:
    wxXmlDocument m_tabDoc;
    wxXmlDocument m_shortcutDoc;
    wxList m_tabs;
    wxList m_shortcuts;
    wxWindow* m_window;

    static KelTabManager* m_instance;

    wxDECLARE_NO_COPY_CLASS(KelTabManager);
};

#endif
