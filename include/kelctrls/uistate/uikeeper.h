// Remembers what the user entered in text fields, combo boxes and check boxes
// across sessions, in "CONFIG/UiRecord.ini" below the installation folder.
//
// A window attaches one handler per control when it opens, which restores the
// stored state at once, and detaches it when it closes, which stores the
// state. Each control is a group [TYPE/name] of the file.
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

// A record stamped with the time it was made ("BUILD_TIME", seconds since
// 1970).
class KELCTRLS_API wxUIRecord : public wxRecordBase
{
public:
    wxUIRecord();
    wxUIRecord(const wxUIRecord& other);
    wxUIRecord& operator=(const wxUIRecord& other);

    long GetTime() const { return GetLong("BUILD_TIME", 0); }

private:
    void Stamp();
};

class KELCTRLS_API wxUIHandlerBase : public wxEvtHandler
{
public:
    wxUIHandlerBase(wxWindow* window, const wxString& name);
    virtual ~wxUIHandlerBase();

    wxWindow* GetWindow() const { return m_window; }
    wxString GetName() const { return m_name; }

    // Restores the control from the file (defaults when nothing is stored).
    void LoadUI();
    // Stores the control's state in the file. A save that fails leaves the
    // file as it was and is reported through the log.
    void SaveUI();

    virtual void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) = 0;
    virtual void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) = 0;
    virtual wxString DoGetHandlerType() const = 0;

private:
    static void GetUIRecord(wxUIRecord& record, const wxString& type, const wxString& name);
    static void SaveUIRecord(const wxUIRecord& record, const wxString& type, const wxString& name);
    static wxFileConfig* GetConfig();

    wxWindow* m_window;
    wxString m_name;

    static wxFileConfig* ms_config;
};

class KELCTRLS_API wxTextUIHandler : public wxUIHandlerBase
{
public:
    wxTextUIHandler(wxTextCtrl* text, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "TEXTCTRL"; }
};

class KELCTRLS_API wxComboBoxUIHandler : public wxUIHandlerBase
{
public:
    wxComboBoxUIHandler(wxComboBox* combo, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "COMBOBOXCTRL"; }
};

class KELCTRLS_API wxCheckBoxUIHandler : public wxUIHandlerBase
{
public:
    wxCheckBoxUIHandler(wxCheckBox* check, const wxString& name);

    void DoLoadUI(const wxUIRecord& record, wxWindow* window, const wxString& name) override;
    void DoSaveUI(wxUIRecord& record, wxWindow* window, const wxString& name) override;
    wxString DoGetHandlerType() const override { return "CHECKBOXCTRL"; }
};

class KELCTRLS_API wxUIKeeper : public wxEvtHandler
{
public:
    static wxUIKeeper* GetInstance();
    virtual ~wxUIKeeper();

    // Restores the control through handler. The first handler attached for
    // a window is the one kept; the keeper owns it while auto-destroy is on.
    void Attach(wxUIHandlerBase* handler);
    // Stores the window's state through its kept handler and forgets it.
    void Detach(wxWindow* window);
    void Detach(wxUIHandlerBase* handler);
    wxUIHandlerBase* GetUIHandler(wxWindow* window);
    void SetAutoDestoryUIHandler(bool autoDestroy) { m_autoDestroy = autoDestroy; }

private:
    wxUIKeeper();

    std::unordered_map<wxWindow*, wxUIHandlerBase*> m_handlers;
    bool m_autoDestroy;

    wxDECLARE_NO_COPY_CLASS(wxUIKeeper);
};

#endif
