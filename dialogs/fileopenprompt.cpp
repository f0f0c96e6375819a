#include <kelctrls/dialogs/fileopenprompt.h>

#include "skin/librarytext.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

// clang-format off
wxBEGIN_EVENT_TABLE(KFileOpenPrompt, wxDialog)
    EVT_BUTTON(wxID_OK, KFileOpenPrompt::OnOK)
    EVT_BUTTON(wxID_CLOSE, KFileOpenPrompt::OnCancel)
    EVT_CLOSE(KFileOpenPrompt::OnCloseWindow)
wxEND_EVENT_TABLE()
// clang-format on

KFileOpenPrompt::KFileOpenPrompt(wxWindow* parent, const wxString& filename, const wxString& title,
                                 const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, wxID_ANY, title, pos, size, style), m_filename(filename), m_result(Choice_None)
{
    SetClientSize(FromDIP(wxSize(380, 250)));
    CreateControls();
    SetEscapeId(wxID_CLOSE);
    Centre();
}

void KFileOpenPrompt::CreateControls()
{
    new wxStaticBitmap(this, ID_ICON, GetParentIcon(), FromDIP(wxPoint(15, 15)), FromDIP(wxSize(32, 32)));
    m_openingLabel = new wxStaticText(this, ID_OPENING_LABEL, _("Opening:"), FromDIP(wxPoint(60, 15)));
    m_fileNameLabel = new wxStaticText(this, ID_FILE_NAME, m_filename, FromDIP(wxPoint(60, 35)),
                                       FromDIP(wxSize(305, -1)), wxST_ELLIPSIZE_MIDDLE);
    m_line = new wxStaticLine(this, ID_LINE, FromDIP(wxPoint(15, 62)), FromDIP(wxSize(350, -1)));
    m_warning = new wxStaticText(this, ID_WARNING,
                                 _("warning:Web page,executable file or other attachments\n"
                                   " may contain harmful virus or script,please ensure the "
                                   "file is reliable"),
                                 FromDIP(wxPoint(15, 72)), FromDIP(wxSize(350, 44)));
    m_warning->SetForegroundColour(wxColour(200, 40, 30));
    m_question =
        new wxStaticText(this, ID_QUESTION, _("How to deal with this file?"), FromDIP(wxPoint(15, 126)));
    m_saveButton = new wxRadioButton(this, ID_SAVE, _("save to disk"), FromDIP(wxPoint(30, 150)),
                                     wxDefaultSize, wxRB_GROUP);
    m_openButton = new wxRadioButton(this, ID_OPEN, _("open"), FromDIP(wxPoint(30, 176)));
    m_saveButton->SetValue(true);

    m_cancelButton =
        new wxButton(this, wxID_CLOSE, _("Cancel"), FromDIP(wxPoint(285, 212)), FromDIP(wxSize(80, 28)));
    m_okButton = new wxButton(this, wxID_OK, _("OK"), FromDIP(wxPoint(195, 212)), FromDIP(wxSize(80, 28)));
    m_okButton->SetDefault();
}

wxBitmap KFileOpenPrompt::GetParentIcon() const
{
    const wxTopLevelWindow* top =
        GetParent() ? dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(GetParent())) : nullptr;
    if (top && top->GetIcon().IsOk())
    {
        wxBitmap bitmap;
        bitmap.CopyFromIcon(top->GetIcon());
        return bitmap;
    }
    return wxArtProvider::GetBitmap(wxART_QUESTION, wxART_MESSAGE_BOX, FromDIP(wxSize(32, 32)));
}

void KFileOpenPrompt::OnOK(wxCommandEvent& WXUNUSED(event))
{
    if (m_openButton->GetValue())
        m_result = Choice_Open;
    else if (m_saveButton->GetValue())
        m_result = Choice_Save;
    else
        m_result = Choice_None;
    EndModal(wxID_OK);
}

void KFileOpenPrompt::OnCancel(wxCommandEvent& WXUNUSED(event))
{
    m_result = Choice_None;
    EndModal(wxID_CLOSE);
}

void KFileOpenPrompt::OnCloseWindow(wxCloseEvent& WXUNUSED(event))
{
    m_result = Choice_None;
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        Destroy();
}

int KShowFileDialogTip(wxWindow* parent, const wxString& filename)
{
    KFileOpenPrompt prompt(parent, filename, _("open file"), wxDefaultPosition, wxDefaultSize,
                           wxDEFAULT_DIALOG_STYLE | wxMINIMIZE_BOX | wxDIALOG_NO_PARENT);
    if (prompt.ShowModal() != wxID_OK)
        return KFileOpenPrompt::Choice_None;
    return prompt.GetResult();
}
