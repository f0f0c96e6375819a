/// \file
/// A progress dialog shown without a modal loop of its own, which remembers
/// whether the user cancelled or closed it.
#ifndef KELCTRLS_DIALOGS_PROGRESSDIALOG_H
#define KELCTRLS_DIALOGS_PROGRESSDIALOG_H

#include <kelctrls/base.h>

#include <wx/progdlg.h>

/// A wxProgressDialog the client updates from its own loop (Update,
/// Pulse), which remembers whether the user cancelled or closed it.
class KELCTRLS_API KelProgressDialog : public wxProgressDialog
{
public:
    /// Creates the dialog titled `title` with `message`, counting from 0 to
    /// `maximum`; `style` takes the wxPD_* styles.
    KelProgressDialog(const wxString& title, const wxString& message, int maximum = 100,
                      wxWindow* parent = nullptr, int style = wxPD_APP_MODAL | wxPD_AUTO_HIDE);

    /// Shows the dialog and returns 1 at once.
    int ShowModal() override;

    /// True once the user pressed Cancel or closed the dialog. The dialog then
    /// destroys itself at the next idle time, so read this before returning
    /// to the event loop.
    bool IsFailure() const { return m_failure; }

private:
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    bool m_failure;

    wxDECLARE_CLASS(KelProgressDialog);
    wxDECLARE_NO_COPY_CLASS(KelProgressDialog);
    wxDECLARE_EVENT_TABLE();
};

#endif // KELCTRLS_DIALOGS_PROGRESSDIALOG_H
