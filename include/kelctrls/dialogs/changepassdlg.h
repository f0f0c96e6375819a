// The dialog that makes a user who logs in for the first time choose a new
// password. It cannot be closed by the user; it ends with wxID_YES once a
// new password was accepted, or wxID_CANCEL when the application closes.
#ifndef KELCTRLS_DIALOGS_CHANGEPASSDLG_H
#define KELCTRLS_DIALOGS_CHANGEPASSDLG_H

#include <kelctrls/base.h>
#include <kelctrls/platform/skinengine.h>

#include <wx/dialog.h>

class WXDLLIMPEXP_FWD_CORE wxTextCtrl;

class KELCTRLS_API ChangePassDlg : public wxDialog
{
public:
    enum
    {
        ID_CONFIRM = 1001
    };
    enum
    {
        MIN_PASSWORD_LENGTH = 3,
        MAX_PASSWORD_LENGTH = 15
    };

    explicit ChangePassDlg(wxWindow* parent);
    virtual ~ChangePassDlg();

    // The new password without trailing white space.
    wxString GetNewPassword();
    wxString GetOldPassword() { return wxEmptyString; }

    wxTextCtrl* GetNewPasswordCtrl() const { return m_newPwdCtrl; }
    wxTextCtrl* GetConfirmPasswordCtrl() const { return m_confirmPwdCtrl; }
    bool IsCloseAllowed() const { return m_allowClose; }

    // The message explaining why the two entries are refused, or an empty
    // string when they are acceptable.
    static wxString CheckPasswords(wxString newPassword, wxString confirmPassword);

private:
    void Init();
    void CreateControles();
    void CreateConfirmButton();
    void OnBtn(wxCommandEvent& event);
    void OnVarnelClose(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    BitmapPanelRenderer m_renderer;
    wxTextCtrl* m_newPwdCtrl;
    wxTextCtrl* m_confirmPwdCtrl;
    bool m_allowClose;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(ChangePassDlg);
};

#endif // KELCTRLS_DIALOGS_CHANGEPASSDLG_H
