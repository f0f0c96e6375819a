#include <kelctrls/dialogs/changepassdlg.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/skin.h>

#include "dialogs/enddialog.h"
#include "skin/librarytext.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace
{

wxString WithoutTrailingBlanks(wxString text)
{
    text.Trim(true);
    return text;
}

} // anonymous namespace

// clang-format off
wxBEGIN_EVENT_TABLE(ChangePassDlg, wxDialog)
    EVT_BUTTON(ChangePassDlg::ID_CONFIRM, ChangePassDlg::OnBtn)
    EVT_COMMAND(wxID_ANY, cltEVT_VARNEL_CLOSED, ChangePassDlg::OnVarnelClose)
    EVT_CLOSE(ChangePassDlg::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

ChangePassDlg::ChangePassDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Input identifying code"), wxDefaultPosition,
               FromDIP(wxSize(370, 210), parent), wxDEFAULT_DIALOG_STYLE)
{
    Init();
    CreateControles();
}

ChangePassDlg::~ChangePassDlg()
{
    KelJabberEventCenter::GetInstance()->UnRegister(this, -1);
}

void ChangePassDlg::Init()
{
    m_newPwdCtrl = nullptr;
    m_confirmPwdCtrl = nullptr;
    m_allowClose = false;
    KelJabberEventCenter::GetInstance()->Register(this, cltEVT_VARNEL_CLOSED, "ChangePassDlg",
                                                  "cltEVT_VARNEL_CLOSED");
}

void ChangePassDlg::CreateControles()
{
    SkinWindowEngine::Get()->Attach(this, "NoMinMaxCloseBtn_frame", 3);

    const wxColour background = KelSkinResource::GetInstance()->GetColour("color_win_bk");
    if (background.IsOk())
        SetBackgroundColour(background);
    SetSize(FromDIP(wxSize(370, 210)));

    // The layout was drawn for a small font; where the labels come out wider
    // the entries and their hints move right to make room.
    SetFont(wxFont(wxFontInfo(8).FaceName("Tahoma")));
    new wxStaticText(this, wxID_ANY, _("You are first Login, Please Change Password!"),
                     FromDIP(wxPoint(20, 20)));
    const wxString newLabel = _("New Password:");
    const wxString confirmLabel = _("Confirm Password:");
    new wxStaticText(this, wxID_ANY, newLabel, FromDIP(wxPoint(20, 50)));
    new wxStaticText(this, wxID_ANY, confirmLabel, FromDIP(wxPoint(20, 80)));
    const int labelWidth = std::max(GetTextExtent(newLabel).x, GetTextExtent(confirmLabel).x);
    const int entryX = std::max(FromDIP(95), FromDIP(20 + 6) + labelWidth);
    const int hintX = std::max(FromDIP(240), entryX + FromDIP(130 + 10));
    new wxStaticText(this, wxID_ANY, _("(Within 15 chars)"), wxPoint(hintX, FromDIP(50)));
    new wxStaticText(this, wxID_ANY, _("(Within 15 chars)"), wxPoint(hintX, FromDIP(80)));

    const wxSize entrySize = FromDIP(wxSize(130, 19));
    m_newPwdCtrl =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(entryX, FromDIP(48)), entrySize, wxTE_PASSWORD);
    m_confirmPwdCtrl =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxPoint(entryX, FromDIP(78)), entrySize, wxTE_PASSWORD);
    m_newPwdCtrl->SetMaxLength(MAX_PASSWORD_LENGTH);
    m_confirmPwdCtrl->SetMaxLength(MAX_PASSWORD_LENGTH);

    CreateConfirmButton();
}

void ChangePassDlg::CreateConfirmButton()
{
    const wxBitmapBundle bitmap = KelSkinResource::GetInstance()->GetBitmapBundle("searchframe_ok_bitmap");
    if (bitmap.IsOk())
    {
        wxBitmapButton* button = new wxBitmapButton(this, ID_CONFIRM, bitmap, FromDIP(wxPoint(160, 140)),
                                                    bitmap.GetDefaultSize(), wxBORDER_NONE);
        button->SetBitmapPressed(bitmap);
        button->SetBitmapFocus(bitmap);
        button->SetBitmapDisabled(bitmap);
        button->SetBitmapCurrent(bitmap);
        return;
    }

    // Without the skin's picture a text button takes the same place, below
    // the entries and inside the dialog.
    new wxButton(this, ID_CONFIRM, _("Confirm"), FromDIP(wxPoint(148, 140)), FromDIP(wxSize(75, 23)));
}

wxString ChangePassDlg::GetNewPassword()
{
    return WithoutTrailingBlanks(m_newPwdCtrl->GetValue());
}

wxString ChangePassDlg::CheckPasswords(wxString newPassword, wxString confirmPassword)
{
    newPassword.Trim(true);
    confirmPassword.Trim(true);
    if (newPassword != confirmPassword)
        return _("The two enter a different password, please re-enter !");
    if (newPassword.length() < MIN_PASSWORD_LENGTH || newPassword.length() > MAX_PASSWORD_LENGTH)
        return _("Invalid password, please try again");
    return wxEmptyString;
}

void ChangePassDlg::OnBtn(wxCommandEvent& WXUNUSED(event))
{
    const wxString problem = CheckPasswords(m_newPwdCtrl->GetValue(), m_confirmPwdCtrl->GetValue());
    if (!problem.empty())
    {
        wxMessageDialog message(this, problem, _("Info"), wxOK);
        message.ShowModal();
        return;
    }

    m_allowClose = true;
    KelEndDialog(this, wxID_YES);
}

void ChangePassDlg::OnVarnelClose(wxCommandEvent& WXUNUSED(event))
{
    if (!IsModal())
        return;
    m_allowClose = true;
    KelEndDialog(this, wxID_CANCEL);
}

void ChangePassDlg::OnClose(wxCloseEvent& event)
{
    // Only the dialog itself decides when it ends.
    if (event.CanVeto())
        event.Veto();
}
