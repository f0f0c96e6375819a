// The selection frame with eight handles that the screen capture and the head
// image panel draw, hit-test, move and resize.
#ifndef KELCTRLS_DIALOGS_SELECTIONFRAME_H
#define KELCTRLS_DIALOGS_SELECTIONFRAME_H

#include <kelctrls/base.h>

#include <wx/cursor.h>
#include <wx/gdicmn.h>

#include <array>

class WXDLLIMPEXP_FWD_CORE wxDC;

// The part of the selection under the pointer.
enum frame_border
{
    border_none = 0,
    border_top = 1,
    border_top_left = 2,
    border_top_right = 3,
    border_left = 4,
    border_right = 5,
    border_bottom = 6,
    border_bottom_left = 7,
    border_bottom_right = 8,
    border_inside = 9
};

// A rectangle given by two corner pixels, both part of it: the frame's edges
// are drawn on its first and last column and row, and a point is on an edge
// when it lies within the tolerance of that line. The corners may be out of
// order while an edge is dragged across the opposite one; GetRect is always
// in order.
class KELCTRLS_API KelSelectionFrame
{
public:
    // `tolerance`: how far from an edge, in pixels, a point still hits it;
    // `handleSize`: the side of the square handles.
    KelSelectionFrame(int tolerance, int handleSize);

    const wxPoint& GetStart() const { return m_start; }
    const wxPoint& GetEnd() const { return m_end; }
    void SetCorners(const wxPoint& start, const wxPoint& end);
    wxRect GetRect() const { return wxRect(m_start, m_end); }
    void SetRect(const wxRect& rect);
    // Puts the corners in order (top-left, bottom-right).
    void Normalise() { SetRect(GetRect()); }

    frame_border HitTest(const wxPoint& pt) const;
    // Moves the edges that make up `part` (an edge or a corner) to the point.
    void MoveEdges(frame_border part, const wxPoint& pt);
    // Moves the frame, keeping its size, so that its top-left corner is as
    // near `topLeft` as lies inside `bounds`.
    void MoveTo(const wxPoint& topLeft, const wxRect& bounds);
    // The point that stays where it is while `part` is dragged: the opposite
    // corner, or the middle of the opposite edge.
    wxPoint GetAnchor(frame_border part) const;

    // The handles: the corners clockwise from the top-left, then the middles
    // of the top, right, bottom and left edges.
    std::array<wxRect, 8> GetHandles() const;
    // Draws the four edges with the DC's pen.
    void DrawEdges(wxDC& dc) const;
    // Draws the handles with the DC's pen and brush.
    void DrawHandles(wxDC& dc) const;

    // The sizing cursor of a part; wxCURSOR_NONE for border_none, whose
    // cursor each user chooses.
    static wxStockCursor GetCursor(frame_border part);

private:
    int m_tolerance;
    int m_handleSize;
    wxPoint m_start;
    wxPoint m_end;
};

#endif // KELCTRLS_DIALOGS_SELECTIONFRAME_H
