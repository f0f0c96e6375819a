#include <kelctrls/dialogs/progressdialog.h>

wxIMPLEMENT_CLASS(KelProgressDialog, wxProgressDialog);

// clang-format off
wxBEGIN_EVENT_TABLE(KelProgressDialog, wxProgressDialog)
    EVT_BUTTON(wxID_CANCEL, KelProgressDialog::OnCancel)
    EVT_CLOSE(KelProgressDialog::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

KelProgressDialog::KelProgressDialog(const wxString& title, const wxString& message, int maximum,
                                     wxWindow* parent, int style)
    : wxProgressDialog(title, message, maximum, parent, style), m_failure(false)
{
}

int KelProgressDialog::ShowModal()
{
    Show(true);
    return 1;
}

void KelProgressDialog::OnCancel(wxCommandEvent& event)
{
    // Let the base dialog do its cancel handling after this handler.
    event.Skip();
    Destroy();
    m_failure = true;
}

void KelProgressDialog::OnClose(wxCloseEvent& WXUNUSED(event))
{
    Destroy();
    m_failure = true;
}
