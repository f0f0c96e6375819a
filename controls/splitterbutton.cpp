#include <kelctrls/controls/splitterbutton.h>
#include <kelctrls/skin.h>

#include <wx/bmpbuttn.h>

wxDEFINE_EVENT(kelEVT_SPLITTERBTN_CHANGED, kelSplitterButtonEvent);

wxIMPLEMENT_DYNAMIC_CLASS(kelSplitterButtonEvent, wxCommandEvent);

// ----------------------------------------------------------------------------
// KelSplitterButton
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(KelSplitterButton, wxPanel)
    EVT_SIZE(KelSplitterButton::OnSize)
    EVT_BUTTON(KelSplitterButton::ID_ARROW, KelSplitterButton::OnBtnArrow)
wxEND_EVENT_TABLE()
// clang-format on

KelSplitterButton::KelSplitterButton() : m_direction(KEL_SPLITTER_LEFT), m_button(nullptr), m_state(0) {}

KelSplitterButton::KelSplitterButton(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                     long style, const wxString& name)
    : KelSplitterButton()
{
    Create(parent, id, pos, size, style, name);
}

bool KelSplitterButton::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                               const wxString& name)
{
    if (!wxPanel::Create(parent, id, pos, size, style, name))
        return false;
    CreateContrles();
    return true;
}

void KelSplitterButton::SetDirection(SplitterDirection direction)
{
    if (direction == m_direction)
        return;
    m_direction = direction;
    if (m_button)
        SetBtn();
}

void KelSplitterButton::CreateContrles()
{
    KelSkinResource* skin = KelSkinResource::GetInstance();
    m_leftNormal = skin->GetBitmapBundle("splitebtn_leftnormal");
    m_leftHover = skin->GetBitmapBundle("splitebtn_lefthover");
    m_rightNormal = skin->GetBitmapBundle("splitebtn_rightnormal");
    m_rightHover = skin->GetBitmapBundle("splitebtn_righthover");

    const wxSize buttonSize = m_leftNormal.IsOk() ? m_leftNormal.GetDefaultSize() : FromDIP(wxSize(8, 12));
    // Without a border the native button shows only the arrow pictures.
    m_button = new wxBitmapButton(this, ID_ARROW, wxBitmapBundle(), wxDefaultPosition, buttonSize,
                                  wxBU_AUTODRAW | wxBORDER_NONE);
    SetBtn();
    m_state = 1;
}

bool KelSplitterButton::UsesRightPair() const
{
    return (m_direction == KEL_SPLITTER_LEFT && m_state == 2) ||
           (m_direction == KEL_SPLITTER_RIGHT && m_state == 1);
}

void KelSplitterButton::SetBtn()
{
    if (!m_leftNormal.IsOk() || !m_rightNormal.IsOk())
    {
        m_button->SetLabel("<");
        return;
    }

    const bool right = UsesRightPair();
    const wxBitmapBundle& normal = right ? m_rightNormal : m_leftNormal;
    const wxBitmapBundle& hover = right ? m_rightHover : m_leftHover;
    m_button->SetBitmapPressed(normal);
    m_button->SetBitmapFocus(normal);
    m_button->SetBitmapLabel(normal);
    m_button->SetBitmapCurrent(hover);
    m_button->SetBitmapDisabled(normal);
}

void KelSplitterButton::OnSize(wxSizeEvent& event)
{
    if (!m_button)
        return;
    const wxSize buttonSize = m_button->GetSize();
    m_button->Move(0, (event.GetSize().y - buttonSize.y) / 2);
}

void KelSplitterButton::OnBtnArrow(wxCommandEvent& WXUNUSED(event))
{
    m_state = m_state == 1 ? 2 : 1;

    kelSplitterButtonEvent changed(kelEVT_SPLITTERBTN_CHANGED, GetId());
    const bool inverted = m_state == 2;
    m_button->SetLabel(inverted ? ">" : "<");
    changed.SetInverted(inverted);
    SetBtn();
    AddPendingEvent(changed);
}
