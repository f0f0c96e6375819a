// Selection, mouse, keyboard and in-place editing of the tree list control,
// driven by real pointer and key events through the X server.
#include "test_treelist_support.h"

#include <wx/uiaction.h>

using namespace kel::test;

namespace
{

class TreeListInputTest : public TreeListTest
{
protected:
    void SetUp() override
    {
        MakeTree(wxSize(520, 420), 77, wxTR_HAS_BUTTONS | wxTR_MULTIPLE | wxTR_HIDE_ROOT_FULL_ROW,
                 {{"Name", 200}, {"Status", 120, wxALIGN_LEFT, -1, true, true}, {"Note", 120}});

        // (hidden root) Friends: Anna Bart Carl; Colleagues (collapsed): Bob Eve; Family: Dora
        m_root = m_tree->AddRoot("root");
        AppendGroups(m_tree, m_root,
                     {
                         {&m_g1, "Friends", {{&m_p1, "Anna"}, {&m_p2, "Bart"}, {&m_p3, "Carl"}}},
                         {&m_g2, "Colleagues", {{&m_q1, "Bob"}, {&m_q2, "Eve"}}},
                         {&m_g3, "Family", {{&m_r1, "Dora"}}},
                     });
        m_tree->Expand(m_g1);
        m_tree->Expand(m_g3);
        for (const wxTreeItemId& id : {m_p1, m_p2, m_p3, m_q1, m_q2, m_r1})
            m_tree->SetItemText(id, 1, "online");

        m_events.Attach(m_tree,
                        {wxEVT_COMMAND_TREE_ITEM_CLICKED, wxEVT_COMMAND_TREE_ITEM_ENTER,
                         wxEVT_COMMAND_TREE_ITEM_KEY_DOWN, wxEVT_TREE_ITEM_ACTIVATED, wxEVT_TREE_KEY_DOWN,
                         wxEVT_TREE_SEL_CHANGED, wxEVT_TREE_BEGIN_DRAG, wxEVT_TREE_END_DRAG,
                         wxEVT_TREE_END_LABEL_EDIT, wxEVT_TREE_ITEM_RIGHT_CLICK});
        kel::test::ShowAndWait(m_frame);
        m_main->SetFocus();
        Pump(100);
    }

    size_t Count(wxEventType type) { return m_events.Count(type); }
    const wxTreeListEvent& Last(wxEventType type) { return m_events.Last(type); }

    // A point on the label of item, or in a column of its row, in the
    // coordinates of the item window.
    wxPoint LabelPoint(const wxTreeItemId& id)
    {
        wxRect rect;
        m_tree->GetBoundingRect(id, rect);
        int flags;
        // the label starts right of the expander and the image
        for (int x = rect.x; x < rect.x + 200; ++x)
        {
            if (m_main->HitTest(wxPoint(x, rect.y + rect.height / 2), flags).IsOk() &&
                (flags & wxTREE_HITTEST_ONITEMLABEL))
                return wxPoint(x + 3, rect.y + rect.height / 2);
        }
        ADD_FAILURE() << "no label found";
        return rect.GetPosition();
    }
    wxPoint CellPoint(const wxTreeItemId& id, int column)
    {
        wxRect rect;
        m_tree->GetBoundingRect(id, rect);
        int x = 0;
        for (int c = 0; c < column; ++c)
            x += m_tree->GetColumnWidth(c);
        return wxPoint(x + 10, rect.y + rect.height / 2);
    }
    wxPoint ButtonPoint(const wxTreeItemId& id)
    {
        wxRect rect;
        m_tree->GetBoundingRect(id, rect);
        return wxPoint(rect.x, rect.y + rect.height / 2);
    }

    void MoveTo(const wxPoint& point)
    {
        m_sim.MouseMove(m_main->ClientToScreen(point));
        Pump(30);
    }
    void Click(const wxPoint& point, int modifiers = 0)
    {
        MoveTo(point);
        KeyModifiers(modifiers, true);
        m_sim.MouseClick();
        Pump(30);
        KeyModifiers(modifiers, false);
        Pump(30);
    }
    void KeyModifiers(int modifiers, bool down)
    {
        if (modifiers & wxMOD_SHIFT)
            down ? m_sim.KeyDown(WXK_SHIFT) : m_sim.KeyUp(WXK_SHIFT);
        if (modifiers & wxMOD_CONTROL)
            down ? m_sim.KeyDown(WXK_CONTROL) : m_sim.KeyUp(WXK_CONTROL);
        Pump(20);
    }
    void Key(int code)
    {
        m_sim.Char(code);
        Pump(40);
    }
    // Clicks far enough apart never make a double-click.
    void WaitPastDoubleClick() { Pump(600); }

    wxTreeItemId m_root, m_g1, m_p1, m_p2, m_p3, m_g2, m_q1, m_q2, m_g3, m_r1;
    EventRecorder<wxTreeListEvent> m_events;
    wxUIActionSimulator m_sim;
};

TEST_F(TreeListInputTest, ClickSelectsAndIsReportedOnlyForPressAndReleaseOnOneItem)
{
    Click(LabelPoint(m_p1));
    EXPECT_TRUE(m_tree->IsSelected(m_p1));
    EXPECT_EQ(m_tree->GetSelection(), m_p1);
    EXPECT_EQ(m_main->GetCurItem(), m_p1.GetID());
    ASSERT_EQ(Count(wxEVT_COMMAND_TREE_ITEM_CLICKED), 1u);
    const wxTreeListEvent& click = Last(wxEVT_COMMAND_TREE_ITEM_CLICKED);
    EXPECT_EQ(click.GetItem(), m_p1);
    EXPECT_EQ(click.GetColumn(), 0);
    EXPECT_TRUE(click.GetFlags() & wxTREE_HITTEST_ONITEMLABEL);
    EXPECT_EQ(click.GetEventObject(), m_tree);
    EXPECT_EQ(click.GetId(), 77);

    // press on Bart, release on Carl: no click
    WaitPastDoubleClick();
    MoveTo(LabelPoint(m_p2));
    m_sim.MouseDown();
    Pump(30);
    MoveTo(LabelPoint(m_p3));
    m_sim.MouseUp();
    Pump(50);
    EXPECT_EQ(Count(wxEVT_COMMAND_TREE_ITEM_CLICKED), 1u);
    // the press selected Bart at once; the release selects nothing more
    EXPECT_TRUE(m_tree->IsSelected(m_p2));
    EXPECT_FALSE(m_tree->IsSelected(m_p3));
    EXPECT_FALSE(m_tree->IsSelected(m_p1));

    // a click in another column reports that column
    WaitPastDoubleClick();
    Click(CellPoint(m_r1, 2));
    EXPECT_EQ(Last(wxEVT_COMMAND_TREE_ITEM_CLICKED).GetColumn(), 2);
    EXPECT_TRUE(Last(wxEVT_COMMAND_TREE_ITEM_CLICKED).GetFlags() & wxTREE_HITTEST_ONITEMCOLUMN);
}

TEST_F(TreeListInputTest, GroupsOpenByPressOnceSelectedButNotByTheirExpander)
{
    Click(ButtonPoint(m_g2));
    EXPECT_FALSE(m_tree->IsSelected(m_g2));
    EXPECT_FALSE(m_tree->IsExpanded(m_g2));

    WaitPastDoubleClick();
    Click(LabelPoint(m_g2));
    EXPECT_TRUE(m_tree->IsSelected(m_g2));
    EXPECT_FALSE(m_tree->IsExpanded(m_g2));

    WaitPastDoubleClick();
    Click(LabelPoint(m_g2));
    EXPECT_TRUE(m_tree->IsExpanded(m_g2));
    EXPECT_TRUE(m_tree->IsSelected(m_g2));

    WaitPastDoubleClick();
    Click(LabelPoint(m_g2));
    EXPECT_FALSE(m_tree->IsExpanded(m_g2));
}

TEST_F(TreeListInputTest, ShiftRangeCoversDisplayedRowsOnlyAndCtrlUnselects)
{
    Click(LabelPoint(m_p1));
    WaitPastDoubleClick();
    Click(LabelPoint(m_r1), wxMOD_SHIFT);

    wxArrayTreeItemIds selected;
    m_tree->GetSelections(selected);
    EXPECT_EQ(selected.GetCount(), 6u); // Anna Bart Carl Colleagues Family Dora
    EXPECT_TRUE(m_tree->IsSelected(m_g2));
    EXPECT_FALSE(m_tree->IsSelected(m_q1)); // inside the collapsed group
    EXPECT_FALSE(m_tree->IsSelected(m_g1));

    // A press on a selected item changes nothing; the release with Ctrl
    // toggles it off and keeps the others.
    WaitPastDoubleClick();
    Click(LabelPoint(m_p2), wxMOD_CONTROL);
    EXPECT_FALSE(m_tree->IsSelected(m_p2));
    EXPECT_TRUE(m_tree->IsSelected(m_p3));
    m_tree->GetSelections(selected);
    EXPECT_EQ(selected.GetCount(), 5u);

    // Ctrl on an unselected item adds it at the press; the release keeps it.
    WaitPastDoubleClick();
    Click(LabelPoint(m_p2), wxMOD_CONTROL);
    EXPECT_TRUE(m_tree->IsSelected(m_p2));
}

TEST_F(TreeListInputTest, KeysDoNothingWithoutASelection)
{
    Key(WXK_DOWN);
    Key('a');
    wxArrayTreeItemIds selected;
    EXPECT_EQ(m_tree->GetSelections(selected), 0u);
    EXPECT_EQ(Count(wxEVT_TREE_KEY_DOWN), 0u);
    EXPECT_EQ(Count(wxEVT_TREE_SEL_CHANGED), 0u);
    // the raw key report still comes first, for every key
    EXPECT_EQ(Count(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN), 2u);
    EXPECT_EQ(Last(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN).GetKeyEvent().GetEventType(), wxEVT_KEY_DOWN);
}

TEST_F(TreeListInputTest, ArrowKeysWalkTheShownRows)
{
    m_tree->SelectItem(m_r1); // selected, but there is no current item yet
    ASSERT_EQ(m_main->GetCurItem(), nullptr);

    Key(WXK_DOWN); // a first press selects the first shown row instead of moving
    EXPECT_EQ(m_tree->GetSelection(), m_g1);
    EXPECT_FALSE(m_tree->IsSelected(m_r1));
    Key(WXK_DOWN);
    EXPECT_EQ(m_tree->GetSelection(), m_p1);
    Key(WXK_END);
    EXPECT_EQ(m_tree->GetSelection(), m_g3);
    Key(WXK_UP); // Colleagues is collapsed: no descent into it
    EXPECT_EQ(m_tree->GetSelection(), m_g2);
    Key(WXK_RIGHT);
    EXPECT_TRUE(m_tree->IsExpanded(m_g2));
    Key(WXK_RIGHT);
    EXPECT_EQ(m_tree->GetSelection(), m_q1);
    Key(WXK_LEFT); // Bob is a leaf: to its group
    EXPECT_EQ(m_tree->GetSelection(), m_g2);
    Key(WXK_LEFT);
    EXPECT_FALSE(m_tree->IsExpanded(m_g2));
    Key(WXK_HOME);
    EXPECT_EQ(m_tree->GetSelection(), m_g1);
    EXPECT_GT(Count(wxEVT_TREE_KEY_DOWN), 0u);
}

TEST_F(TreeListInputTest, FindAsYouTypeKeepsTheItemOfTheLongestPrefixFound)
{
    m_tree->SelectItem(m_p1);
    m_main->SetCurItem(static_cast<wxTreeListItem*>(m_p1.GetID()));

    Key('b');
    EXPECT_EQ(m_tree->GetSelection(), m_p2); // Bart; Bob is in a collapsed group
    Key('x');                                // "bx" matches nothing: the search falls back to "b"
    EXPECT_EQ(m_tree->GetSelection(), m_p2);

    Pump(600); // a pause starts a new search
    Key('d');
    EXPECT_EQ(m_tree->GetSelection(), m_r1);
}

TEST_F(TreeListInputTest, ReturnIsReportedAsEnterAndNeverActivates)
{
    m_tree->PositionItem(m_p1);
    Key(WXK_RETURN);
    ASSERT_EQ(Count(wxEVT_COMMAND_TREE_ITEM_ENTER), 1u);
    EXPECT_EQ(Count(wxEVT_TREE_ITEM_ACTIVATED), 0u);
    const wxKeyEvent& key = Last(wxEVT_COMMAND_TREE_ITEM_ENTER).GetKeyEvent();
    EXPECT_EQ(key.GetEventType(), wxEVT_CHAR);
    EXPECT_EQ(key.GetKeyCode(), WXK_RETURN);
    EXPECT_EQ(Last(wxEVT_COMMAND_TREE_ITEM_ENTER).GetEventObject(), m_tree);
    EXPECT_EQ(Count(wxEVT_COMMAND_TREE_ITEM_KEY_DOWN), 1u);
}

TEST_F(TreeListInputTest, DoubleClickActivates)
{
    const wxPoint anna = LabelPoint(m_p1);
    MoveTo(anna);
    m_sim.MouseDblClick();
    Pump(100);
    ASSERT_EQ(Count(wxEVT_TREE_ITEM_ACTIVATED), 1u);
    EXPECT_EQ(Last(wxEVT_TREE_ITEM_ACTIVATED).GetItem(), m_p1);
}

TEST_F(TreeListInputTest, DragStartsAfterThreeMotionsAndTheDelay)
{
    MoveTo(LabelPoint(m_p1));
    m_sim.MouseDown();
    Pump(30);
    const wxPoint start = LabelPoint(m_p1);
    for (int i = 1; i <= 5; ++i)
    {
        MoveTo(start + wxPoint(i * 3, 0));
        Pump(80);
    }
    ASSERT_EQ(Count(wxEVT_TREE_BEGIN_DRAG), 1u);
    EXPECT_EQ(Last(wxEVT_TREE_BEGIN_DRAG).GetItem(), m_p1);
    EXPECT_FALSE(Last(wxEVT_TREE_BEGIN_DRAG).IsAllowed());
    MoveTo(LabelPoint(m_r1));
    m_sim.MouseUp();
    Pump(50);
    ASSERT_EQ(Count(wxEVT_TREE_END_DRAG), 1u);
    EXPECT_EQ(Last(wxEVT_TREE_END_DRAG).GetItem(), m_r1);
    EXPECT_FALSE(m_main->HasCapture());
}

TEST_F(TreeListInputTest, EditorAcceptsWithReturnAndCancelsWithEscape)
{
    wxTextCtrl* editor = m_tree->EditLabel(m_p1, 1);
    ASSERT_NE(editor, nullptr);
    Pump(50);
    EXPECT_TRUE(editor->IsShown());
    EXPECT_EQ(editor->GetValue(), "online");
    m_sim.Text("away");
    Key(WXK_RETURN);
    EXPECT_FALSE(editor->IsShown());
    EXPECT_EQ(m_tree->GetItemText(m_p1, 1), "away");
    ASSERT_EQ(Count(wxEVT_TREE_END_LABEL_EDIT), 1u);
    EXPECT_EQ(Last(wxEVT_TREE_END_LABEL_EDIT).GetLabel(), "away");
    EXPECT_EQ(Last(wxEVT_TREE_END_LABEL_EDIT).GetColumn(), 1);

    // Escape: nothing changes, nothing is reported
    ASSERT_EQ(m_tree->EditLabel(m_p2, 1), editor);
    Pump(50);
    m_sim.Text("gone");
    Key(WXK_ESCAPE);
    EXPECT_EQ(m_tree->GetItemText(m_p2, 1), "online");
    EXPECT_EQ(Count(wxEVT_TREE_END_LABEL_EDIT), 1u);

    // Return without a change reports nothing either
    m_tree->EditLabel(m_p2, 1);
    Pump(50);
    Key(WXK_RETURN);
    EXPECT_EQ(Count(wxEVT_TREE_END_LABEL_EDIT), 1u);

    // a vetoed end keeps the old text
    m_tree->Bind(wxEVT_TREE_END_LABEL_EDIT, [](wxTreeEvent& event) { event.Veto(); });
    m_tree->EditLabel(m_p3, 1);
    Pump(50);
    m_sim.Text("x");
    Key(WXK_RETURN);
    EXPECT_EQ(m_tree->GetItemText(m_p3, 1), "online");

    EXPECT_EQ(m_tree->EditLabel(m_p3, 3), nullptr);
}

TEST_F(TreeListInputTest, SecondClickOnAnEditableCellStartsTheEditor)
{
    Click(CellPoint(m_p2, 1));
    ASSERT_EQ(m_main->GetCurItem(), m_p2.GetID());
    WaitPastDoubleClick();
    Click(CellPoint(m_p2, 1));
    ASSERT_TRUE(
        WaitUntil([this] { return m_tree->GetEditControl() && m_tree->GetEditControl()->IsShown(); }, 1000));
    EXPECT_EQ(m_tree->GetEditControl()->GetValue(), "online");
    Key(WXK_ESCAPE);

    // a column that is not editable never starts it
    m_tree->GetEditControl()->Hide();
    WaitPastDoubleClick();
    Click(CellPoint(m_p2, 2));
    Pump(400);
    EXPECT_FALSE(m_tree->GetEditControl()->IsShown());
}

TEST_F(TreeListInputTest, RightClickIsReported)
{
    const wxPoint bart = LabelPoint(m_p2);
    MoveTo(bart);
    m_sim.MouseClick(wxMOUSE_BTN_RIGHT);
    Pump(50);
    ASSERT_EQ(Count(wxEVT_TREE_ITEM_RIGHT_CLICK), 1u);
    EXPECT_EQ(Last(wxEVT_TREE_ITEM_RIGHT_CLICK).GetItem(), m_p2);
    EXPECT_TRUE(m_tree->IsSelected(m_p2));
}

TEST_F(TreeListInputTest, KeysOpenCloseStepBackAndToggle)
{
    m_tree->PositionItem(m_g2);
    Key(WXK_NUMPAD_ADD);
    EXPECT_TRUE(m_tree->IsExpanded(m_g2));
    Key(WXK_NUMPAD_SUBTRACT);
    EXPECT_FALSE(m_tree->IsExpanded(m_g2));
    Key(WXK_NUMPAD_MULTIPLY);
    EXPECT_TRUE(m_tree->IsExpanded(m_g2));
    EXPECT_TRUE(m_tree->IsExpanded(m_q1)); // all descendants

    m_tree->PositionItem(m_q2);
    Key(WXK_BACK);
    EXPECT_EQ(m_tree->GetSelection(), m_g2);
    Key(WXK_BACK); // the parent is the hidden root: the previous group instead
    EXPECT_EQ(m_tree->GetSelection(), m_g1);
    Key(WXK_SPACE);
    EXPECT_FALSE(m_tree->IsSelected(m_g1));
}

TEST_F(TreeListInputTest, ShiftArrowsExtendTheSelection)
{
    m_tree->PositionItem(m_p1);
    KeyModifiers(wxMOD_SHIFT, true);
    Key(WXK_DOWN);
    Key(WXK_DOWN);
    KeyModifiers(wxMOD_SHIFT, false);
    wxArrayTreeItemIds selected;
    EXPECT_EQ(m_tree->GetSelections(selected), 3u);
    EXPECT_TRUE(m_tree->IsSelected(m_p1));
    EXPECT_TRUE(m_tree->IsSelected(m_p3));
    EXPECT_EQ(m_main->GetCurItem(), m_p3.GetID());
}

TEST_F(TreeListInputTest, ScrollingIsReportedToTheControl)
{
    for (int i = 0; i < 60; ++i)
        m_tree->AppendItem(m_g3, wxString::Format("Cousin %d", i));
    Pump(100);
    std::vector<wxScrollEvent> scrolls;
    m_tree->Bind(wxEVT_SCROLL_LINEDOWN, [&scrolls](wxScrollEvent& event) { scrolls.push_back(event); });
    wxScrollWinEvent lineDown(wxEVT_SCROLLWIN_LINEDOWN, 0, wxVERTICAL);
    lineDown.SetEventObject(m_main);
    m_main->GetEventHandler()->ProcessEvent(lineDown);
    ASSERT_EQ(scrolls.size(), 1u);
    EXPECT_EQ(scrolls[0].GetOrientation(), wxVERTICAL);
    EXPECT_EQ(scrolls[0].GetId(), 77);
    EXPECT_EQ(scrolls[0].GetEventObject(), m_tree);
    int x, y;
    m_main->GetViewStart(&x, &y);
    EXPECT_EQ(y, 1);
}

} // anonymous namespace
