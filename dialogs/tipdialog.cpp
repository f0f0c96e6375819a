#include <kelctrls/dialogs/tipdialog.h>

#include "skin/librarytext.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace
{

const wxString TRANSLATED_TIP_PREFIX = "_(\"";

// The face the tips are written for; Pango substitutes an installed one.
wxString GetTipFaceName()
{
    return wxString::FromUTF8("\xe5\xae\x8b\xe4\xbd\x93");
}

bool IsSkippedLine(const wxString& line)
{
    wxString trimmed(line);
    trimmed.Trim(true);
    return trimmed.empty() || trimmed.StartsWith("#");
}

} // anonymous namespace

// ----------------------------------------------------------------------------
// KFileTipProvider
// ----------------------------------------------------------------------------

KFileTipProvider::KFileTipProvider(const wxString& filename, size_t currentTip) : wxTipProvider(currentTip)
{
    // Tip files are UTF-8 (or carry a byte order mark); a missing file just
    // leaves the provider without tips.
    wxLogNull noLog;
    m_textfile.Open(filename, wxConvAuto());
}

wxString KFileTipProvider::GetTip()
{
    const size_t count = m_textfile.IsOpened() ? m_textfile.GetLineCount() : 0;
    if (count == 0)
        return _("Tips not available, sorry!");

    wxString tip;
    for (size_t tried = 0; tried < count; ++tried)
    {
        if (m_currentTip >= count)
            m_currentTip = 0;
        const wxString line = m_textfile.GetLine(m_currentTip++);
        if (!IsSkippedLine(line))
        {
            tip = line;
            break;
        }
    }
    return TranslateTip(tip);
}

wxString KFileTipProvider::TranslateTip(const wxString& tip)
{
    if (!tip.StartsWith(TRANSLATED_TIP_PREFIX))
        return tip;

    const size_t lastQuote = tip.rfind('"');
    if (lastQuote < TRANSLATED_TIP_PREFIX.length())
        return tip;

    wxString text = tip.Mid(TRANSLATED_TIP_PREFIX.length(), lastQuote - TRANSLATED_TIP_PREFIX.length());
    text.Replace("\\\"", "\"");
    return wxGetTranslation(text);
}

// ----------------------------------------------------------------------------
// KTipDialog
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(KTipDialog, wxDialog)
    EVT_BUTTON(KTipDialog::ID_NEXT_TIP, KTipDialog::OnNextTip)
wxEND_EVENT_TABLE()
// clang-format on

KTipDialog::KTipDialog(wxWindow* parent, wxTipProvider* provider, bool showAtStartup)
    : wxDialog(parent, wxID_ANY, _("Tip of the Day"), wxDefaultPosition, FromDIP(wxSize(500, 160), parent),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_tipProvider(provider)
{
    wxButton* closeButton = new wxButton(this, wxID_CLOSE, _("Close"));
    SetAffirmativeId(wxID_CLOSE);

    m_checkbox = new wxCheckBox(this, wxID_ANY, _("&Show tips at startup"));
    m_checkbox->SetValue(showAtStartup);
    wxButton* nextButton = new wxButton(this, ID_NEXT_TIP, _("&Next Tip"));

    m_text = CreateTipCtrl();

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(m_checkbox, 0, wxALIGN_CENTER_VERTICAL);
    buttons->AddStretchSpacer();
    buttons->Add(nextButton, 0, wxLEFT, 10);
    buttons->Add(closeButton, 0, wxLEFT, 10);

    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    top->Add(CreateHeading(), 0, wxALL, 5);
    top->Add(m_text, 1, wxEXPAND | wxLEFT | wxRIGHT, 5);
    top->Add(buttons, 0, wxEXPAND | wxALL, 5);
    SetSizerAndFit(top);
    Centre(wxBOTH);

    SetTipText();
    closeButton->SetDefault();
    closeButton->SetFocus();
}

wxSizer* KTipDialog::CreateHeading()
{
    wxStaticText* heading = new wxStaticText(this, wxID_ANY, _("Did you know..."));
    if (wxSystemSettings::GetScreenType() > wxSYS_SCREEN_PDA)
    {
        const int size = heading->GetFont().GetPointSize() + 4;
        heading->SetFont(wxFont(wxFontInfo(size).FaceName("Tahoma").Bold()));
    }

    wxStaticBitmap* icon =
        new wxStaticBitmap(this, wxID_ANY, wxArtProvider::GetBitmap(wxART_TIP, wxART_CMN_DIALOG));
    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(icon, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(heading, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    return row;
}

wxTextCtrl* KTipDialog::CreateTipCtrl()
{
    wxTextCtrl* text =
        new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, FromDIP(wxSize(400, 160)),
                       wxTE_MULTILINE | wxTE_READONLY | wxTE_NO_VSCROLL | wxTE_RICH2 | wxSUNKEN_BORDER);
    text->SetFont(wxFont(wxFontInfo(12).Family(wxFONTFAMILY_DEFAULT).FaceName(GetTipFaceName())));
    return text;
}

void KTipDialog::SetTipText()
{
    if (m_tipProvider)
        m_text->SetValue(m_tipProvider->GetTip());
}

bool KTipDialog::ShowTipsOnStartup() const
{
    return m_checkbox->GetValue();
}

wxString KTipDialog::GetTipText() const
{
    return m_text->GetValue();
}

void KTipDialog::OnNextTip(wxCommandEvent& WXUNUSED(event))
{
    SetTipText();
}

bool KShowTip(wxWindow* parent, const wxString& tipFile, int currentTip, bool showAtStartup)
{
    KFileTipProvider provider(tipFile, currentTip < 0 ? 0 : static_cast<size_t>(currentTip));
    KTipDialog dialog(parent, &provider, showAtStartup);
    dialog.ShowModal();
    return dialog.ShowTipsOnStartup();
}
