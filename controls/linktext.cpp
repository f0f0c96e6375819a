#include <kelctrls/controls/linktext.h>

#include "controls/pixelline.h"
#include "controls/xrcparams.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace
{
const int kImageTop = 2;
const int kExtraHeight = 4;
} // namespace

// ----------------------------------------------------------------------------
// wxLinkText
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(wxLinkText, wxControl);

// clang-format off
wxBEGIN_EVENT_TABLE(wxLinkText, wxControl)
    EVT_MOUSE_EVENTS(wxLinkText::OnMouseEvent)
    EVT_SIZE(wxLinkText::OnSize)
    EVT_PAINT(wxLinkText::OnPaint)
    EVT_ERASE_BACKGROUND(wxLinkText::OnEraseBackground)
wxEND_EVENT_TABLE()
// clang-format on

wxLinkText::wxLinkText()
    : m_imageTop(kImageTop), m_drawBorder(false), m_bitmapStyle(wxBITMAP_LEFT), m_pressed(false),
      m_underline(false), m_buttonRightOffset(0)
{
}

wxLinkText::wxLinkText(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                       const wxSize& size, long style, const wxString& name)
    : wxLinkText()
{
    Create(parent, id, label, pos, size, style, name);
}

bool wxLinkText::Create(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                        const wxSize& size, long style, const wxString& name)
{
    m_drawBorder = false;
    m_underline = false;
    m_normalColour = *wxBLACK;
    m_overColour = *wxGREEN;
    m_pressedColour = *wxBLUE;
    m_disableColour = m_normalColour;
    m_curColour = m_normalColour;
    m_imageTop = kImageTop;
    m_borderColour = *wxBLACK;
    m_bitmapStyle = wxBITMAP_LEFT;
    m_pressed = false;

    if (!wxControl::Create(parent, id, pos, size, style | wxNO_BORDER, wxDefaultValidator, name))
        return false;
    SetLabel(label, true);
    const wxSize initial = size == wxDefaultSize ? GetDefaultSize() : size;
    SetSize(wxRect(pos, initial), 0);
    SetCursor(wxCursor(wxCURSOR_HAND));
    return true;
}

wxFont wxLinkText::GetLinkFont() const
{
    return wxFont(9, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL, m_underline);
}

void wxLinkText::SetNormalColour(const wxColour& colour)
{
    m_normalColour = colour;
    m_curColour = colour;
}

void wxLinkText::SetBitmap(const wxBitmap& bitmap)
{
    m_bitmap = bitmap;
    ReDraw();
}

void wxLinkText::SetBkBitmap(const wxBitmap& bitmap)
{
    m_bkBitmap = bitmap;
    ReDraw();
}

void wxLinkText::SetBitmapButton(int WXUNUSED(id), const wxBitmap& bitmap, int rightOffset)
{
    m_buttonBitmap = bitmap;
    m_buttonRightOffset = rightOffset;
}

void wxLinkText::RemoveBitmapButton(int WXUNUSED(id))
{
    m_buttonBitmap = wxNullBitmap;
}

void wxLinkText::DrawBorder(bool draw, const wxColour& colour)
{
    m_drawBorder = draw;
    m_borderColour = colour;
    ReDraw();
}

wxSize wxLinkText::GetDefaultSize()
{
    const int charWidth = GetCharWidth();
    int width = 4;
    for (const wxUniChar ch : GetLabel())
        width += ch.GetValue() <= 0xFF ? charWidth + 1 : 2 * charWidth + 2;
    return wxSize(width, GetCharHeight() + 8);
}

void wxLinkText::SetLabel(const wxString& label, bool resize)
{
    wxControl::SetLabel(label);
    if (resize)
    {
        wxMemoryDC dc;
        dc.SetFont(GetLinkFont());
        int textWidth, lineHeight;
        dc.GetTextExtent(label, &textWidth, &lineHeight);

        int available;
        if (wxWindow* parent = GetParent())
            available = parent->GetClientSize().x - 1 - GetPosition().x;
        else
            available = GetClientSize().x - 1;

        int height = lineHeight;
        if (available > 0)
        {
            while (textWidth > available)
            {
                textWidth -= available;
                height += lineHeight;
            }
        }
        wxControl::SetSize(wxDefaultCoord, wxDefaultCoord, textWidth, height + kExtraHeight,
                           wxSIZE_USE_EXISTING);
    }
    ReDraw();
}

void wxLinkText::SetSize(const wxRect& rect, int flags)
{
    if (flags == wxSIZE_AUTO)
    {
        Move(rect.GetPosition());
        SetSize(rect.width, rect.height);
    }
    else
    {
        wxControl::SetSize(rect, flags);
    }
}

void wxLinkText::SetSize(int width, int height)
{
    if (width != 0 && height == 0)
    {
        wxMemoryDC dc;
        dc.SetFont(GetLinkFont());
        int textWidth, lineHeight;
        dc.GetTextExtent(GetLabel(), &textWidth, &lineHeight);

        int heightCap = -1;
        if (wxWindow* parent = GetParent())
        {
            const wxRect area(-GetPosition(), parent->GetClientSize());
            if (width >= area.GetRight())
                width = area.GetRight() - 1;
            heightCap = area.GetBottom() - 1;
        }

        const int available = width - 1 - (HasImage() ? ImageWidth : 0);
        if (available > 2)
        {
            int total = lineHeight;
            while (textWidth > available)
            {
                textWidth -= available;
                total += lineHeight;
            }
            height = total + kExtraHeight;
            if (heightCap >= 0 && height > heightCap)
                height = heightCap;
        }
    }
    wxControl::SetSize(wxDefaultCoord, wxDefaultCoord, width, height, wxSIZE_USE_EXISTING);
}

void wxLinkText::Draw(wxDC* dc)
{
    if (!dc)
        return;

    const wxSize size = GetSize();
    // Bitmaps take their size in window units: one drawn for a display scale
    // holds more pixels in the same space.
    const int tileWidth = m_bkBitmap.IsOk() ? wxRound(m_bkBitmap.GetLogicalWidth()) : 0;
    for (int x = 0; tileWidth > 0 && x < size.x; x += tileWidth)
        dc->DrawBitmap(m_bkBitmap, x, 0, true);

    int x = 0;
    if (m_bitmap.IsOk())
    {
        dc->DrawBitmap(m_bitmap, 0, m_imageTop, true);
        x = ImageWidth;
    }

    dc->SetFont(GetLinkFont());
    dc->SetPen(wxPen(m_curColour, 1));
    const wxColour& textColour = IsEnabled() ? m_curColour : m_disableColour;
    if (textColour.IsOk())
        dc->SetTextForeground(textColour);

    if (!m_bitmap.IsOk() && m_icon.IsOk())
    {
        dc->DrawIcon(m_icon, x, m_imageTop);
        x += ImageWidth;
    }

    if (HasFlag(wxALIGN_CENTER_HORIZONTAL) || HasFlag(wxALIGN_CENTER_VERTICAL))
    {
        wxRect client = GetClientRect();
        client.width -= x;
        const wxSize text = dc->GetTextExtent(GetLabel());
        dc->DrawText(GetLabel(), (client.width - text.x) / 2, (client.height - text.y) / 2);
    }
    else
    {
        DrawWrappedLabel(dc, x);
    }

    if (m_buttonBitmap.IsOk())
        dc->DrawBitmap(m_buttonBitmap, size.x - m_buttonRightOffset, m_imageTop, true);
    if (m_bitmap.IsOk() && (m_bitmapStyle & wxBITMAP_RIGHT))
        dc->DrawBitmap(m_bitmap, size.x - wxRound(m_bitmap.GetLogicalWidth()), m_imageTop, true);
    if (m_drawBorder)
        DrawBorder(dc);
}

void wxLinkText::DrawWrappedLabel(wxDC* dc, int x)
{
    const int width = GetSize().x;
    const int lineStart = HasImage() ? ImageWidth : 0;
    int y = m_imageTop;
    for (const wxUniChar ch : GetLabel())
    {
        const wxString text(ch);
        const wxSize extent = dc->GetTextExtent(text);
        if (x + extent.x > width)
        {
            x = lineStart;
            y += extent.y;
        }
        dc->DrawText(text, x, y);
        x += extent.x;
    }
}

void wxLinkText::DrawBorder(wxDC* dc)
{
    const wxSize size = GetSize();
    dc->SetPen(wxPen(m_borderColour, 1));
    dc->SetTextForeground(m_borderColour);
    const wxPoint topLeft(0, 0), bottomLeft(0, size.y - 1);
    const wxPoint bottomRight(size.x - 1, size.y - 1), topRight(size.x - 1, 0);
    kel::FillPixelLine(*dc, topLeft, bottomLeft);
    kel::FillPixelLine(*dc, bottomLeft, bottomRight);
    kel::FillPixelLine(*dc, bottomRight, topRight);
    kel::FillPixelLine(*dc, topRight, topLeft);
}

void wxLinkText::SetState(const wxColour& colour)
{
    m_imageTop = kImageTop;
    m_curColour = colour;
    ReDraw();
}

void wxLinkText::DrawMouseOver()
{
    SetState(m_overColour);
}

void wxLinkText::DrawMouseNormal()
{
    SetState(m_normalColour);
}

void wxLinkText::DrawMousePress()
{
    SetState(m_pressedColour);
}

void wxLinkText::SendToParent(wxEventType type)
{
    wxWindow* parent = GetParent();
    if (!parent)
        return;
    wxCommandEvent event(type, GetId());
    event.SetEventObject(this);
    parent->ProcessWindowEvent(event);
}

void wxLinkText::OnMouseEvent(wxMouseEvent& event)
{
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_ENTER_WINDOW)
    {
        if (m_pressed && event.LeftIsDown())
        {
            DrawMousePress();
        }
        else
        {
            m_pressed = false;
            DrawMouseOver();
        }
    }
    else if (type == wxEVT_LEAVE_WINDOW)
    {
        if (!event.LeftIsDown())
            m_pressed = false;
        DrawMouseNormal();
    }
    else if (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK)
    {
        m_pressed = true;
        DrawMousePress();
        if (type == wxEVT_LEFT_DCLICK)
            SendToParent(wxEVT_COMMAND_LEFT_DCLICK);
    }
    else if (type == wxEVT_LEFT_UP)
    {
        DrawMouseOver();
        // The toolkit keeps sending the pointer to the window it was pressed in, so a
        // release outside the link arrives here as well: that one is no click.
        if (m_pressed && GetClientRect().Contains(event.GetPosition()))
            SendToParent(wxEVT_BUTTON);
        m_pressed = false;
    }
    event.Skip();
}

void wxLinkText::OnSize(wxSizeEvent&)
{
    ReDraw();
}

void wxLinkText::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(this);
    Draw(&dc);
    event.Skip();
}

// The paint handler draws the whole link; not erasing keeps the parent's skin visible.
void wxLinkText::OnEraseBackground(wxEraseEvent&) {}

// ----------------------------------------------------------------------------
// wxTextLinkCtrl
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(wxTextLinkCtrl, wxTextCtrl);

bool wxTextLinkCtrl::Create(wxWindow* parent, wxWindowID id, const wxString& value, const wxPoint& pos,
                            const wxSize& size, long style, const wxValidator& validator,
                            const wxString& name)
{
    return wxTextCtrl::Create(parent, id, value, pos, size, style | wxTE_MULTILINE | wxTE_READONLY, validator,
                              name);
}

// ----------------------------------------------------------------------------
// Resource handlers
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(wxLinkTextXmlHandler, wxXmlResourceHandler);

wxLinkTextXmlHandler::wxLinkTextXmlHandler()
{
    XRC_ADD_STYLE(wxBITMAP_LEFT);
    XRC_ADD_STYLE(wxBITMAP_RIGHT);
    AddWindowStyles();
}

bool wxLinkTextXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("wxLinkText"));
}

wxObject* wxLinkTextXmlHandler::DoCreateResource()
{
    XRC_MAKE_INSTANCE(link, wxLinkText)

    link->Create(m_parentAsWindow, GetID(), GetText(wxS("label")), GetPosition(), GetSize(),
                 GetStyle(wxS("style"), 0), GetName());
    link->SetMouseOverColour(GetColour(wxS("overcolour"), *wxBLACK));
    // The pictures as drawn for the link's display scale.
    link->SetBitmap(GetBitmapBundle(wxS("bitmap"), wxART_OTHER).GetBitmapFor(link));
    link->SetBkBitmap(GetBitmapBundle(wxS("bkbitmap"), wxART_OTHER).GetBitmapFor(link));
    link->SetBitmapStyle(GetStyle(wxS("bitmapstyle"), wxBITMAP_LEFT));
    link->DrawBorder(HasParam(wxS("bordercolour")), GetColour(wxS("bordercolour"), *wxBLACK));
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(link);
    return link;
}

wxIMPLEMENT_DYNAMIC_CLASS(wxTextLinkCtrlXmlHandler, wxXmlResourceHandler);

wxTextLinkCtrlXmlHandler::wxTextLinkCtrlXmlHandler()
{
    XRC_ADD_STYLE(wxTE_READONLY);
    XRC_ADD_STYLE(wxTE_MULTILINE);
    XRC_ADD_STYLE(wxTE_LEFT);
    XRC_ADD_STYLE(wxTE_CENTRE);
    XRC_ADD_STYLE(wxTE_RIGHT);
    XRC_ADD_STYLE(wxHSCROLL);
    XRC_ADD_STYLE(wxTE_NOHIDESEL);
    AddWindowStyles();
}

bool wxTextLinkCtrlXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("wxTextLinkCtrl"));
}

wxObject* wxTextLinkCtrlXmlHandler::DoCreateResource()
{
    XRC_MAKE_INSTANCE(text, wxTextLinkCtrl)

    text->Create(m_parentAsWindow, GetID(), GetText(wxS("label")), GetPosition(), GetSize(),
                 GetStyle(wxS("style"), 0), wxDefaultValidator, GetName());
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(text);
    return text;
}
