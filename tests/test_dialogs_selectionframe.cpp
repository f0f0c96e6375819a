// The selection frame that the capture dialog and the head image panel share.
#include "testsupport.h"

#include <kelctrls/dialogs/selectionframe.h>

#include <wx/dcmemory.h>

using kel::test::PixelAt;

namespace
{

// Edges at x 100 and 200, y 100 and 150: the frame's own first and last pixels.
KelSelectionFrame MakeFrame()
{
    KelSelectionFrame frame(2, 5);
    frame.SetRect(wxRect(100, 100, 101, 51));
    return frame;
}

TEST(SelectionFrame, APointIsOnAnEdgeWithinTheToleranceOfItsPixels)
{
    const KelSelectionFrame frame = MakeFrame();
    const std::pair<wxPoint, frame_border> cases[] = {
        {{98, 102}, border_top_left},      {{101, 152}, border_bottom_left}, {{202, 98}, border_top_right},
        {{200, 150}, border_bottom_right}, {{100, 120}, border_left},        {{198, 120}, border_right},
        {{150, 98}, border_top},           {{150, 152}, border_bottom},      {{103, 120}, border_inside},
        {{97, 120}, border_none},          {{203, 120}, border_none},        {{150, 97}, border_none},
        {{150, 153}, border_none}};
    for (const auto& [point, part] : cases)
        EXPECT_EQ(part, frame.HitTest(point)) << point.x << "," << point.y;
}

TEST(SelectionFrame, EdgesFollowThePointerAndMovesStayInside)
{
    KelSelectionFrame frame = MakeFrame();
    EXPECT_EQ(wxPoint(200, 150), frame.GetAnchor(border_top_left));
    EXPECT_EQ(wxPoint(100, 125), frame.GetAnchor(border_right));

    // Dragged across the opposite edge, the corners are out of order until
    // they are put in order again.
    frame.MoveEdges(border_left, wxPoint(250, 120));
    EXPECT_EQ(wxRect(200, 100, 51, 51), frame.GetRect());
    EXPECT_EQ(250, frame.GetStart().x);
    frame.Normalise();
    EXPECT_EQ(wxPoint(200, 100), frame.GetStart());

    frame.MoveEdges(border_bottom_right, wxPoint(260, 170));
    EXPECT_EQ(wxRect(200, 100, 61, 71), frame.GetRect());

    frame.MoveTo(wxPoint(-20, 180), wxRect(0, 0, 300, 200));
    EXPECT_EQ(wxRect(0, 129, 61, 71), frame.GetRect());
}

TEST(SelectionFrame, EdgesAndHandlesAreDrawnOnTheFramesPixels)
{
    const KelSelectionFrame frame = MakeFrame();
    EXPECT_EQ(wxRect(98, 98, 5, 5), frame.GetHandles()[0]);
    EXPECT_EQ(wxRect(198, 123, 5, 5), frame.GetHandles()[5]);

    wxBitmap bitmap(260, 200, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        dc.SetPen(*wxRED_PEN);
        frame.DrawEdges(dc);
        dc.SetBrush(*wxBLUE_BRUSH);
        frame.DrawHandles(dc);
    }
    const wxImage image = bitmap.ConvertToImage();
    EXPECT_EQ(*wxRED, PixelAt(image, 130, 100));
    EXPECT_EQ(*wxRED, PixelAt(image, 130, 150));
    EXPECT_EQ(*wxRED, PixelAt(image, 200, 110));
    EXPECT_EQ(*wxWHITE, PixelAt(image, 130, 151));
    EXPECT_EQ(*wxWHITE, PixelAt(image, 201, 110));
    EXPECT_EQ(*wxBLUE, PixelAt(image, 199, 124)) << "inside the right edge's handle";
    EXPECT_EQ(*wxWHITE, PixelAt(image, 203, 125)) << "beside it";
}

} // anonymous namespace
