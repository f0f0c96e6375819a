// The column header of the tree list control: border drags, fitting,
// column clicks, and the control's layout around it.
#include "test_treelist_support.h"

#include <wx/listbase.h>
#include <wx/uiaction.h>

using namespace kel::test;

namespace
{

class TreeListHeaderTest : public TreeListTest
{
protected:
    void SetUp() override
    {
        MakeTree(wxSize(520, 300), 88, wxTR_HAS_BUTTONS, {{"Name", 150}, {"Status", 100}, {"Note", 100}});
        const wxTreeItemId root = m_tree->AddRoot("root");
        m_tree->AppendItem(root, "A rather long name for this column");
        m_tree->Expand(root);
        m_header = m_tree->GetHeaderWindow();
        m_events.Attach(m_tree, {wxEVT_LIST_COL_CLICK, wxEVT_LIST_COL_RIGHT_CLICK, wxEVT_LIST_COL_BEGIN_DRAG,
                                 wxEVT_LIST_COL_END_DRAG});
        ShowAndWait(m_frame);
    }

    void Press(const wxPoint& point)
    {
        m_sim.MouseMove(m_header->ClientToScreen(point));
        Pump(30);
        m_sim.MouseDown();
        Pump(30);
    }
    void DragTo(const wxPoint& point)
    {
        m_sim.MouseMove(m_header->ClientToScreen(point));
        Pump(30);
        m_sim.MouseUp();
        Pump(50);
    }
    void Click(const wxPoint& point, int button = wxMOUSE_BTN_LEFT)
    {
        m_sim.MouseMove(m_header->ClientToScreen(point));
        Pump(30);
        m_sim.MouseClick(button);
        Pump(50);
        Pump(500); // never a double-click with the next one
    }
    size_t Count(wxEventType type) { return m_events.Count(type); }

    wxTreeListHeaderWindow* m_header = nullptr;
    EventRecorder<wxListEvent> m_events;
    wxUIActionSimulator m_sim;
};

TEST_F(TreeListHeaderTest, DraggingABorderResizesItsColumn)
{
    Press(wxPoint(151, 8));
    ASSERT_TRUE(m_header->IsDragging());
    DragTo(wxPoint(231, 8));
    EXPECT_FALSE(m_header->IsDragging());
    EXPECT_EQ(m_tree->GetColumnWidth(0), 231);
    EXPECT_EQ(m_header->GetWidth(), 231 + 100 + 100);
    ASSERT_EQ(Count(wxEVT_LIST_COL_BEGIN_DRAG), 1u);
    ASSERT_EQ(Count(wxEVT_LIST_COL_END_DRAG), 1u);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_END_DRAG).GetColumn(), 0);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_END_DRAG).GetEventObject(), m_tree);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_END_DRAG).GetId(), 88);
    EXPECT_EQ(Count(wxEVT_LIST_COL_CLICK), 0u);

    // Dragged past its left edge, the column keeps 7 pixels.
    Press(wxPoint(231 + 99, 8));
    DragTo(wxPoint(100, 8));
    EXPECT_EQ(m_tree->GetColumnWidth(1), 7);
}

TEST_F(TreeListHeaderTest, BordersAreGrabbedOnlyCloseAndNearTheTop)
{
    Press(wxPoint(153, 8)); // 3 pixels away: a click in the next column
    EXPECT_FALSE(m_header->IsDragging());
    m_sim.MouseUp();
    Pump(500);
    ASSERT_EQ(Count(wxEVT_LIST_COL_CLICK), 1u);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_CLICK).GetColumn(), 1);

    if (m_header->GetClientSize().y > 23)
    {
        Press(wxPoint(150, 22));
        EXPECT_FALSE(m_header->IsDragging());
        m_sim.MouseUp();
        Pump(500);
    }
    EXPECT_EQ(m_tree->GetColumnWidth(0), 150);
    EXPECT_EQ(Count(wxEVT_LIST_COL_BEGIN_DRAG), 0u);
}

TEST_F(TreeListHeaderTest, ClicksNameTheColumnAndSkipHiddenOnes)
{
    Click(wxPoint(40, 8));
    Click(wxPoint(200, 8), wxMOUSE_BTN_RIGHT);
    Click(wxPoint(500, 8)); // right of the last column: nothing
    ASSERT_EQ(Count(wxEVT_LIST_COL_CLICK), 1u);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_CLICK).GetColumn(), 0);
    ASSERT_EQ(Count(wxEVT_LIST_COL_RIGHT_CLICK), 1u);
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_RIGHT_CLICK).GetColumn(), 1);

    m_tree->SetColumnShown(1, false);
    Pump(50);
    Click(wxPoint(200, 8)); // Note now starts at 150
    EXPECT_EQ(m_events.Last(wxEVT_LIST_COL_CLICK).GetColumn(), 2);
}

TEST_F(TreeListHeaderTest, DoubleClickOnABorderFitsTheColumn)
{
    const int best = m_tree->GetMainWindow()->GetBestColumnWidth(0);
    ASSERT_GT(best, 150);
    m_sim.MouseMove(m_header->ClientToScreen(wxPoint(150, 8)));
    Pump(30);
    m_sim.MouseDblClick();
    Pump(100);
    EXPECT_FALSE(m_header->IsDragging());
    EXPECT_EQ(m_tree->GetColumnWidth(0), best);
}

TEST_F(TreeListHeaderTest, ControlLaysOutHeaderAndItems)
{
    const int headerHeight = m_tree->GetHeaderHeight();
    EXPECT_GT(headerHeight, 0);
    EXPECT_EQ(m_header->GetPosition(), wxPoint(0, 0));
    EXPECT_EQ(m_header->GetSize().y, headerHeight);
    EXPECT_EQ(m_tree->GetMainWindow()->GetPosition().y, headerHeight + 1);
    EXPECT_EQ(m_tree->GetMainWindow()->GetSize().y, m_tree->GetClientSize().y - headerHeight - 1);

    wxTreeListCtrl* bare = new wxTreeListCtrl(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(200, 150),
                                              wxTR_HAS_BUTTONS | wxTR_HIDE_HEADER);
    Pump(50);
    EXPECT_FALSE(bare->GetHeaderWindow()->IsShown());
    EXPECT_EQ(bare->GetHeaderHeight(), 0);
    EXPECT_EQ(bare->GetMainWindow()->GetPosition().y, 1);
    EXPECT_EQ(bare->GetBestSize(), wxSize(200, 200));

    // A new font measures the header again only where it is shown.
    const wxFont large = m_tree->GetFont().Scaled(2.0f);
    bare->SetFont(large);
    EXPECT_EQ(bare->GetHeaderHeight(), 0);
    EXPECT_EQ(bare->GetMainWindow()->GetPosition().y, 1);
    m_tree->SetFont(large);
    EXPECT_GT(m_tree->GetHeaderHeight(), headerHeight);
    EXPECT_EQ(m_tree->GetMainWindow()->GetPosition().y, m_tree->GetHeaderHeight() + 1);
}

} // anonymous namespace
