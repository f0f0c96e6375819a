#include <kelctrls/dialogs/selectionframe.h>

#include <wx/dc.h>

#include <algorithm>
#include <cstdlib>

KelSelectionFrame::KelSelectionFrame(int tolerance, int handleSize)
    : m_tolerance(tolerance), m_handleSize(handleSize)
{
}

void KelSelectionFrame::SetCorners(const wxPoint& start, const wxPoint& end)
{
    m_start = start;
    m_end = end;
}

void KelSelectionFrame::SetRect(const wxRect& rect)
{
    m_start = rect.GetTopLeft();
    m_end = rect.GetBottomRight();
}

frame_border KelSelectionFrame::HitTest(const wxPoint& pt) const
{
    const wxRect rect = GetRect();
    const auto near = [this](int a, int b) { return std::abs(a - b) <= m_tolerance; };
    const bool nearLeft = near(pt.x, rect.GetLeft());
    const bool nearRight = near(pt.x, rect.GetRight());
    const bool nearTop = near(pt.y, rect.GetTop());
    const bool nearBottom = near(pt.y, rect.GetBottom());
    const bool betweenTopAndBottom = pt.y > rect.GetTop() && pt.y < rect.GetBottom();
    const bool betweenLeftAndRight = pt.x > rect.GetLeft() && pt.x < rect.GetRight();

    if (nearLeft && nearTop)
        return border_top_left;
    if (nearLeft && nearBottom)
        return border_bottom_left;
    if (nearRight && nearTop)
        return border_top_right;
    if (nearRight && nearBottom)
        return border_bottom_right;
    if (nearLeft && betweenTopAndBottom)
        return border_left;
    if (nearRight && betweenTopAndBottom)
        return border_right;
    if (nearTop && betweenLeftAndRight)
        return border_top;
    if (nearBottom && betweenLeftAndRight)
        return border_bottom;
    return rect.Contains(pt) ? border_inside : border_none;
}

void KelSelectionFrame::MoveEdges(frame_border part, const wxPoint& pt)
{
    switch (part)
    {
    case border_top_left:
        m_start = pt;
        break;
    case border_top_right:
        m_start.y = pt.y;
        m_end.x = pt.x;
        break;
    case border_bottom_left:
        m_start.x = pt.x;
        m_end.y = pt.y;
        break;
    case border_bottom_right:
        m_end = pt;
        break;
    case border_top:
        m_start.y = pt.y;
        break;
    case border_left:
        m_start.x = pt.x;
        break;
    case border_right:
        m_end.x = pt.x;
        break;
    case border_bottom:
        m_end.y = pt.y;
        break;
    case border_inside:
    case border_none:
        break;
    }
}

void KelSelectionFrame::MoveTo(const wxPoint& topLeft, const wxRect& bounds)
{
    const wxSize size = GetRect().GetSize();
    const int x = std::max(bounds.x, std::min(topLeft.x, bounds.GetRight() + 1 - size.x));
    const int y = std::max(bounds.y, std::min(topLeft.y, bounds.GetBottom() + 1 - size.y));
    SetRect(wxRect(wxPoint(x, y), size));
}

wxPoint KelSelectionFrame::GetAnchor(frame_border part) const
{
    const wxRect r = GetRect();
    const int midX = r.x + r.width / 2;
    const int midY = r.y + r.height / 2;
    switch (part)
    {
    case border_top_left:
        return r.GetBottomRight();
    case border_top_right:
        return r.GetBottomLeft();
    case border_bottom_left:
        return r.GetTopRight();
    case border_bottom_right:
        return r.GetTopLeft();
    case border_top:
        return wxPoint(midX, r.GetBottom());
    case border_left:
        return wxPoint(r.GetRight(), midY);
    case border_right:
        return wxPoint(r.x, midY);
    case border_bottom:
        return wxPoint(midX, r.y);
    case border_inside:
    case border_none:
        break;
    }
    return wxPoint(midX, midY);
}

std::array<wxRect, 8> KelSelectionFrame::GetHandles() const
{
    const wxRect r = GetRect();
    const int midX = r.x + r.width / 2;
    const int midY = r.y + r.height / 2;
    const wxPoint centres[] = {r.GetTopLeft(),
                               r.GetTopRight(),
                               r.GetBottomRight(),
                               r.GetBottomLeft(),
                               wxPoint(midX, r.y),
                               wxPoint(r.GetRight(), midY),
                               wxPoint(midX, r.GetBottom()),
                               wxPoint(r.x, midY)};
    std::array<wxRect, 8> handles;
    for (size_t i = 0; i < handles.size(); ++i)
        handles[i] = wxRect(centres[i].x - m_handleSize / 2, centres[i].y - m_handleSize / 2, m_handleSize,
                            m_handleSize);
    return handles;
}

void KelSelectionFrame::DrawEdges(wxDC& dc) const
{
    const wxRect r = GetRect();
    dc.DrawLine(r.GetTopLeft(), r.GetTopRight());
    dc.DrawLine(r.GetTopRight(), r.GetBottomRight());
    dc.DrawLine(r.GetBottomRight(), r.GetBottomLeft());
    dc.DrawLine(r.GetBottomLeft(), r.GetTopLeft());
}

void KelSelectionFrame::DrawHandles(wxDC& dc) const
{
    for (const wxRect& handle : GetHandles())
        dc.DrawRectangle(handle);
}

wxStockCursor KelSelectionFrame::GetCursor(frame_border part)
{
    switch (part)
    {
    case border_top:
    case border_bottom:
        return wxCURSOR_SIZENS;
    case border_left:
    case border_right:
        return wxCURSOR_SIZEWE;
    case border_top_left:
    case border_bottom_right:
        return wxCURSOR_SIZENWSE;
    case border_top_right:
    case border_bottom_left:
        return wxCURSOR_SIZENESW;
    case border_inside:
        return wxCURSOR_SIZING;
    case border_none:
        break;
    }
    return wxCURSOR_NONE;
}
