// Items, columns and tree operations of the tree list control.
#include "test_treelist_support.h"

#include "treelist/treelistfindindex.h"

#include <algorithm>
#include <memory>
#include <set>

#include <map>
#include <random>
#include <utility>
#include <vector>

namespace
{

// Records the tree-list events a control sends, in order.
struct EventLog
{
    struct Entry
    {
        wxEventType type;
        wxTreeItemId item;
        wxTreeListItem* oldParent;
        wxTreeListItem* newParent;
        wxObject* object;
        int id;
    };
    std::vector<Entry> entries;

    void Attach(wxWindow* win, wxEventType type)
    {
        win->Bind(wxEventTypeTag<wxTreeEvent>(type),
                  [this](wxTreeEvent& event)
                  {
                      const wxTreeListEvent* tl = dynamic_cast<wxTreeListEvent*>(&event);
                      entries.push_back({event.GetEventType(), event.GetItem(),
                                         tl ? tl->GetOldParent() : nullptr, tl ? tl->GetNewParent() : nullptr,
                                         event.GetEventObject(), event.GetId()});
                      event.Skip();
                  });
    }
    size_t Count(wxEventType type) const
    {
        size_t n = 0;
        for (const Entry& e : entries)
            n += e.type == type;
        return n;
    }
};

class TreeListModelTest : public kel::test::TreeListTest
{
protected:
    void SetUp() override
    {
        MakeTree(wxSize(400, 300), 4711, wxTR_HAS_BUTTONS | wxTR_MULTIPLE, {{"Name", 150}, {"Status", 80}});
    }

    // root
    //   a (a1, a2, a3)
    //   b (b1)
    //   c
    void BuildSmallTree()
    {
        m_root = m_tree->AddRoot("root");
        kel::test::AppendGroups(m_tree, m_root,
                                {
                                    {&m_a, "a", {{&m_a1, "a1"}, {&m_a2, "a2"}, {&m_a3, "a3"}}},
                                    {&m_b, "b", {{&m_b1, "b1"}}},
                                    {&m_c, "c", {}},
                                });
    }

    wxTreeItemId m_root, m_a, m_a1, m_a2, m_a3, m_b, m_b1, m_c;
};

// Several items' texts changed at random, so that their blocks grow where
// they lie, move, shrink and take places others freed: each reads back what
// was stored. Texts from empty to longer than the small blocks hold, in one
// to four bytes of UTF-8 per character.
TEST(TreeListTextsTest, StoredTextsReadBackAfterRandomChanges)
{
    const wxString samples[] = {"",
                                "a",
                                "Online",
                                "Person 000123 Example",
                                wxString::FromUTF8("Zo\xC3\xAB \xE5\xBC\xA0\xE4\xB8\x89 \xF0\x9F\x98\x80"),
                                wxString('x', 250),
                                wxString('y', 300) + wxString::FromUTF8("\xC3\xA9")};
    std::mt19937 random(4711);
    auto pick = [&random](size_t count)
    { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };

    std::vector<std::unique_ptr<kel::wxTreeListTexts>> texts(12);
    std::vector<std::vector<wxString>> expected(texts.size());
    for (int step = 0; step < 3000; ++step)
    {
        const size_t n = pick(texts.size());
        if (!texts[n])
            texts[n].reset(new kel::wxTreeListTexts);
        std::vector<wxString>& want = expected[n];
        const wxString& sample = samples[pick(WXSIZEOF(samples))];
        switch (pick(6))
        {
        case 0:
        {
            const size_t count = pick(4), main = pick(4);
            texts[n]->Reset(count, main, sample);
            want.assign(count, wxString());
            if (main < count)
                want[main] = sample;
            break;
        }
        case 1:
            texts[n]->Resize(pick(5));
            want.resize(texts[n]->GetCount());
            break;
        case 2:
            texts[n]->Add(sample);
            want.push_back(sample);
            break;
        case 3:
            texts[n].reset();
            want.clear();
            continue;
        default:
            if (!want.empty())
            {
                const size_t i = pick(want.size());
                texts[n]->Set(i, sample);
                want[i] = sample;
            }
            break;
        }
        ASSERT_EQ(texts[n]->GetCount(), want.size()) << "step " << step;
        for (size_t other = 0; other < texts.size(); ++other)
        {
            for (size_t i = 0; texts[other] && i < expected[other].size(); ++i)
                ASSERT_EQ(texts[other]->Item(i), expected[other][i]) << "step " << step << ", text " << i;
        }
    }
}

// A text is kept to 65535 bytes in all, cut where a character ends.
TEST(TreeListTextsTest, LongTextsAreCutAtACharacter)
{
    kel::wxTreeListTexts texts;
    texts.Reset(2, 0, wxString('a', 70000));
    EXPECT_EQ(texts.Item(0), wxString('a', 65535));
    texts.Set(0, "short");
    const wxString threeBytes = wxString::FromUTF8("\xE5\xBC\xA0");
    wxString wide;
    for (int i = 0; i < 30000; ++i)
        wide += threeBytes;
    texts.Set(1, wide);
    EXPECT_EQ(texts.Item(1), wide.Left((65535 - 5) / 3));
    EXPECT_EQ(texts.Item(0), "short");
}

// Entries added, removed, compacted and looked up at random, across enough
// sorted runs that they are merged during the adding too: a lookup finds
// exactly the entries a plain ordered set holds.
TEST(TreeListFindIndexTest, LookupsAgreeWithAnOrderedSet)
{
    using Key = kel::wxTreeListFindIndex::Key;
    kel::wxTreeListFindIndex index;
    std::multiset<std::pair<Key, uintptr_t>> reference;
    std::mt19937 random(20261207);
    auto pick = [&random](size_t count)
    { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
    auto item = [](uintptr_t n) { return reinterpret_cast<wxTreeListItem*>(n * 8); };

    for (int round = 0; round < 90; ++round)
    {
        for (int i = 0; i < 1100; ++i)
        {
            const Key key = Key(pick(64)) << 24 | Key(pick(3));
            const uintptr_t n = pick(50000) + 1;
            index.Add(item(n), key);
            reference.insert({key, n});
        }
        for (int i = 0; i < 200 && !reference.empty(); ++i)
        {
            auto it = reference.lower_bound({Key(pick(64)) << 24, 0});
            if (it == reference.end())
                continue;
            index.Remove(item(it->second), it->first);
            reference.erase(it);
        }
        if (round % 20 == 19)
            index.Compact();

        const Key low = Key(pick(64)) << 24, high = low + (Key(pick(3)) << 24) + 2;
        std::vector<wxTreeListItem*> found;
        ASSERT_TRUE(index.Lookup(low, high, reference.size(), found));
        std::vector<wxTreeListItem*> want;
        for (auto it = reference.lower_bound({low, 0}); it != reference.end() && it->first <= high; ++it)
            want.push_back(item(it->second));
        std::sort(found.begin(), found.end());
        std::sort(want.begin(), want.end());
        ASSERT_EQ(found, want) << "round " << round;
        if (want.size() > 1)
        {
            found.clear();
            EXPECT_FALSE(index.Lookup(low, high, want.size() - 1, found));
        }
    }
}

TEST(TreeListColumnInfoTest, DefaultsCopiesAndChainedSetters)
{
    wxTreeListColumnInfo column;
    EXPECT_EQ(column.GetText(), "");
    EXPECT_EQ(column.GetWidth(), 100);
    EXPECT_EQ(column.GetAlignment(), wxALIGN_LEFT);
    EXPECT_EQ(column.GetImage(), -1);
    EXPECT_EQ(column.GetSelectedImage(), -1);
    EXPECT_TRUE(column.IsShown());
    EXPECT_FALSE(column.IsEditable());

    column.SetText("Name")
        .SetWidth(42)
        .SetAlignment(wxALIGN_RIGHT)
        .SetImage(3)
        .SetSelectedImage(4)
        .SetShown(false)
        .SetEditable(true);
    wxTreeListColumnInfo copy(column);
    wxTreeListColumnInfo assigned;
    assigned = column;
    for (const wxTreeListColumnInfo* c : {&copy, &assigned})
    {
        EXPECT_EQ(c->GetText(), "Name");
        EXPECT_EQ(c->GetWidth(), 42);
        EXPECT_EQ(c->GetAlignment(), wxALIGN_RIGHT);
        EXPECT_EQ(c->GetImage(), 3);
        EXPECT_EQ(c->GetSelectedImage(), 4);
        EXPECT_FALSE(c->IsShown());
        EXPECT_TRUE(c->IsEditable());
    }

    wxArrayTreeListColumnInfo array;
    array.Add(column);
    array.Insert(wxTreeListColumnInfo("first"), 0);
    column.SetText("changed");
    ASSERT_EQ(array.GetCount(), 2u);
    EXPECT_EQ(array[0].GetText(), "first");
    EXPECT_EQ(array[1].GetText(), "Name");
    array.RemoveAt(0);
    EXPECT_EQ(array[0].GetText(), "Name");
}

TEST_F(TreeListModelTest, AddRootNeedsAColumnAndOnlyOnce)
{
    wxTreeListCtrl* bare = new wxTreeListCtrl(m_frame, wxID_ANY);
    EXPECT_FALSE(bare->AddRoot("root").IsOk());
    EXPECT_EQ(bare->GetCount(), 0u);

    wxTreeItemId root = m_tree->AddRoot("root", 1, 2);
    ASSERT_TRUE(root.IsOk());
    EXPECT_FALSE(m_tree->AddRoot("again").IsOk());
    EXPECT_EQ(m_tree->GetRootItem(), root);
    EXPECT_EQ(m_tree->GetItemText(root), "root");
    EXPECT_EQ(m_tree->GetItemText(root, 1), "");
    EXPECT_EQ(m_tree->GetItemImage(root, wxTreeItemIcon_Normal), 1);
    EXPECT_EQ(m_tree->GetItemImage(root, wxTreeItemIcon_Selected), 2);
    EXPECT_EQ(m_tree->GetItemImage(root, wxTreeItemIcon_Expanded), -1);
    EXPECT_FALSE(m_tree->IsExpanded(root));
}

TEST_F(TreeListModelTest, HiddenRootIsExpandedAndHasPlus)
{
    m_tree->SetWindowStyle(m_tree->GetWindowStyle() | wxTR_HIDE_ROOT_FULL_ROW);
    wxTreeItemId root = m_tree->AddRoot("root");
    EXPECT_TRUE(m_tree->IsExpanded(root));
    EXPECT_TRUE(m_tree->HasChildren(root));
    EXPECT_EQ(m_tree->GetMainWindow()->GetCurItem(), nullptr);
}

TEST_F(TreeListModelTest, ColumnTextsAreFilledLazily)
{
    BuildSmallTree();
    m_tree->SetItemText(m_a, 1, "online");
    m_tree->SetItemText(m_a, 2, "ignored: there is no third column");
    EXPECT_EQ(m_tree->GetItemText(m_a, 1), "online");
    EXPECT_EQ(m_tree->GetItemText(m_a, 2), "");

    m_tree->AddColumn("Signature", 120);
    m_tree->SetItemText(m_b, 2, "busy today");
    EXPECT_EQ(m_tree->GetItemText(m_b, 2), "busy today");
    EXPECT_EQ(m_tree->GetItemText(m_b, 1), "");
    EXPECT_EQ(m_tree->GetItemText(m_b), "b");

    // Non-ASCII texts survive the packed storage.
    m_tree->SetItemText(m_c, 1, wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 \xc3\xa9"));
    EXPECT_EQ(m_tree->GetItemText(m_c, 1), wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 \xc3\xa9"));
    EXPECT_EQ(m_tree->GetItemText(m_c), "c");
}

TEST_F(TreeListModelTest, CurrentImageFallsBackToTheNormalImage)
{
    BuildSmallTree();
    wxTreeListItem* item = static_cast<wxTreeListItem*>(m_a.GetID());
    item->SetImage(0, 10, wxTreeItemIcon_Normal);
    item->SetImage(0, 11, wxTreeItemIcon_Selected);
    item->SetImage(0, 12, wxTreeItemIcon_Expanded);
    EXPECT_EQ(item->GetCurrentImage(), 10);
    item->SetHilight(true);
    EXPECT_EQ(item->GetCurrentImage(), 11);
    item->Expand();
    // selected-expanded is -1: the normal image, not the expanded one
    EXPECT_EQ(item->GetCurrentImage(), 10);
    item->SetHilight(false);
    EXPECT_EQ(item->GetCurrentImage(), 12);

    // Images of other columns grow on demand; the main column uses the slots.
    EXPECT_EQ(item->GetImage(1, wxTreeItemIcon_Normal), -1);
    m_tree->SetItemImage(m_a, 1, 7, wxTreeItemIcon_Normal);
    EXPECT_EQ(m_tree->GetItemImage(m_a, 1, wxTreeItemIcon_Normal), 7);
    m_tree->SetItemImage(m_a, 5, 7, wxTreeItemIcon_Normal);
    EXPECT_EQ(m_tree->GetItemImage(m_a, 5, wxTreeItemIcon_Normal), -1);
}

TEST_F(TreeListModelTest, NavigationWalksTheTree)
{
    BuildSmallTree();
    long cookie = 0;
    EXPECT_EQ(m_tree->GetFirstChild(m_a, cookie), m_a1);
    EXPECT_EQ(m_tree->GetNextChild(m_a, cookie), m_a2);
    EXPECT_EQ(m_tree->GetNextChild(m_a, cookie), m_a3);
    EXPECT_FALSE(m_tree->GetNextChild(m_a, cookie).IsOk());
    EXPECT_EQ(m_tree->GetLastChild(m_a, cookie), m_a3);
    EXPECT_EQ(cookie, 3);
    EXPECT_EQ(m_tree->GetPrevChild(m_a, cookie), m_a3);
    EXPECT_EQ(m_tree->GetPrevChild(m_a, cookie), m_a2);

    EXPECT_EQ(m_tree->GetNextSibling(m_a), m_b);
    EXPECT_EQ(m_tree->GetPrevSibling(m_b), m_a);
    EXPECT_FALSE(m_tree->GetPrevSibling(m_a).IsOk());
    EXPECT_FALSE(m_tree->GetNextSibling(m_c).IsOk());
    EXPECT_EQ(m_tree->GetItemParent(m_a2), m_a);
    EXPECT_EQ(m_tree->GetChildrenCount(m_root), 7u);
    EXPECT_EQ(m_tree->GetChildrenCount(m_root, false), 3u);
    EXPECT_EQ(m_tree->GetCount(), 7u);

    // The control's GetNext walks the whole tree, collapsed or not.
    std::vector<wxTreeItemId> order;
    for (wxTreeItemId id = m_root; id.IsOk(); id = m_tree->GetNext(id))
        order.push_back(id);
    EXPECT_EQ(order, (std::vector<wxTreeItemId>{m_root, m_a, m_a1, m_a2, m_a3, m_b, m_b1, m_c}));

    // Only expanded items are entered by the expanded walk.
    m_tree->Expand(m_root);
    m_tree->Expand(m_b);
    order.clear();
    for (wxTreeItemId id = m_tree->GetFirstExpandedItem(); id.IsOk(); id = m_tree->GetNextExpanded(id))
        order.push_back(id);
    EXPECT_EQ(order, (std::vector<wxTreeItemId>{m_a, m_b, m_b1, m_c}));

    // Null ids are accepted everywhere.
    EXPECT_FALSE(m_tree->GetNext(wxTreeItemId()).IsOk());
    EXPECT_EQ(m_tree->GetItemText(wxTreeItemId()), "");
    EXPECT_EQ(m_tree->GetItemImage(wxTreeItemId()), -1);
    EXPECT_FALSE(m_tree->IsExpanded(wxTreeItemId()));
}

TEST_F(TreeListModelTest, GetPrevNeverReturnsTheParent)
{
    BuildSmallTree();
    m_tree->Expand(m_root);
    m_tree->Expand(m_b);
    // b1 is the first child of b: the previous sibling of b comes back.
    EXPECT_EQ(m_tree->GetMainWindow()->GetPrev(m_b1, false), m_a);
    EXPECT_EQ(m_tree->GetPrev(m_b1), m_a);
    // The mirror of GetNext: an item with children steps to its last child,
    // any other to the previous sibling.
    EXPECT_EQ(m_tree->GetPrev(m_c), m_b);
    EXPECT_EQ(m_tree->GetPrev(m_b), m_b1);
    EXPECT_FALSE(m_tree->GetPrev(m_a1).IsOk());
}

TEST_F(TreeListModelTest, ExpandAndCollapseSendVetoableEvents)
{
    BuildSmallTree();
    EventLog log;
    for (wxEventType t : {wxEVT_TREE_ITEM_EXPANDING, wxEVT_TREE_ITEM_EXPANDED, wxEVT_TREE_ITEM_COLLAPSING,
                          wxEVT_TREE_ITEM_COLLAPSED})
        log.Attach(m_tree, t);

    m_tree->Expand(m_a);
    EXPECT_TRUE(m_tree->IsExpanded(m_a));
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0].type, wxEVT_TREE_ITEM_EXPANDING);
    EXPECT_EQ(log.entries[1].type, wxEVT_TREE_ITEM_EXPANDED);
    EXPECT_EQ(log.entries[1].item, m_a);
    EXPECT_EQ(log.entries[1].object, m_tree);
    EXPECT_EQ(log.entries[1].id, 4711);

    m_tree->Expand(m_a); // already expanded: nothing
    EXPECT_EQ(log.entries.size(), 2u);

    m_tree->Bind(wxEVT_TREE_ITEM_COLLAPSING, [](wxTreeEvent& event) { event.Veto(); });
    m_tree->Collapse(m_a);
    EXPECT_TRUE(m_tree->IsExpanded(m_a));
    EXPECT_EQ(log.Count(wxEVT_TREE_ITEM_COLLAPSED), 0u);

    m_tree->Toggle(m_b);
    m_tree->Toggle(m_a);
    EXPECT_FALSE(m_tree->IsExpanded(m_b));
    EXPECT_TRUE(m_tree->IsExpanded(m_a));

    m_tree->ExpandAll(m_root);
    EXPECT_TRUE(m_tree->IsExpanded(m_root));
    EXPECT_TRUE(m_tree->IsExpanded(m_b));
    EXPECT_TRUE(m_tree->IsExpanded(m_b1));
}

TEST_F(TreeListModelTest, MoveReparentsAndReportsBothParents)
{
    BuildSmallTree();
    EventLog log;
    log.Attach(m_tree, wxEVT_COMMAND_TREE_ITEM_MOVE);

    m_tree->Move(m_root, m_a);
    m_tree->Move(m_a1, wxTreeItemId());
    EXPECT_TRUE(log.entries.empty());

    m_tree->Move(m_a1, m_c);
    EXPECT_EQ(m_tree->GetItemParent(m_a1), m_c);
    EXPECT_EQ(m_tree->GetChildrenCount(m_a, false), 2u);
    long cookie;
    EXPECT_EQ(m_tree->GetFirstChild(m_a, cookie), m_a2);
    EXPECT_EQ(m_tree->GetNextSibling(m_a2), m_a3);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].item, m_a1);
    EXPECT_EQ(log.entries[0].oldParent, m_a.GetID());
    EXPECT_EQ(log.entries[0].newParent, m_c.GetID());
    EXPECT_EQ(log.entries[0].object, m_tree);
}

TEST_F(TreeListModelTest, SortChildrenIsCaseSensitiveAndSkipsSingleChildren)
{
    m_root = m_tree->AddRoot("root");
    const wxTreeItemId zed = m_tree->AppendItem(m_root, "zed");
    const wxTreeItemId upper = m_tree->AppendItem(m_root, "Zed");
    const wxTreeItemId alpha = m_tree->AppendItem(m_root, "alpha");
    const wxTreeItemId only = m_tree->AppendItem(alpha, "only");
    kel::test::Pump();
    ASSERT_FALSE(m_tree->GetMainWindow()->IsDirty());

    m_tree->SortChildren(alpha);
    EXPECT_FALSE(m_tree->GetMainWindow()->IsDirty());

    m_tree->SortChildren(m_root);
    EXPECT_TRUE(m_tree->GetMainWindow()->IsDirty());
    long cookie;
    EXPECT_EQ(m_tree->GetFirstChild(m_root, cookie), upper);
    EXPECT_EQ(m_tree->GetNextChild(m_root, cookie), alpha);
    EXPECT_EQ(m_tree->GetNextChild(m_root, cookie), zed);
    EXPECT_EQ(m_tree->GetNextSibling(upper), alpha);
    EXPECT_EQ(m_tree->GetPrevSibling(zed), alpha);
    EXPECT_EQ(m_tree->GetItemParent(only), alpha);
}

// A control that orders its items by the reverse of their text.
class ReverseTree : public wxTreeListCtrl
{
public:
    using wxTreeListCtrl::wxTreeListCtrl;
    int OnCompareItems(const wxTreeItemId& a, const wxTreeItemId& b) override
    {
        return -wxTreeListCtrl::OnCompareItems(a, b);
    }
    wxString OnGetItemText(wxTreeItemData* data, long column) const override
    {
        return wxString::Format("virtual %d/%ld", data ? 1 : 0, column);
    }
};

TEST_F(TreeListModelTest, HooksOrderSiblingsAndProvideVirtualTexts)
{
    ReverseTree* tree = new ReverseTree(m_frame, wxID_ANY);
    tree->AddColumn("Name");
    const wxTreeItemId root = tree->AddRoot("root");
    const wxTreeItemId a = tree->AppendItem(root, "a");
    const wxTreeItemId b = tree->AppendItem(root, "b", -1, -1, new wxTreeItemData);
    tree->SortChildren(root);
    long cookie;
    EXPECT_EQ(tree->GetFirstChild(root, cookie), b);
    EXPECT_EQ(tree->GetItemText(a), "a");

    tree->SetWindowStyle(tree->GetWindowStyle() | wxTR_VIRTUAL);
    EXPECT_EQ(tree->GetItemText(a), "virtual 0/0");
    EXPECT_EQ(tree->GetItemText(b, 3), "virtual 1/3");
}

TEST_F(TreeListModelTest, DeleteReportsEveryItemAndLeavesNoDanglingPointer)
{
    BuildSmallTree();
    m_tree->ExpandAll(m_root);
    wxTreeListMainWindow* main = m_tree->GetMainWindow();
    m_tree->SelectItem(m_a2);
    main->SetCurItem(static_cast<wxTreeListItem*>(m_a3.GetID()));
    EventLog log;
    log.Attach(m_tree, wxEVT_TREE_DELETE_ITEM);

    m_tree->Delete(m_root); // the root cannot be deleted this way
    EXPECT_TRUE(log.entries.empty());

    m_tree->Delete(m_a);
    ASSERT_EQ(log.entries.size(), 4u);
    EXPECT_EQ(log.entries[0].item, m_a);
    EXPECT_EQ(log.entries[1].item, m_a1);
    EXPECT_EQ(log.entries[3].item, m_a3);
    EXPECT_FALSE(m_tree->GetSelection().IsOk());
    EXPECT_EQ(main->GetCurItem(), m_root.GetID());
    EXPECT_EQ(m_tree->GetCount(), 3u);
    long cookie;
    EXPECT_EQ(m_tree->GetFirstChild(m_root, cookie), m_b);
    EXPECT_FALSE(m_tree->GetPrevSibling(m_b).IsOk());

    main->SetCurItem(static_cast<wxTreeListItem*>(m_b1.GetID()));
    m_tree->DeleteChildren(m_b);
    EXPECT_EQ(main->GetCurItem(), m_b.GetID());
    EXPECT_FALSE(m_tree->HasChildren(m_b));

    log.entries.clear();
    m_tree->DeleteRoot();
    EXPECT_FALSE(m_tree->GetRootItem().IsOk());
    EXPECT_EQ(main->GetCurItem(), nullptr);
    EXPECT_EQ(m_tree->GetCount(), 0u);
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[0].item, m_root);
    kel::test::Pump(); // the next layout and paint must not touch deleted rows
    EXPECT_FALSE(m_tree->GetRootItem().IsOk());
}

TEST_F(TreeListModelTest, DeleteHandlersStillFindTheDeletedItemSelected)
{
    BuildSmallTree();
    std::vector<std::pair<wxTreeItemId, wxTreeItemId>> seen; // deleted item, selection then
    m_tree->Bind(wxEVT_TREE_DELETE_ITEM,
                 [this, &seen](wxTreeEvent& event)
                 {
                     seen.emplace_back(event.GetItem(), m_tree->GetSelection());
                     event.Skip();
                 });

    m_tree->SelectItem(m_c);
    m_tree->Delete(m_c);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].second, m_c);
    EXPECT_FALSE(m_tree->GetSelection().IsOk());

    // Below a deleted item the selection goes with the event of its own item.
    seen.clear();
    m_tree->SelectItem(m_a2);
    m_tree->Delete(m_a);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].second, m_a2); // a
    EXPECT_EQ(seen[2].first, m_a2);
    EXPECT_EQ(seen[2].second, m_a2);
    EXPECT_FALSE(seen[3].second.IsOk()); // a3
    EXPECT_FALSE(m_tree->GetSelection().IsOk());

    seen.clear();
    m_tree->SelectItem(m_b1);
    m_tree->DeleteChildren(m_b);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].second, m_b1);
    EXPECT_FALSE(m_tree->GetSelection().IsOk());
}

TEST_F(TreeListModelTest, DeletingTheCurrentItemUnderAHiddenRootClearsIt)
{
    m_tree->SetWindowStyle(m_tree->GetWindowStyle() | wxTR_HIDE_ROOT_FULL_ROW);
    BuildSmallTree();
    wxTreeListMainWindow* main = m_tree->GetMainWindow();
    main->SetCurItem(static_cast<wxTreeListItem*>(m_b.GetID()));
    m_tree->Delete(m_b);
    EXPECT_EQ(main->GetCurItem(), nullptr);
}

TEST_F(TreeListModelTest, DataChangeTravelsFromTheItemWindowToTheControl)
{
    BuildSmallTree();
    EventLog log;
    log.Attach(m_tree, wxEVT_COMMAND_TREE_ITEM_DATACHG);
    wxTreeItemData* data = new wxTreeItemData;
    m_tree->SetItemData(m_b, data);
    EXPECT_EQ(m_tree->GetItemData(m_b), data);
    EXPECT_EQ(data->GetId(), m_b);
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].item, m_b);
    EXPECT_EQ(log.entries[0].object, m_tree->GetMainWindow());
    EXPECT_EQ(log.entries[0].id, m_tree->GetMainWindow()->GetId());
}

TEST_F(TreeListModelTest, FindItemModes)
{
    BuildSmallTree();
    m_tree->SetItemText(m_b1, "Bravo");
    const wxTreeItemId bob = m_tree->AppendItem(m_c, "bob");
    m_tree->Expand(m_root);
    const int prefixNoCase = kel::wxTL_MODE_FIND_PARTIAL | kel::wxTL_MODE_FIND_NOCASE;
    const int expandedPrefixNoCase = prefixNoCase | kel::wxTL_MODE_NAV_EXPANDED;

    // whole tree, exact and case-sensitive
    EXPECT_EQ(m_tree->FindItem(wxTreeItemId(), "a2"), m_a2);
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "A2").IsOk());
    // prefix, no case, whole tree: starts after the given item and wraps
    EXPECT_EQ(m_tree->FindItem(m_b, "BR", prefixNoCase), m_b1);
    EXPECT_EQ(m_tree->FindItem(m_b1, "b", prefixNoCase), bob);
    EXPECT_EQ(m_tree->FindItem(bob, "b", prefixNoCase), m_b);
    // expanded items only: b1 and bob are hidden in collapsed groups
    EXPECT_EQ(m_tree->FindItem(m_a, "b", expandedPrefixNoCase), m_b);
    EXPECT_EQ(m_tree->FindItem(m_b, "b", expandedPrefixNoCase), m_b);
    EXPECT_FALSE(m_tree->FindItem(m_a, "bo", expandedPrefixNoCase).IsOk());
    // siblings only
    EXPECT_EQ(m_tree->FindItem(m_a1, "a3", kel::wxTL_MODE_NAV_LEVEL), m_a3);
}

// The search as a walk of the rows from the item after `from`, wrapping
// around once: what FindItem answered before it kept an index of labels.
wxTreeItemId WalkFind(kel::wxTreeListCtrl* tree, const wxTreeItemId& from, const wxString& what, int mode)
{
    auto next = [tree, mode](const wxTreeItemId& item)
    { return (mode & kel::wxTL_MODE_NAV_EXPANDED) ? tree->GetNextExpanded(item) : tree->GetNext(item); };
    auto matches = [tree, mode, &what](const wxTreeItemId& item)
    {
        wxString text = tree->GetItemText(item), wanted = what;
        if (mode & kel::wxTL_MODE_FIND_NOCASE)
        {
            text.MakeLower();
            wanted.MakeLower();
        }
        return (mode & kel::wxTL_MODE_FIND_PARTIAL) ? text.StartsWith(wanted) : text == wanted;
    };
    const wxTreeItemId first = tree->GetRootItem();
    wxTreeItemId start = from.IsOk() ? next(from) : wxTreeItemId();
    if (!start.IsOk())
        start = first;
    bool wrapped = false;
    for (wxTreeItemId candidate = start; candidate.IsOk();)
    {
        if (matches(candidate))
            return candidate;
        candidate = next(candidate);
        if (!candidate.IsOk())
        {
            if (wrapped)
                break;
            wrapped = true;
            candidate = first;
        }
        if (candidate == start)
            break;
    }
    return wxTreeItemId();
}

bool IsInSubtreeOf(kel::wxTreeListCtrl* tree, wxTreeItemId item, const wxTreeItemId& top)
{
    for (; item.IsOk(); item = tree->GetItemParent(item))
    {
        if (item == top)
            return true;
    }
    return false;
}

// Items come and go, are renamed, moved, expanded and collapsed at random
// (the same sequence every run); after each change every kind of search
// answers what a walk of the rows answers. Labels share their first bytes,
// differ in case only, or in letters beyond ASCII.
TEST_F(TreeListModelTest, FindItemAgreesWithAWalkWhileTheTreeChanges)
{
    const wxString names[] = {"Anna",
                              "annabel",
                              "ANNE",
                              wxString::FromUTF8("\xC3\x81nna"),
                              "Zoe Last",
                              "zoe",
                              "z",
                              wxString::FromUTF8("Zo\xC3\xAB"),
                              "",
                              "Bob",
                              "bo",
                              "Pers0n 1",
                              "Pers0n 12",
                              wxString::FromUTF8("\xCE\xA9mega"),
                              wxString::FromUTF8("\xCF\x89mega")};
    const wxString queries[] = {
        "ann",      "ANNA",      wxString::FromUTF8("\xC3\xA1"), "zoe", "Zoe Last", "z", "bo",
        "pers0n 1", "PERS0N 12", wxString::FromUTF8("\xCF\x89"), "",    "nobody"};
    const int modes[] = {0, kel::wxTL_MODE_FIND_NOCASE, kel::wxTL_MODE_FIND_PARTIAL,
                         kel::wxTL_MODE_FIND_PARTIAL | kel::wxTL_MODE_FIND_NOCASE,
                         kel::wxTL_MODE_NAV_EXPANDED | kel::wxTL_MODE_FIND_PARTIAL |
                             kel::wxTL_MODE_FIND_NOCASE};
    std::mt19937 random(20261207);
    auto pick = [&random](size_t count)
    { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };

    const wxTreeItemId root = m_tree->AddRoot("root");
    m_tree->Expand(root);
    for (int step = 0; step < 300; ++step)
    {
        std::vector<wxTreeItemId> items;
        for (wxTreeItemId item = root; item.IsOk(); item = m_tree->GetNext(item))
            items.push_back(item);
        const wxTreeItemId item = items[pick(items.size())];
        const wxString& name = names[pick(WXSIZEOF(names))];
        switch (items.size() < 4 ? 0 : pick(6))
        {
        case 0:
        case 1:
            m_tree->AppendItem(item, name);
            break;
        case 2:
            m_tree->SetItemText(item, name);
            m_tree->SetItemText(item, 1, names[pick(WXSIZEOF(names))]);
            break;
        case 3:
            if (item != root)
                m_tree->Delete(item);
            break;
        case 4:
        {
            const wxTreeItemId parent = items[pick(items.size())];
            if (item != root && !IsInSubtreeOf(m_tree, parent, item))
                m_tree->Move(item, parent);
            break;
        }
        default:
            if (m_tree->IsExpanded(item))
                m_tree->Collapse(item);
            else
                m_tree->Expand(item);
            break;
        }

        items.clear();
        for (wxTreeItemId it = root; it.IsOk(); it = m_tree->GetNext(it))
            items.push_back(it);
        for (int check = 0; check < 8; ++check)
        {
            const wxString& query = queries[pick(WXSIZEOF(queries))];
            const int mode = modes[pick(WXSIZEOF(modes))];
            const wxTreeItemId from = check == 0 ? wxTreeItemId() : items[pick(items.size())];
            ASSERT_EQ(m_tree->FindItem(from, query, mode), WalkFind(m_tree, from, query, mode))
                << "step " << step << ", query \"" << query << "\", mode " << mode;
        }
    }
}

// Enough items that what the search knows is kept in several sorted parts,
// which deletes and renames reach into: every label is found where it is,
// and none that is gone.
TEST_F(TreeListModelTest, FindItemInALargeTreeAfterDeletesAndRenames)
{
    const wxTreeItemId root = m_tree->AddRoot("root");
    std::vector<wxTreeItemId> groups;
    for (int g = 0; g < 10; ++g)
        groups.push_back(m_tree->AppendItem(root, wxString::Format("Group %d", g)));
    // Added in batches with a search after each, which sorts each batch in
    // and merges the sorted parts.
    std::map<wxString, wxTreeItemId> byLabel;
    for (int n = 0; n < 13000; ++n)
    {
        const wxString label = wxString::Format("%05d Person", (n * 7919) % 13000);
        byLabel[label] = m_tree->AppendItem(groups[n % groups.size()], label);
        if (n == 5999 || n == 8999)
        {
            ASSERT_EQ(m_tree->FindItem(wxTreeItemId(), label), byLabel[label]);
        }
    }
    std::vector<wxString> gone;
    int n = 0;
    for (auto it = byLabel.begin(); it != byLabel.end(); ++n)
    {
        if (n % 7 == 0)
        {
            m_tree->Delete(it->second);
            gone.push_back(it->first);
            it = byLabel.erase(it);
        }
        else if (n % 11 == 0)
        {
            const wxTreeItemId item = it->second;
            gone.push_back(it->first);
            it = byLabel.erase(it);
            m_tree->SetItemText(item, "Renamed " + gone.back());
            byLabel["Renamed " + gone.back()] = item;
        }
        else
        {
            ++it;
        }
    }
    for (const auto& entry : byLabel)
        ASSERT_EQ(m_tree->FindItem(wxTreeItemId(), entry.first), entry.second) << entry.first;
    for (const wxString& label : gone)
        ASSERT_FALSE(m_tree->FindItem(wxTreeItemId(), label).IsOk()) << label;
    const int prefixNoCase = kel::wxTL_MODE_FIND_PARTIAL | kel::wxTL_MODE_FIND_NOCASE;
    for (const char* prefix : {"0123", "00012 p", "renamed 0", "129"})
        EXPECT_EQ(m_tree->FindItem(groups[3], prefix, prefixNoCase),
                  WalkFind(m_tree, groups[3], prefix, prefixNoCase))
            << prefix;
}

// A label deleted and one of the same text made right after, which may take
// the place of the first: the search finds the new item, and nothing once
// it is gone too. Emptying the tree and changing the main column rebuild
// what the search knows.
TEST_F(TreeListModelTest, FindItemAfterDeletesRootChangesAndMainColumnChanges)
{
    const int prefixNoCase = kel::wxTL_MODE_FIND_PARTIAL | kel::wxTL_MODE_FIND_NOCASE;
    wxTreeItemId root = m_tree->AddRoot("root");
    const wxTreeItemId zed = m_tree->AppendItem(root, "Zed");
    m_tree->Delete(zed);
    const wxTreeItemId again = m_tree->AppendItem(root, "Zed");
    EXPECT_EQ(m_tree->FindItem(wxTreeItemId(), "ze", prefixNoCase), again);
    m_tree->Delete(again);
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "ze", prefixNoCase).IsOk());

    m_tree->DeleteRoot();
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "root").IsOk());
    root = m_tree->AddRoot("root");
    const wxTreeItemId alice = m_tree->AppendItem(root, "Alice");
    m_tree->SetItemText(alice, 1, "Online");
    EXPECT_EQ(m_tree->FindItem(wxTreeItemId(), "root"), root);
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "online", prefixNoCase).IsOk());

    m_tree->SetMainColumn(1);
    EXPECT_EQ(m_tree->FindItem(wxTreeItemId(), "online", prefixNoCase), alice);
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "alice", prefixNoCase).IsOk());
    m_tree->SetItemText(alice, "Away");
    EXPECT_EQ(m_tree->FindItem(wxTreeItemId(), "AWAY", prefixNoCase), alice);
    EXPECT_FALSE(m_tree->FindItem(wxTreeItemId(), "online", prefixNoCase).IsOk());
}

TEST_F(TreeListModelTest, ColumnAccessAndOutOfRangeDefaults)
{
    EXPECT_EQ(m_tree->GetColumnCount(), 2u);
    EXPECT_EQ(m_tree->GetColumnText(7), "");
    EXPECT_EQ(m_tree->GetColumnWidth(-1), 100);
    EXPECT_TRUE(m_tree->IsColumnShown(9));
    EXPECT_FALSE(m_tree->IsColumnEditable(9));

    m_tree->InsertColumn(2, "appended?"); // equal to the count: nothing
    EXPECT_EQ(m_tree->GetColumnCount(), 2u);
    m_tree->InsertColumn(1, "Presence", 60);
    EXPECT_EQ(m_tree->GetColumnText(1), "Presence");
    EXPECT_EQ(m_tree->GetHeaderWindow()->GetWidth(), 150 + 60 + 80);

    m_tree->SetColumnShown(0, false); // the main column stays visible
    EXPECT_TRUE(m_tree->IsColumnShown(0));
    m_tree->SetColumnShown(1, false);
    EXPECT_FALSE(m_tree->IsColumnShown(1));
    m_tree->SetColumnEditable(2, true);
    EXPECT_TRUE(m_tree->IsColumnEditable(2));
    m_tree->SetColumnAlignment(2, wxALIGN_RIGHT);
    EXPECT_EQ(m_tree->GetColumnAlignment(2), wxALIGN_RIGHT);
    m_tree->SetColumnWidth(2, 30);
    EXPECT_EQ(m_tree->GetHeaderWindow()->GetWidth(), 150 + 60 + 30);
    m_tree->SetColumnImage(5, 1); // ignored
    m_tree->RemoveColumn(1);
    EXPECT_EQ(m_tree->GetColumnCount(), 2u);
    EXPECT_EQ(m_tree->GetHeaderWindow()->GetWidth(), 150 + 30);

    m_tree->SetMainColumn(5);
    EXPECT_EQ(m_tree->GetMainColumn(), 0);
    m_tree->SetMainColumn(1);
    EXPECT_EQ(m_tree->GetMainColumn(), 1);
}

TEST_F(TreeListModelTest, StylesIndentAndSpacing)
{
    m_tree->GetMainWindow()->SetWindowStyle(m_tree->GetMainWindow()->GetWindowStyle() | wxTR_ROW_LINES);
    EXPECT_TRUE(m_tree->GetWindowStyle() & wxTR_ROW_LINES);
    EXPECT_TRUE(m_tree->GetWindowStyle() & wxTR_MULTIPLE);

    m_tree->SetIndent(5);
    EXPECT_EQ(m_tree->GetIndent(), 16u);
    m_tree->SetIndent(24);
    EXPECT_EQ(m_tree->GetIndent(), 24u);
    const int before = m_tree->GetMainWindow()->GetLineHeight();
    m_tree->SetLineSpacing(10);
    EXPECT_EQ(m_tree->GetLineSpacing(), 10u);
    EXPECT_EQ(m_tree->GetMainWindow()->GetLineHeight(), before + 6);
}

TEST_F(TreeListModelTest, ItemAttributes)
{
    BuildSmallTree();
    EXPECT_FALSE(m_tree->GetItemTextColour(m_a).IsOk());
    m_tree->SetItemTextColour(m_a, *wxRED);
    m_tree->SetItemBackgroundColour(m_a, *wxBLUE);
    EXPECT_EQ(m_tree->GetItemTextColour(m_a), *wxRED);
    EXPECT_EQ(m_tree->GetItemBackgroundColour(m_a), *wxBLUE);
    EXPECT_EQ(m_tree->GetItemTextColour(wxTreeItemId()), wxNullColour);

    EXPECT_EQ(m_tree->GetItemFont(m_b), m_tree->GetMainWindow()->GetNormalFont());
    m_tree->SetItemBold(m_b);
    EXPECT_TRUE(m_tree->IsBold(m_b));
    EXPECT_EQ(m_tree->GetItemFont(m_b).GetWeight(), wxFONTWEIGHT_BOLD);
    wxFont italic = m_tree->GetMainWindow()->GetNormalFont().Italic();
    m_tree->SetItemFont(m_b, italic);
    EXPECT_EQ(m_tree->GetItemFont(m_b), italic);

    m_tree->SetItemHasChildren(m_c);
    EXPECT_TRUE(m_tree->HasChildren(m_c));
    EXPECT_EQ(m_tree->GetChildrenCount(m_c), 0u);
}

TEST_F(TreeListModelTest, SelectAllUnselectAndVetoedChanges)
{
    BuildSmallTree();
    m_tree->ExpandAll(m_root);
    EventLog log;
    log.Attach(m_tree, wxEVT_TREE_SEL_CHANGED);
    m_tree->SelectAll();
    wxArrayTreeItemIds selected;
    // from the root's first child to its last child, the root itself not
    EXPECT_EQ(m_tree->GetSelections(selected), 7u);
    EXPECT_FALSE(m_tree->IsSelected(m_root));
    EXPECT_EQ(log.Count(wxEVT_TREE_SEL_CHANGED), 1u);

    m_tree->UnselectAll();
    EXPECT_EQ(m_tree->GetSelections(selected), 0u);
    m_tree->SelectItem(m_b);
    EXPECT_EQ(m_tree->GetSelection(), m_b);
    m_tree->Unselect();
    EXPECT_FALSE(m_tree->GetSelection().IsOk());

    // a range from a2 to b1, programmatically
    m_tree->SelectItem(m_a2, m_b1);
    EXPECT_EQ(m_tree->GetSelections(selected), 4u); // a2 a3 b b1

    m_tree->Bind(wxEVT_TREE_SEL_CHANGING, [](wxTreeEvent& event) { event.Veto(); });
    m_tree->SelectItem(m_c, wxTreeItemId(), false);
    EXPECT_FALSE(m_tree->IsSelected(m_c));
}

} // anonymous namespace
