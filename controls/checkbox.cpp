#include <kelctrls/controls/checkbox.h>

#include "controls/xrcparams.h"

#include <wx/dcclient.h>
#include <wx/log.h>

namespace
{
// Sunken 3-D boxes with a white face; the checked one carries a black tick.
const char* const kUncheckedXpm[] = {
    "13 12 4 1",     "  c gray25",    ". c #808080",   "X c #D4D0C8",   "o c gray100",   "............o",
    ".          Xo", ". oooooooooXo", ". oooooooooXo", ". oooooooooXo", ". oooooooooXo", ". oooooooooXo",
    ". oooooooooXo", ". oooooooooXo", ". oooooooooXo", ". oooooooooXo", ".XXXXXXXXXXXo",
};

const char* const kCheckedXpm[] = {
    "13 12 5 1",     "  c black",     ". c gray25",    "X c #808080",   "o c #D4D0C8",   "O c gray100",
    "XXXXXXXXXXXXO", "X..........oO", "X.OOOOOOOOOoO", "X.OOOOOOO OoO", "X.OOOOOO  OoO", "X.O OOO   OoO",
    "X.O  O   OOoO", "X.O     OOOoO", "X.OO   OOOOoO", "X.OOO OOOOOoO", "X.OOOOOOOOOoO", "XoooooooooooO",
};

// Room around the label: 2 pixels between box and text, 2 after it; 6 pixels of height.
const int kTextGap = 2;
const int kExtraWidth = 4;
const int kExtraHeight = 6;
} // namespace

wxIMPLEMENT_DYNAMIC_CLASS(KelCheckBox, wxControl);

// clang-format off
wxBEGIN_EVENT_TABLE(KelCheckBox, wxControl)
    EVT_SIZE(KelCheckBox::OnSize)
    EVT_PAINT(KelCheckBox::OnPaint)
    EVT_ERASE_BACKGROUND(KelCheckBox::OnEraseBackground)
    EVT_MOUSE_EVENTS(KelCheckBox::OnMouseEvents)
    EVT_SET_FOCUS(KelCheckBox::OnFocusChange)
    EVT_KILL_FOCUS(KelCheckBox::OnFocusChange)
wxEND_EVENT_TABLE()
// clang-format on

wxBitmap KelCheckBox::GetBoxBitmap(bool checked)
{
    static const wxBitmap unchecked(kUncheckedXpm);
    static const wxBitmap tick(kCheckedXpm);
    return checked ? tick : unchecked;
}

bool KelCheckBox::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                         const wxSize& size, long style, const wxString& name)
{
    m_value = false;
    style |= wxTRANSPARENT_WINDOW | wxNO_BORDER;
    if (!wxControl::Create(parent, id, pos, size, style, wxDefaultValidator, name))
        return false;

    m_boxBitmap = GetBoxBitmap(false);
    SetLabel(label);
    SetInitialSize(size);
    return true;
}

void KelCheckBox::SetValue(bool value)
{
    m_value = value;
    m_boxBitmap = GetBoxBitmap(value);

    wxCommandEvent event(wxEVT_CHECKBOX, GetId());
    event.SetEventObject(this);
    GetEventHandler()->ProcessEvent(event);

    Refresh(true);
}

void KelCheckBox::SetLabel(const wxString& label)
{
    wxControlBase::SetLabel(label);
    Refresh(true);
}

wxSize KelCheckBox::DoGetBestSize() const
{
    const wxSize box = m_boxBitmap.IsOk() ? m_boxBitmap.GetSize() : wxSize(13, 12);
    const int textWidth = GetTextExtent(GetLabel()).x;
    return wxSize(box.x + textWidth + kExtraWidth, wxMax(box.y, GetCharHeight() + kExtraHeight));
}

void KelCheckBox::Draw(wxDC& dc)
{
    if (!m_boxBitmap.IsOk())
        return;

    const wxSize box = m_boxBitmap.GetSize();
    const int charHeight = dc.GetCharHeight();
    int base = box.y;
    if (m_autoSize)
    {
        base = wxMax(box.y, charHeight + kExtraHeight);
        const wxSize wanted(box.x + dc.GetTextExtent(GetLabel()).x + kExtraWidth, base);
        if (GetSize() != wanted)
            SetSize(wanted);
    }

    const int y = (base - charHeight) / 2;
    dc.DrawBitmap(m_boxBitmap, 0, y, true);
    dc.SetFont(GetFont());
    dc.DrawText(GetLabel(), box.x + kTextGap, y - 1);
}

void KelCheckBox::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(this);
    Draw(dc);
    event.Skip();
}

// The paint handler draws the whole control; not erasing keeps the parent's skin visible.
void KelCheckBox::OnEraseBackground(wxEraseEvent&) {}

void KelCheckBox::OnSize(wxSizeEvent&)
{
    Refresh(true);
}

void KelCheckBox::OnMouseEvents(wxMouseEvent& event)
{
    if (event.GetEventType() == wxEVT_LEFT_DOWN)
        SetValue(!IsChecked());
    event.Skip();
}

void KelCheckBox::OnFocusChange(wxFocusEvent& event)
{
    Refresh(true);
    event.Skip();
}

// ----------------------------------------------------------------------------
// KelCheckBoxXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelCheckBoxXmlHandler, wxXmlResourceHandler);

KelCheckBoxXmlHandler::KelCheckBoxXmlHandler()
{
    AddWindowStyles();
}

bool KelCheckBoxXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("KelCheckBox"));
}

wxObject* KelCheckBoxXmlHandler::DoCreateResource()
{
    wxLogNull noLog;
    XRC_MAKE_INSTANCE(checkBox, KelCheckBox)

    const wxSize size = GetSize();
    checkBox->Create(m_parentAsWindow, GetID(), GetText(wxS("label")), GetPosition(), size,
                     GetStyle(wxS("style"), wxNO_BORDER | wxTRANSPARENT_WINDOW | 0x1), GetName());
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(checkBox);
    if (size == wxDefaultSize)
        checkBox->SetAutoSize(true);
    checkBox->SetToolTip(GetText(wxS("tooltip")));
    const wxFont font = GetFont(wxS("font"));
    if (font.IsOk())
        checkBox->SetFont(font);
    checkBox->SetValue(GetBool(wxS("checked")));
    return checkBox;
}
