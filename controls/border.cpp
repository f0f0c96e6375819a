#include <kelctrls/controls/border.h>

#include "controls/pixelline.h"
#include "controls/xrcparams.h"

#include <wx/dcclient.h>
#include <wx/log.h>

wxIMPLEMENT_DYNAMIC_CLASS(KelBorder, wxPanel);

// clang-format off
wxBEGIN_EVENT_TABLE(KelBorder, wxPanel)
    EVT_SIZE(KelBorder::OnSize)
    EVT_PAINT(KelBorder::OnPaint)
    EVT_ERASE_BACKGROUND(KelBorder::OnEraseBackground)
wxEND_EVENT_TABLE()
// clang-format on

bool KelBorder::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    m_borderStyle = style;
    return wxPanel::Create(parent, id, pos, size, wxNO_BORDER | wxTRANSPARENT_WINDOW | wxTAB_TRAVERSAL);
}

wxRect KelBorder::GetContentRect(const wxSize& size, long sides)
{
    wxRect rect(wxPoint(0, 0), size);
    if (sides & wxBORDER_LEFT)
    {
        rect.x = 1;
        rect.width -= 1;
    }
    if (sides & wxBORDER_TOP)
    {
        rect.y = 1;
        rect.height -= 1;
    }
    if (sides & wxBORDER_RIGHT)
        rect.width -= 1;
    if (sides & wxBORDER_BOTTOM)
        rect.height -= 1;
    // A border not laid out yet has no room inside.
    rect.width = wxMax(rect.width, 0);
    rect.height = wxMax(rect.height, 0);
    return rect;
}

void KelBorder::SetWindow(wxWindow* window)
{
    m_window = window;
    if (!m_window)
        return;
    if (m_window->GetParent() != this)
        m_window->Reparent(this);
    // Inset on all four sides whatever the framed sides are; the next size event fits the
    // child to the sides that carry a line.
    const wxSize size = GetSize();
    m_window->SetSize(1, 1, wxMax(size.x - 2, 0), wxMax(size.y - 2, 0), wxSIZE_AUTO);
    InvalidateBestSize();
}

void KelBorder::SetBorderColour(const wxColour& colour, bool dotted)
{
    m_borderColour = colour;
    m_dotted = dotted;
}

void KelBorder::SetBorderStyle(long sides)
{
    m_borderStyle = sides;
    InvalidateBestSize();
    Refresh(true);
}

wxSize KelBorder::DoGetBestSize() const
{
    if (!m_window)
        return wxPanel::DoGetBestSize();
    // What the lines take of any size that has room inside.
    const wxSize probe(100, 100);
    const wxSize lines = probe - GetContentRect(probe, m_borderStyle).GetSize();
    return m_window->GetBestSize() + lines;
}

void KelBorder::OnSize(wxSizeEvent&)
{
    if (m_window)
        m_window->SetSize(GetContentRect(GetSize(), m_borderStyle), wxSIZE_AUTO);
}

void KelBorder::DrawVirtualLine(const wxPoint& from, const wxPoint& to, wxDC* dc)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    if (dy == 0 && dx != 0)
    {
        const int step = dx > 0 ? 1 : -1;
        for (int i = 0; i < std::abs(dx); i += 2)
            kel::FillPixel(*dc, from.x + step * i, from.y);
    }
    else if (dx == 0 && dy != 0)
    {
        const int step = dy > 0 ? 1 : -1;
        for (int i = 0; i < std::abs(dy); i += 2)
            kel::FillPixel(*dc, from.x, from.y + step * i);
    }
    else if (dx != 0 && dy > 0)
    {
        for (int i = 0; i < dy; i += 2)
            kel::FillPixel(*dc, from.x + (i * dx) / dy, from.y + i);
    }
}

void KelBorder::DrawBorder(wxDC* dc)
{
    if (!dc || !m_borderColour.IsOk())
        return;

    dc->SetPen(wxPen(m_borderColour, 1));
    dc->SetTextForeground(m_borderColour);

    const wxSize size = GetSize();
    const wxPoint topLeft(0, 0);
    const wxPoint bottomLeft(0, size.y - 1);
    const wxPoint bottomRight(size.x - 1, size.y - 1);
    const wxPoint topRight(size.x - 1, 0);
    const struct
    {
        long side;
        wxPoint from, to;
    } lines[] = {
        {wxBORDER_LEFT, topLeft, bottomLeft},
        {wxBORDER_BOTTOM, bottomLeft, bottomRight},
        {wxBORDER_RIGHT, bottomRight, topRight},
        {wxBORDER_TOP, topRight, topLeft},
    };
    for (const auto& line : lines)
    {
        if (!(m_borderStyle & line.side))
            continue;
        if (m_dotted)
            DrawVirtualLine(line.from, line.to, dc);
        else
            kel::FillPixelLine(*dc, line.from, line.to);
    }
}

void KelBorder::OnPaint(wxPaintEvent& event)
{
    wxPaintDC dc(this);
    DrawBorder(&dc);
    event.Skip();
}

// The paint handler draws the lines; not erasing keeps the parent's skin visible.
void KelBorder::OnEraseBackground(wxEraseEvent&) {}

// ----------------------------------------------------------------------------
// KelBorderXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelBorderXmlHandler, wxXmlResourceHandler);

KelBorderXmlHandler::KelBorderXmlHandler() : m_isInside(false)
{
    XRC_ADD_STYLE(wxBORDER_LEFT);
    XRC_ADD_STYLE(wxBORDER_RIGHT);
    XRC_ADD_STYLE(wxBORDER_TOP);
    XRC_ADD_STYLE(wxBORDER_BOTTOM);
    AddStyle(wxS("wxBORDER_DEFAULT"), wxBORDER_ALLSIDES);
    AddWindowStyles();
}

bool KelBorderXmlHandler::CanHandle(wxXmlNode* node)
{
    return m_isInside ? IsOfClass(node, wxS("KelBorderContent")) : IsOfClass(node, wxS("KelBorder"));
}

wxObject* KelBorderXmlHandler::DoCreateResource()
{
    return m_class == wxS("KelBorderContent") ? CreateContent() : CreateBorder();
}

wxObject* KelBorderXmlHandler::CreateContent()
{
    wxXmlNode* objectNode = GetParamNode(wxS("object"));
    if (!objectNode)
        objectNode = GetParamNode(wxS("object_ref"));
    if (!objectNode)
    {
        wxLogError(wxS("Error in resource: no control within notebook's <page> tag."));
        return nullptr;
    }

    KelBorder* border = dynamic_cast<KelBorder*>(m_parent);
    // Borders may frame borders: the framed control is built outside this border's scope.
    m_isInside = false;
    wxObject* item = CreateResFromNode(objectNode, m_parent, nullptr);
    m_isInside = true;

    wxWindow* window = dynamic_cast<wxWindow*>(item);
    if (!window || !border)
    {
        wxLogError(wxS("Error in resource."));
        return nullptr;
    }
    border->SetWindow(window);
    return window;
}

wxObject* KelBorderXmlHandler::CreateBorder()
{
    XRC_MAKE_INSTANCE(border, KelBorder)

    border->Create(m_parentAsWindow, GetID(), GetPosition(), GetSize(), GetStyle(wxS("style"), 0));
    border->SetBorderColour(GetColour(wxS("bordercolour"), wxNullColour), false);
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(border);

    const bool wasInside = m_isInside;
    wxWindow* const oldParent = m_parentAsWindow;
    m_isInside = true;
    m_parentAsWindow = border;
    CreateChildren(border, true);
    m_isInside = wasInside;
    m_parentAsWindow = oldParent;
    return border;
}
