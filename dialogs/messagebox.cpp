#include <kelctrls/dialogs/messagebox.h>
#include <kelctrls/skin.h>

#include "skin/librarytext.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <vector>

namespace
{

const int MESSAGE_WRAP_WIDTH = 320;

} // anonymous namespace

// clang-format off
wxBEGIN_EVENT_TABLE(KelMessageBoxFrame, wxFrame)
    EVT_BUTTON(KelMessageBoxFrame::ID_BUTTON_OK, KelMessageBoxFrame::OnButton)
    EVT_BUTTON(KelMessageBoxFrame::ID_BUTTON_CANCEL, KelMessageBoxFrame::OnButton)
    EVT_BUTTON(KelMessageBoxFrame::ID_BUTTON_NO, KelMessageBoxFrame::OnButton)
    EVT_BUTTON(KelMessageBoxFrame::ID_BUTTON_CLOSE, KelMessageBoxFrame::OnButton)
    EVT_CLOSE(KelMessageBoxFrame::OnClose)
wxEND_EVENT_TABLE()
// clang-format on

KelMessageBoxFrame::KelMessageBoxFrame(wxWindow* parent, const wxString& message, const wxString& caption,
                                       KelMessageBox_Style style, KelMessageBox_Icon icon)
    : wxFrame(parent, wxID_ANY, caption, wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_DIALOG_STYLE | wxSTAY_ON_TOP),
      m_panel(nullptr), m_style(style), m_icon(icon), m_caption(caption), m_message(message),
      m_result(wxID_NONE), m_disabler(nullptr)
{
    SkinWindowEngine::Get()->Attach(this, "KelMessageBox_Dlg", 2);
    m_panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    m_renderer.BindPanel(m_panel, "KelMessageBox_Panel", 7);
    HideSkinButtons();
    CreateControls();
}

KelMessageBoxFrame::~KelMessageBoxFrame()
{
    EndApplicationModal();
}

void KelMessageBoxFrame::HideSkinButtons()
{
    // The skin's caption buttons are not wanted: the window is answered
    // through its own buttons only.
    for (int id = ID_BUTTON_OK; id <= ID_BUTTON_CLOSE; ++id)
    {
        if (SkinButton* button = m_renderer.GetSkinButton(id))
            button->Show(false);
    }
}

void KelMessageBoxFrame::CreateControls()
{
    const wxColour background = KelSkinResource::GetInstance()->GetColour("color_win_bk");
    if (background.IsOk())
        m_panel->SetBackgroundColour(background);

    // The caption is repeated as a heading: the window's own title bar is
    // the skin engine's to draw and may show nothing.
    wxStaticText* heading = new wxStaticText(m_panel, wxID_ANY, m_caption);
    heading->SetFont(heading->GetFont().Bold().Larger());
    heading->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_user_name"));
    wxStaticText* text = new wxStaticText(m_panel, wxID_ANY, m_message);
    text->Wrap(MESSAGE_WRAP_WIDTH);
    wxBoxSizer* words = new wxBoxSizer(wxVERTICAL);
    words->Add(heading, 0, wxBOTTOM, 6);
    words->Add(text, 0);

    wxBoxSizer* body = new wxBoxSizer(wxHORIZONTAL);
    const wxBitmap iconBitmap = GetIconBitmap();
    if (iconBitmap.IsOk())
        body->Add(new wxStaticBitmap(m_panel, wxID_ANY, iconBitmap), 0, wxALIGN_TOP | wxRIGHT, 14);
    body->Add(words, 1, wxALIGN_CENTER_VERTICAL);

    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    top->Add(body, 1, wxEXPAND | wxALL, 18);
    top->Add(CreateButtons(), 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 12);
    m_panel->SetSizer(top);

    wxBoxSizer* frameSizer = new wxBoxSizer(wxVERTICAL);
    frameSizer->Add(m_panel, 1, wxEXPAND);
    SetSizerAndFit(frameSizer);
    SetMinClientSize(FromDIP(wxSize(260, -1)));
    Fit();
    CentreOnParent();
}

wxSizer* KelMessageBoxFrame::CreateButtons()
{
    struct ButtonInfo
    {
        int id;
        const char* label;
    };
    static const ButtonInfo ok = {ID_BUTTON_OK, wxTRANSLATE("OK")};
    static const ButtonInfo yes = {ID_BUTTON_OK, wxTRANSLATE("Yes")};
    static const ButtonInfo no = {ID_BUTTON_NO, wxTRANSLATE("No")};
    static const ButtonInfo cancel = {ID_BUTTON_CANCEL, wxTRANSLATE("Cancel")};
    static const std::vector<ButtonInfo> okOnly = {ok};
    static const std::vector<ButtonInfo> okCancel = {ok, cancel};
    static const std::vector<ButtonInfo> yesNo = {yes, no};
    static const std::vector<ButtonInfo> yesNoCancel = {yes, no, cancel};

    const std::vector<ButtonInfo>* buttons = &okOnly;
    switch (m_style)
    {
    case KelMessageBox_OK:
        break;
    case KelMessageBox_OKCancel:
        buttons = &okCancel;
        break;
    case KelMessageBox_YesNo:
        buttons = &yesNo;
        break;
    case KelMessageBox_YesNoCancel:
        buttons = &yesNoCancel;
        break;
    }

    wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
    for (const ButtonInfo& info : *buttons)
    {
        wxButton* button =
            new wxButton(m_panel, info.id, _(info.label), wxDefaultPosition, FromDIP(wxSize(80, 28)));
        row->Add(button, 0, wxLEFT, 8);
        if (info.id == ID_BUTTON_OK)
            button->SetDefault();
    }
    return row;
}

wxBitmap KelMessageBoxFrame::GetIconBitmap() const
{
    wxArtID art;
    switch (m_icon)
    {
    case KelMessageBox_IconInformation:
        art = wxART_INFORMATION;
        break;
    case KelMessageBox_IconWarning:
        art = wxART_WARNING;
        break;
    case KelMessageBox_IconError:
        art = wxART_ERROR;
        break;
    case KelMessageBox_IconQuestion:
        art = wxART_QUESTION;
        break;
    case KelMessageBox_IconNone:
        return wxNullBitmap;
    }
    return wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX, wxSize(32, 32));
}

void KelMessageBoxFrame::ShowApplicationModal()
{
    if (!m_disabler)
        m_disabler = new wxWindowDisabler(this);
    Show(true);
    Raise();
}

void KelMessageBoxFrame::EndApplicationModal()
{
    delete m_disabler;
    m_disabler = nullptr;
}

void KelMessageBoxFrame::OnButton(wxCommandEvent& event)
{
    if (event.GetId() == ID_BUTTON_OK)
        m_result = wxID_OK;
    EndApplicationModal();
    Destroy();
}

void KelMessageBoxFrame::OnClose(wxCloseEvent& WXUNUSED(event))
{
    // Closing from the title bar answers nothing, but must not leave the
    // application disabled behind a hidden window.
    EndApplicationModal();
    Destroy();
}

void KelMessageBox(wxWindow* parent, const wxString& message, const wxString& caption,
                   KelMessageBox_Style style, KelMessageBox_Icon icon)
{
    KelMessageBoxFrame* frame = new KelMessageBoxFrame(parent, message, caption, style, icon);
    frame->ShowApplicationModal();
}

void KelMessageBox(const wxString& message, const wxString& caption, KelMessageBox_Style style,
                   KelMessageBox_Icon icon)
{
    KelMessageBox(nullptr, message, caption, style, icon);
}
