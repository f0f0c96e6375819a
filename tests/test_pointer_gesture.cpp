// Gestures played from another process reach the program as a hand's input,
// and a drag is carried over only once its source has begun it.
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <wx/dnd.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

namespace
{

class TextCatcher : public wxTextDropTarget
{
public:
    bool OnDropText(wxCoord, wxCoord, const wxString& text) override
    {
        dropped.push_back(text);
        return true;
    }

    std::vector<wxString> dropped;
};

class PointerGestureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "gestures", wxPoint(0, 0), wxSize(300, 300));
        m_source = new wxPanel(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 150));
        m_text = new wxTextCtrl(m_frame, wxID_ANY, "", wxPoint(0, 150), wxSize(300, 150));
        m_source->Bind(wxEVT_LEFT_DOWN,
                       [this](wxMouseEvent& event)
                       {
                           ++m_presses;
                           event.Skip();
                       });
        m_source->Bind(wxEVT_LEFT_UP,
                       [this](wxMouseEvent& event)
                       {
                           ++m_releases;
                           event.Skip();
                       });
        m_source->Bind(wxEVT_MOTION, &PointerGestureTest::OnSourceMotion, this);

        m_targetFrame = new wxFrame(nullptr, wxID_ANY, "target", wxPoint(400, 0), wxSize(300, 300));
        m_target = new wxPanel(m_targetFrame, wxID_ANY, wxPoint(0, 0), wxSize(300, 300));
        m_catcher = new TextCatcher;
        m_target->SetDropTarget(m_catcher);

        kel::test::ShowAndWait(m_frame);
        kel::test::ShowAndWait(m_targetFrame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        m_targetFrame->Destroy();
        kel::test::Pump(50);
    }

    void OnSourceMotion(wxMouseEvent& event)
    {
        if (!m_dragsText || !event.Dragging() || m_dragRunning)
            return;
        m_dragRunning = true;
        wxTextDataObject data("bob");
        wxDropSource source(data, m_source);
        PointerDrag::Begins();
        m_result = source.DoDragDrop(wxDrag_CopyOnly);
        m_dragRunning = false;
    }

    wxPoint SourcePoint() const { return m_source->ClientToScreen(wxPoint(150, 75)); }
    wxPoint TargetPoint() const { return m_target->ClientToScreen(wxPoint(150, 150)); }

    wxFrame* m_frame = nullptr;
    wxPanel* m_source = nullptr;
    wxTextCtrl* m_text = nullptr;
    wxFrame* m_targetFrame = nullptr;
    wxPanel* m_target = nullptr;
    TextCatcher* m_catcher = nullptr;
    int m_presses = 0;
    int m_releases = 0;
    bool m_dragsText = false;
    bool m_dragRunning = false;
    wxDragResult m_result = wxDragError;
};

TEST_F(PointerGestureTest, AGestureArrivesAsAHandsInput)
{
    const PointerResult clicked = PointerGesture().MoveTo(SourcePoint()).Press().Release().Play();
    ASSERT_TRUE(clicked) << clicked.GetReason();
    EXPECT_EQ(SourcePoint(), wxGetMousePosition());
    EXPECT_EQ(1, m_presses);
    EXPECT_EQ(1, m_releases);

    m_text->SetFocus();
    kel::test::WaitUntil([this] { return m_text->HasFocus(); });
    ASSERT_TRUE(PointerGesture().Key("a").Key("b").Play());
    EXPECT_EQ("ab", m_text->GetValue());
}

TEST_F(PointerGestureTest, AStepTheDriverCannotPlayFailsWithTheReason)
{
    const PointerResult result = PointerGesture().MoveTo(SourcePoint()).Key("NoSuchKey").Play();
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.GetReason().Contains("refused a step")) << result.GetReason();
}

TEST_F(PointerGestureTest, ADragWhoseSourceNeverBeginsFailsAndLetsGo)
{
    const PointerResult result = PointerDrag(SourcePoint(), TargetPoint()).Drop();
    EXPECT_FALSE(result);
    EXPECT_TRUE(result.GetReason().Contains("no drag began")) << result.GetReason();
    EXPECT_FALSE(wxGetMouseState().LeftIsDown());
    EXPECT_TRUE(m_catcher->dropped.empty());
    EXPECT_EQ(SourcePoint(), wxGetMousePosition()) << "nothing was carried over";
}

TEST_F(PointerGestureTest, ADragIsCarriedOverOnceItsSourceBegins)
{
    m_dragsText = true;
    const PointerResult cancelled = PointerDrag(SourcePoint(), TargetPoint()).Cancel();
    ASSERT_TRUE(cancelled) << cancelled.GetReason();
    EXPECT_EQ(wxDragCancel, m_result);
    EXPECT_TRUE(m_catcher->dropped.empty());

    m_result = wxDragError;
    const PointerResult dropped = PointerDrag(SourcePoint(), TargetPoint()).Drop();
    ASSERT_TRUE(dropped) << dropped.GetReason();
    EXPECT_EQ(wxDragCopy, m_result);
    EXPECT_EQ(std::vector<wxString>{"bob"}, m_catcher->dropped);
    EXPECT_EQ(TargetPoint(), wxGetMousePosition());
}

} // anonymous namespace
