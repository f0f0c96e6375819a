// Gestures at a display scale of 2 (this program runs with GDK_SCALE=2): the
// points are in window units, the X server counts twice the pixels each way.
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/panel.h>

TEST(PointerGestureHiDpi, AGestureLandsWhereTheWindowUnitsSay)
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "gestures", wxPoint(100, 50), wxSize(400, 300));
    wxPanel* panel = new wxPanel(frame, wxID_ANY, wxPoint(0, 0), wxSize(400, 300));
    std::vector<wxPoint> presses;
    panel->Bind(wxEVT_LEFT_DOWN, [&](wxMouseEvent& event) { presses.push_back(event.GetPosition()); });
    kel::test::ShowAndWait(frame);
    ASSERT_EQ(2.0, panel->GetContentScaleFactor());

    const wxPoint point(250, 170);
    const PointerResult clicked =
        PointerGesture().MoveTo(panel->ClientToScreen(point)).Press().Release().Play();
    EXPECT_TRUE(clicked) << clicked.GetReason();
    EXPECT_EQ(std::vector<wxPoint>{point}, presses);
    EXPECT_EQ(panel->ClientToScreen(point), wxGetMousePosition());
    frame->Destroy();
    kel::test::Pump(50);
}
