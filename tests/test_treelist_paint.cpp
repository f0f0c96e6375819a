// Layout, hit testing and painting of the tree list item window, checked
// against the pixels it puts on the screen.
#include "test_treelist_support.h"

#include <wx/imaglist.h>

#include <utility>
#include <vector>

using namespace kel::test;

namespace
{

const wxColour kSelect(200, 30, 30);

wxImageList* SquareImages(int size, int count = 1)
{
    wxImageList* list = new wxImageList(size, size, false);
    for (int i = 0; i < count; ++i)
    {
        wxImage image(size, size);
        image.SetRGB(wxRect(0, 0, size, size), 0, 0, 200);
        list->Add(wxBitmap(image));
    }
    return list;
}

// Leftmost and rightmost x of dark pixels (text) within rect, or -1, -1.
std::pair<int, int> InkSpan(const wxImage& shot, const wxRect& rect)
{
    int left = -1, right = -1;
    for (int x = rect.x; x <= rect.GetRight(); ++x)
        for (int y = rect.y; y <= rect.GetBottom(); ++y)
        {
            if (shot.GetRed(x, y) < 128 && shot.GetBlue(x, y) < 128)
            {
                if (left < 0)
                    left = x;
                right = x;
            }
        }
    return {left, right};
}

// The rows the control should show, in order, found through navigation only.
void CollectShownRows(wxTreeListCtrl* tree, const wxTreeItemId& parent, std::vector<wxTreeItemId>& rows)
{
    long cookie;
    for (wxTreeItemId child = tree->GetFirstChild(parent, cookie); child.IsOk();
         child = tree->GetNextChild(parent, cookie))
    {
        rows.push_back(child);
        if (tree->IsExpanded(child))
            CollectShownRows(tree, child, rows);
    }
}

class TreeListPaintTest : public TreeListTest
{
protected:
    void Build(long style)
    {
        MakeTree(wxSize(500, 320), wxID_ANY, style, {{"Name", 180}, {"Status", 100}, {"Note", 120}});
        m_main->SetBackgroundColour(*wxWHITE);
        m_tree->SetSelectItemColour(kSelect);
        m_tree->SetUnFocusSelectItemColour(kSelect);
        m_root = m_tree->AddRoot("root");
        AppendGroups(m_tree, m_root,
                     {
                         {&m_group, "Group", {{&m_person, "Person"}, {&m_other, "Other"}}},
                     });
        m_tree->SetItemText(m_person, 1, "online");
        m_tree->ExpandAll(m_root);
    }
    void Show()
    {
        kel::test::ShowAndWait(m_frame);
        Pump(100);
    }
    wxRect RowRect(const wxTreeItemId& id)
    {
        wxRect rect;
        m_tree->GetBoundingRect(id, rect);
        return wxRect(0, rect.y, m_main->GetClientSize().x, rect.height);
    }

    wxTreeItemId m_root, m_group, m_person, m_other;
};

TEST_F(TreeListPaintTest, LineHeightFollowsFontSpacingAndImages)
{
    Build(wxTR_HAS_BUTTONS);
    wxImageList* images = SquareImages(24);
    m_tree->SetImageList(images);
    m_tree->SetLineSpacing(4);
    EXPECT_EQ(m_main->GetLineHeight(), 30); // 24 + 4 = 28, then 2 more below 30
    wxImageList* tall = SquareImages(36);
    m_tree->SetImageList(tall);
    EXPECT_EQ(m_main->GetLineHeight(), 44); // 36 + 4 = 40, then a tenth
    m_tree->SetImageList(nullptr);
    delete images;
    delete tall;

    wxClientDC dc(m_main);
    dc.SetFont(m_main->GetNormalFont());
    EXPECT_EQ(m_main->GetLineHeight(), dc.GetCharHeight() + 4 + 2);
}

TEST_F(TreeListPaintTest, ButtonImagesSetTheIndent)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->AssignButtonsImageList(SquareImages(11, 4));
    m_main->CalculatePositions();
    EXPECT_EQ(m_tree->GetIndent(), 16u);
    m_tree->AssignButtonsImageList(SquareImages(20, 4));
    m_main->CalculatePositions();
    EXPECT_EQ(m_tree->GetIndent(), 22u);
}

TEST_F(TreeListPaintTest, RowsArePlacedByLevel)
{
    Build(wxTR_HAS_BUTTONS);
    Show();
    wxRect root, group, person;
    m_tree->GetBoundingRect(m_root, root);
    m_tree->GetBoundingRect(m_group, group);
    m_tree->GetBoundingRect(m_person, person);
    const int lineHeight = m_main->GetLineHeight();
    EXPECT_EQ(root.y, 2);
    EXPECT_EQ(group.y, 2 + lineHeight);
    EXPECT_EQ(person.y, 2 + 2 * lineHeight);
    // x is the middle of the expander: 2 + button width - half of it, plus the indent per level
    EXPECT_EQ(root.x, 2 + 9 - 4);
    EXPECT_EQ(group.x - root.x, (int)m_tree->GetIndent());
    EXPECT_EQ(person.x - group.x, (int)m_tree->GetIndent());
    EXPECT_EQ(root.height, lineHeight);
}

TEST_F(TreeListPaintTest, HiddenRootStartsAtTheTopAndMarksWholeRows)
{
    Build(wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT_FULL_ROW);
    m_tree->SelectItem(m_person);
    Show();
    wxRect group;
    m_tree->GetBoundingRect(m_group, group);
    EXPECT_EQ(group.y, 2);
    EXPECT_EQ(group.x, 2 + 9 - 4);
    EXPECT_EQ(m_tree->HitTest(wxPoint(5, 5)), wxTreeItemId()); // header area, above the items
    const wxImage shot = CaptureWindow(m_main);
    const wxRect row = RowRect(m_person);
    // the mark covers all three columns of the row, but not the row below
    EXPECT_GT(CountPixels(shot, kSelect, wxRect(190, row.y + 2, 80, row.height - 4)), 100);
    EXPECT_GT(CountPixels(shot, kSelect, wxRect(290, row.y + 2, 100, row.height - 4)), 100);
    EXPECT_EQ(CountPixels(shot, kSelect, RowRect(m_other).Deflate(0, 2)), 0);

    // The hidden root has no row: no rectangle, never in view, never
    // measured, not editable, wherever the view is.
    for (const wxTreeItemId& scrolledTo : {m_group, m_other})
    {
        m_tree->ScrollTo(scrolledTo);
        Pump(30);
        wxRect rect(1, 2, 3, 4);
        EXPECT_FALSE(m_tree->GetBoundingRect(m_root, rect));
        EXPECT_EQ(rect, wxRect(1, 2, 3, 4));
        EXPECT_FALSE(m_tree->IsVisible(m_root));
        EXPECT_FALSE(m_tree->IsVisible(m_root, true));
        EXPECT_EQ(m_tree->GetFirstVisibleItem(), m_group);
    }
    EXPECT_EQ(m_tree->EditLabel(m_root), nullptr);
    EXPECT_FALSE(wxTreeListItem::FromId(m_root)->IsMeasured());
}

TEST_F(TreeListPaintTest, WithoutFullRowsOnlyTheLabelIsMarked)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->SelectItem(m_person);
    Show();
    const wxImage shot = CaptureWindow(m_main);
    const wxRect row = RowRect(m_person);
    EXPECT_GT(CountPixels(shot, kSelect, wxRect(0, row.y, 180, row.height)), 50);
    EXPECT_EQ(CountPixels(shot, kSelect, wxRect(185, row.y, 300, row.height)), 0);
}

TEST_F(TreeListPaintTest, RightAlignedTextWiderThanItsCellStartsAtTheLeftMargin)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->SetColumnAlignment(1, wxALIGN_RIGHT);
    m_tree->SetColumnWidth(1, 30);
    m_tree->SetItemText(m_person, 1, "WWWWWWWWWWWW");
    m_tree->SetItemText(m_other, 1, "W");
    Show();
    const wxImage shot = CaptureWindow(m_main);
    auto inkIn = [&](const wxTreeItemId& id, int from, int to)
    {
        const wxRect row = RowRect(id);
        int dark = 0;
        for (int x = from; x < to; ++x)
            for (int y = row.y; y < row.GetBottom(); ++y)
                dark += shot.GetRed(x, y) < 128 && shot.GetBlue(x, y) < 128;
        return dark;
    };
    EXPECT_GT(inkIn(m_person, 182, 190), 0); // starts at the cell's left margin
    EXPECT_EQ(inkIn(m_other, 182, 190), 0);  // a short text sits at the right
    EXPECT_GT(inkIn(m_other, 195, 210), 0);
}

TEST_F(TreeListPaintTest, RightAlignedTextsEndAtTheCellEdgeInEveryFont)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->SetColumnAlignment(1, wxALIGN_RIGHT);
    m_tree->SetItemText(m_person, 1, "WWWWW");
    m_tree->SetItemText(m_other, 1, "WWWWW");
    m_tree->SetItemBold(m_other);
    Show();
    // column 1 covers x 180..279; its text must end right there, whatever the font
    auto expectEndsAtTheEdge = [&](const wxImage& shot, const wxTreeItemId& id)
    {
        const wxRect row = RowRect(id);
        const std::pair<int, int> ink = InkSpan(shot, wxRect(180, row.y, 100, row.height));
        EXPECT_GE(ink.second, 274);
        EXPECT_EQ(InkSpan(shot, wxRect(280, row.y, 30, row.height)).first, -1);
        return ink.first;
    };
    wxImage shot = CaptureWindow(m_main);
    const int normalStart = expectEndsAtTheEdge(shot, m_person);
    const int boldStart = expectEndsAtTheEdge(shot, m_other);
    EXPECT_LT(boldStart, normalStart); // the same text is wider in bold

    wxFont larger = m_main->GetNormalFont();
    larger.SetPointSize(larger.GetPointSize() + 3);
    m_tree->SetFont(larger);
    Pump(100);
    m_main->Update();
    shot = CaptureWindow(m_main);
    EXPECT_LT(expectEndsAtTheEdge(shot, m_person), normalStart);
    EXPECT_LT(expectEndsAtTheEdge(shot, m_other), boldStart);
}

TEST_F(TreeListPaintTest, HitTestZones)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->AssignImageList(SquareImages(16));
    m_tree->SetItemImage(m_group, 0);
    Show();
    wxRect group;
    m_tree->GetBoundingRect(m_group, group);
    const int mid = group.y + group.height / 2;
    int flags, column;

    EXPECT_EQ(m_main->HitTest(wxPoint(group.x, mid), flags, column), m_group);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMBUTTON);
    EXPECT_EQ(column, 0);

    const int textX = static_cast<wxTreeListItem*>(m_group.GetID())->GetTextX();
    m_main->HitTest(wxPoint(textX - 8, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMICON);
    m_main->HitTest(wxPoint(textX + 2, group.y + 1), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMLABEL);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMUPPERPART);
    m_main->HitTest(wxPoint(textX + 2, group.GetBottom() - 1), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMLOWERPART);
    m_main->HitTest(wxPoint(2, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMINDENT);
    EXPECT_EQ(column, -1);
    m_main->HitTest(wxPoint(170, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMRIGHT);
    EXPECT_EQ(column, 0);
    m_main->HitTest(wxPoint(300, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMCOLUMN);
    EXPECT_EQ(column, 2);

    EXPECT_FALSE(m_main->HitTest(wxPoint(450, mid), flags, column).IsOk()); // right of the columns
    EXPECT_EQ(flags, wxTREE_HITTEST_NOWHERE);
    EXPECT_FALSE(m_main->HitTest(wxPoint(10, 250), flags, column).IsOk());
    EXPECT_EQ(flags, wxTREE_HITTEST_NOWHERE);
    m_main->HitTest(wxPoint(-3, 10), flags, column);
    EXPECT_EQ(flags, wxTREE_HITTEST_TOLEFT);
    m_main->HitTest(wxPoint(10, -3), flags, column);
    EXPECT_EQ(flags, wxTREE_HITTEST_ABOVE);
    m_main->HitTest(wxPoint(10, 5000), flags, column);
    EXPECT_EQ(flags, wxTREE_HITTEST_BELOW);

    // The control's hit test takes points of its own client area.
    const wxPoint inControl = m_tree->ScreenToClient(m_main->ClientToScreen(wxPoint(300, mid)));
    EXPECT_EQ(m_tree->HitTest(inControl, flags, column), m_group);
    EXPECT_EQ(column, 2);
}

TEST_F(TreeListPaintTest, RightOfTheLabelIsColumnZeroWhereverTheTreeIs)
{
    Build(wxTR_HAS_BUTTONS);
    m_tree->SetMainColumn(1);
    Show();
    wxRect group;
    m_tree->GetBoundingRect(m_group, group);
    const int mid = group.y + group.height / 2;
    const int textX = static_cast<wxTreeListItem*>(m_group.GetID())->GetTextX();
    int flags, column;

    // the tree column spans 180 to 280
    m_main->HitTest(wxPoint(textX + 2, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMLABEL);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(m_main->HitTest(wxPoint(275, mid), flags, column), m_group);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMRIGHT);
    EXPECT_EQ(column, 0);
    m_main->HitTest(wxPoint(50, mid), flags, column);
    EXPECT_TRUE(flags & wxTREE_HITTEST_ONITEMINDENT);
    EXPECT_EQ(column, -1);
}

TEST_F(TreeListPaintTest, ScrollingToTheLastOfManyRowsShowsIt)
{
    Build(wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT_FULL_ROW);
    wxTreeItemId last;
    for (int g = 0; g < 20; ++g)
    {
        const wxTreeItemId group = m_tree->AppendItem(m_root, wxString::Format("Group %d", g));
        for (int p = 0; p < 500; ++p)
            last = m_tree->AppendItem(group, wxString::Format("Person %d-%d", g, p));
    }
    m_tree->SelectItem(last);
    m_tree->EnsureVisible(last);
    Show();
    EXPECT_TRUE(m_tree->IsVisible(last));
    const wxRect row = RowRect(last);
    EXPECT_GE(row.y, 0);
    EXPECT_LE(row.GetBottom(), m_main->GetClientSize().y);
    const wxImage shot = CaptureWindow(m_main);
    EXPECT_GT(CountPixels(shot, kSelect, wxRect(200, row.y + 2, 150, row.height - 4)), 100);
    int flags;
    EXPECT_EQ(m_main->HitTest(wxPoint(20, row.y + row.height / 2), flags), last);

    m_tree->Collapse(m_tree->GetItemParent(last));
    Pump(100);
    EXPECT_FALSE(m_tree->IsVisible(last));
}

// Rows above the visible ones are collapsed, deleted and added, and the shown
// ones sorted; hit tests, item rectangles and the painted rows (items with
// background colours of their own) must follow every change.
TEST_F(TreeListPaintTest, ChangesAnywhereInALargeTreeKeepRowsAndItemsTogether)
{
    Build(wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT_FULL_ROW);
    const wxColour kColours[] = {wxColour(0, 160, 0), wxColour(230, 160, 0)};
    std::vector<wxTreeItemId> groups;
    for (int g = 0; g < 40; ++g)
    {
        groups.push_back(m_tree->AppendItem(m_root, wxString::Format("Group %02d", g)));
        for (int p = 0; p < 100; ++p)
        {
            // the people of a group come in scrambled order, so sorting moves them
            const wxTreeItemId person =
                m_tree->AppendItem(groups.back(), wxString::Format("Person %02d-%02d", g, (p * 37) % 100));
            if (g == 39 && p % 7 != 0)
                m_tree->SetItemBackgroundColour(person, kColours[(p / 4) % 2]);
        }
    }
    long cookie;
    const wxTreeItemId last = m_tree->GetLastChild(groups.back(), cookie);
    m_tree->ExpandAll(m_root);
    m_tree->EnsureVisible(last);
    Show();

    auto expectRowsShowTheirItems = [&](const char* step, bool lastGroupShown = true)
    {
        SCOPED_TRACE(step);
        Pump(50);
        m_main->Update();
        std::vector<wxTreeItemId> rows;
        CollectShownRows(m_tree, m_root, rows);
        const wxImage shot = CaptureWindow(m_main);
        const int lineHeight = m_main->GetLineHeight();
        const int clientHeight = m_main->GetClientSize().y;
        int top;
        m_main->CalcUnscrolledPosition(0, 0, nullptr, &top);
        ASSERT_GT(top, 1000); // still scrolled far down
        int shown = 0, coloured = 0;
        // from the first row shown whole
        for (size_t i = (top - 2 + lineHeight - 1) / lineHeight; i < rows.size(); ++i)
        {
            int y;
            m_main->CalcScrolledPosition(0, 2 + (int)i * lineHeight, nullptr, &y);
            if (y + lineHeight > clientHeight)
                break;
            ++shown;
            wxRect rect;
            m_tree->GetBoundingRect(rows[i], rect);
            EXPECT_EQ(rect.y, y) << m_tree->GetItemText(rows[i]);
            int flags;
            EXPECT_EQ(m_main->HitTest(wxPoint(300, y + lineHeight / 2), flags), rows[i]) << "row " << i;
            // the empty third column shows the row's own background colour only
            const wxRect band(300, y + 2, 80, lineHeight - 4);
            const wxColour own = m_tree->GetItemBackgroundColour(rows[i]);
            for (const wxColour& colour : kColours)
            {
                if (own.IsOk() && own == colour)
                {
                    EXPECT_EQ(CountPixels(shot, colour, band), band.width * band.height) << "row " << i;
                    ++coloured;
                }
                else
                {
                    EXPECT_EQ(CountPixels(shot, colour, band), 0) << "row " << i;
                }
            }
        }
        EXPECT_GT(shown, 10);
        if (lastGroupShown)
        {
            EXPECT_GT(coloured, 5);
        }
    };

    expectRowsShowTheirItems("scrolled to the bottom");
    m_tree->Collapse(groups[20]);
    expectRowsShowTheirItems("a group above collapsed");
    m_tree->Delete(groups[10]);
    for (int i = 0; i < 5; ++i)
        m_tree->Delete(m_tree->GetFirstChild(groups[30], cookie));
    expectRowsShowTheirItems("items above deleted");
    const wxTreeItemId added = m_tree->InsertItem(m_root, 5, "Added group");
    for (int p = 0; p < 30; ++p)
        m_tree->AppendItem(added, wxString::Format("Added %02d", p));
    m_tree->Expand(added);
    m_tree->Expand(groups[20]);
    // the view keeps its position, so it now shows earlier rows
    expectRowsShowTheirItems("items above added and expanded", false);
    m_tree->EnsureVisible(last);
    expectRowsShowTheirItems("scrolled to the bottom again");
    m_tree->SortChildren(groups.back());
    expectRowsShowTheirItems("the shown group sorted");
}

// Groups with people, some people with items of their own; some groups and
// some people collapsed. Returns every item in the order of GetNext.
std::vector<wxTreeItemId> FillMixedTree(wxTreeListMainWindow* main, const wxTreeItemId& root)
{
    for (int g = 0; g < 30; ++g)
    {
        const wxTreeItemId group = main->AppendItem(root, wxString::Format("Group %02d", g));
        for (int p = 0; p < 20; ++p)
        {
            const wxTreeItemId person = main->AppendItem(group, wxString::Format("Person %02d-%02d", g, p));
            if (p % 3 == 0)
            {
                main->AppendItem(person, "Phone");
                main->AppendItem(person, "Mail");
            }
        }
    }
    main->ExpandAll(root);
    std::vector<wxTreeItemId> all;
    for (wxTreeItemId id = root; id.IsOk(); id = main->GetNext(id, true))
        all.push_back(id);
    for (size_t i = 0; i < all.size(); ++i)
    {
        if (i % 11 == 5 || i % 17 == 3)
            main->Collapse(all[i]);
    }
    return all;
}

// The visible-item walks answer what stepping through every item would: the
// items after one in GetNext(item, false) order or GetPrev(item, true) order
// until one is visible.
TEST_F(TreeListPaintTest, VisibleItemWalksAnswerAsAStepByStepWalk)
{
    for (long style : {long(wxTR_HAS_BUTTONS | wxTR_HIDE_ROOT_FULL_ROW), long(wxTR_HAS_BUTTONS)})
    {
        SCOPED_TRACE(style);
        Build(style);
        const std::vector<wxTreeItemId> all = FillMixedTree(m_main, m_root);
        Show();
        auto stepNext = [&](wxTreeItemId id, bool fullRow)
        {
            for (id = m_main->GetNext(id, false); id.IsOk() && !m_main->IsVisible(id, fullRow);)
                id = m_main->GetNext(id, false);
            return id;
        };
        auto stepPrev = [&](wxTreeItemId id, bool fullRow)
        {
            for (id = m_main->GetPrev(id, true); id.IsOk() && !m_main->IsVisible(id, fullRow);)
                id = m_main->GetPrev(id, true);
            return id;
        };
        for (const wxTreeItemId& scrolledTo : {all[1], all[all.size() / 2], all.back()})
        {
            m_tree->ScrollTo(scrolledTo);
            Pump(30);
            int shown = 0;
            for (size_t i = 0; i < all.size(); ++i)
            {
                shown += m_main->IsVisible(all[i], true);
                if (i % 5 != 0 && !m_main->IsVisible(all[i], true))
                    continue;
                for (bool fullRow : {false, true})
                {
                    EXPECT_EQ(m_tree->GetNextVisible(all[i], fullRow), stepNext(all[i], fullRow))
                        << m_tree->GetItemText(all[i]);
                    EXPECT_EQ(m_tree->GetPrevVisible(all[i], fullRow), stepPrev(all[i], fullRow))
                        << m_tree->GetItemText(all[i]);
                }
            }
            EXPECT_GT(shown, 10);
            EXPECT_EQ(m_tree->GetFirstVisibleItem(), stepNext(m_root, false));
            EXPECT_TRUE(m_tree->GetFirstVisibleItem().IsOk());
        }
        m_frame->Destroy();
        m_frame = nullptr;
        Pump(20);
    }
}

TEST_F(TreeListPaintTest, RowLinesSeparateRows)
{
    Build(wxTR_HAS_BUTTONS | wxTR_ROW_LINES | wxTR_HIDE_ROOT_FULL_ROW);
    Show();
    const wxImage shot = CaptureWindow(m_main);
    const wxRect row = RowRect(m_person);
    const wxColour line = wxMEDIUM_GREY_PEN->GetColour();
    EXPECT_GT(CountPixels(shot, line, wxRect(0, row.y, 390, 1)), 300);
}

} // anonymous namespace
