/// \file
/// Remembers what the user entered in text fields, combo boxes and check boxes
/// across sessions, in "CONFIG/UiRecord.ini" below the installation folder.
///
/// A window attaches one handler per control when it opens, which restores the
/// stored state at once, and detaches it when it closes, which stores the
/// state. Each control is a group [TYPE/name] of the file.
#ifndef KELCTRLS_UISTATE_UIKEEPER_H
#define KELCTRLS_UISTATE_UIKEEPER_H

#include <kelctrls/base.h>
#include <kelctrls/uistate/records.h>

#include <wx/event.h>

#include <unordered_map>

class wxCheckBox;
class wxComboBox;
class wxFileConfig;
class wxTextCtrl;
class wxWindow;

/// A record stamped with the time it was made ("BUILD_TIME", seconds since
/// 1970).
class KELCTRLS_API wxUIRecord : public wxRecordBase
{
public:
    /// An empty record stamped now.
    wxUIRecord();
    /// Copies the columns and stamps the copy now.
    wxUIRecord(const wxUIRecord& other);
    /// Copies the columns, the stamp of `other` included.
    wxUIRecord& operator=(const wxUIRecord& other);

    /// The stamp, in seconds since 1970; 0 when missing.
    long GetTime() const { return GetLong("BUILD_TIME", 0); }

private:
    void Stamp();
};

/// What the keeper knows of one control: the window, the name of its group in
/// the file, and how to read and write its state. Derive from it for other
/// kinds of control.
class KELCTRLS_API wxUIHandlerBase : public wxEvtHandler
{
public:
    /// A handler of `window` (not owned; it must outlive the handler's use)
    /// stored under `name`.
    wxUIHandlerBase(wxWindow* window, const wxString& name);
    /// Nothing to free.
    virtual ~wxUIHandlerBase();

    /// The control.
    wxWindow* GetWindow() const { return m_window; }
    /// The name of the control's group.
    wxString GetName() const { return m_name; }

    /// Restores the control from the file (defaults when nothing is stored).
    void LoadUI();
    /// Stores the control's state in the file. A save that fails leaves the
    /// file as it was and is reported through the log.
    void SaveUI();

    /// Puts the state stored in `record` into `window`; a value missing from the
    /// record gives the control's default.
    virtual void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) = 0;
    /// Puts the state of `window` into `record`.
    virtual void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) = 0;
    /// The kind of control, the first part of its group name ("TEXTCTRL"...).
    virtual wxString DoGetHandlerType() const = 0;

private:
    static void GetUIRecord(wxUIRecord& record, const wxString& type, const wxString& name);
    static void SaveUIRecord(const wxUIRecord& record, const wxString& type, const wxString& name);
    static wxFileConfig* GetConfig();

    wxWindow* m_window;
    wxString m_name;

    static wxFileConfig* ms_config;
};

/// Keeps the text of a wxTextCtrl ("TEXT_VALUE"; restored without a text event).
class KELCTRLS_API wxTextUIHandler : public wxUIHandlerBase
{
public:
    ///@{

    /// The handler of `text`, stored under `name`, and its wxUIHandlerBase interface.
    wxTextUIHandler(wxTextCtrl* text, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "TEXTCTRL"; }
    ///@}
};

/// Keeps the selection of a wxComboBox ("COMBO_SELECT_INDEX"; an index out of
/// range is not restored).
class KELCTRLS_API wxComboBoxUIHandler : public wxUIHandlerBase
{
public:
    ///@{

    /// The handler of `combo`, stored under `name`, and its wxUIHandlerBase interface.
    wxComboBoxUIHandler(wxComboBox* combo, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "COMBOBOXCTRL"; }
    ///@}
};

/// Keeps the value of a wxCheckBox ("CHECK_SELECT_VALUE").
class KELCTRLS_API wxCheckBoxUIHandler : public wxUIHandlerBase
{
public:
    ///@{

    /// The handler of `check`, stored under `name`, and its wxUIHandlerBase interface.
    wxCheckBoxUIHandler(wxCheckBox* check, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "CHECKBOXCTRL"; }
    ///@}
};

/// The keeper of the attached handlers. The file is read once, on first use
/// (a missing or broken file counts as empty), and written atomically at each
/// store.
class KELCTRLS_API wxUIKeeper : public wxEvtHandler
{
public:
    /// The keeper, created on first use; it lives until the program ends.
    static wxUIKeeper* GetInstance();
    /// Deletes the handlers it owns.
    virtual ~wxUIKeeper();

    /// Restores the control through `handler`. The first handler attached for a
    /// window is the one kept; the keeper owns it while auto-destroy is on (the
    /// default). A later handler for the same window restores the control too but
    /// is not kept: its caller keeps owning it. Null is ignored.
    void Attach(wxUIHandlerBase* handler);
    /// Stores the window's state through its kept handler and forgets it
    /// (deleting it with auto-destroy on); an unknown window is ignored.
    void Detach(wxWindow* window);
    /// Same as Detach(handler->GetWindow()); null is ignored.
    void Detach(wxUIHandlerBase* handler);
    /// The handler kept for `window`; null when there is none.
    wxUIHandlerBase* GetUIHandler(wxWindow* window);
    /// Whether the keeper owns and deletes the handlers it keeps (default true).
    void SetAutoDestoryUIHandler(bool autoDestroy) { m_autoDestroy = autoDestroy; }

private:
    wxUIKeeper();

    std::unordered_map<wxWindow*, wxUIHandlerBase*> m_handlers;
    bool m_autoDestroy;

    wxDECLARE_NO_COPY_CLASS(wxUIKeeper);
};

#endif
