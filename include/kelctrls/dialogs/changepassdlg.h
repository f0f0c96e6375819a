/// \file
/// The dialog that makes a user who logs in for the first time choose a new
/// password. It cannot be closed by the user; it ends with wxID_YES once a
/// new password was accepted, or wxID_CANCEL when the application closes.
#ifndef KELCTRLS_DIALOGS_CHANGEPASSDLG_H
#define KELCTRLS_DIALOGS_CHANGEPASSDLG_H

#include <kelctrls/base.h>
#include <kelctrls/platform/skinengine.h>

#include <wx/dialog.h>

class WXDLLIMPEXP_FWD_CORE wxTextCtrl;

/// The first-login password dialog: two password fields and a confirm
/// button. Confirming checks the entries (CheckPasswords) and shows the
/// refusal in a message box, or ends the dialog with wxID_YES.
class KELCTRLS_API ChangePassDlg : public wxDialog
{
public:
    /// Id of the confirm button.
    enum
    {
        ID_CONFIRM = 1001
    };
    /// Accepted password lengths, in characters, trailing white space not counted.
    enum
    {
        MIN_PASSWORD_LENGTH = 3,
        MAX_PASSWORD_LENGTH = 15
    };

    /// Creates the dialog (show it with ShowModal) and registers it for
    /// cltEVT_VARNEL_CLOSED with the event centre, so that it ends when the
    /// application closes.
    explicit ChangePassDlg(wxWindow* parent);
    /// Unregisters from the event centre.
    virtual ~ChangePassDlg();

    /// The new password without trailing white space.
    wxString GetNewPassword();
    /// Always ""; a first login has no old password to ask for.
    wxString GetOldPassword() { return wxEmptyString; }

    /// The new password field, a child window.
    wxTextCtrl* GetNewPasswordCtrl() const { return m_newPwdCtrl; }
    /// The confirmation field, a child window.
    wxTextCtrl* GetConfirmPasswordCtrl() const { return m_confirmPwdCtrl; }
    /// Whether the dialog may close now: a password was accepted or the
    /// application is closing.
    bool IsCloseAllowed() const { return m_allowClose; }

    /// The message explaining why the two entries are refused (they differ, or
    /// the password is shorter than MIN_PASSWORD_LENGTH or longer than
    /// MAX_PASSWORD_LENGTH characters), or "" when they are acceptable. Trailing
    /// white space is ignored.
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
