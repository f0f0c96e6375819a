// The roster tree on its own: contacts in several groups, regrouping,
// presence on every item of a contact, and the columns it writes.
#include "testsupport.h"

#include <kelctrls/messaging/rostertree.h>

#include <wx/frame.h>

#include <memory>

namespace
{

wxArrayString Groups(std::initializer_list<const char*> names)
{
    wxArrayString groups;
    for (const char* name : names)
        groups.Add(name);
    return groups;
}

class XmppRosterTreeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "roster");
        m_tree = new kel::wxTreeListCtrl(m_frame, wxID_ANY);
        for (const char* column : {"Name", "Presence", "Status"})
            m_tree->AddColumn(column, 120);
        m_roster.reset(new KelRosterTree(m_tree));
        m_roster->SetPresenceImage(PTYPE_ONLINE, 3);
        m_roster->SetPresenceImage(PTYPE_OFFLINE, 5);
    }

    void TearDown() override
    {
        m_roster.reset();
        m_frame->Destroy();
    }

    size_t ItemsOf(const wxString& group) const
    {
        const wxTreeItemId item = m_roster->FindGroup(group);
        return item.IsOk() ? m_tree->GetChildrenCount(item, false) : 0;
    }

    wxFrame* m_frame = nullptr;
    kel::wxTreeListCtrl* m_tree = nullptr;
    std::unique_ptr<KelRosterTree> m_roster;
};

TEST_F(XmppRosterTreeTest, ContactInTwoGroupsShowsTwiceAndFollowsPresenceEverywhere)
{
    m_roster->ShowContact(RosterBean("dora@x", "Dora", Groups({"Sales", "Friends"}), "both"));
    m_roster->ShowContact(RosterBean("emil@x", "", Groups({}), "both"));
    EXPECT_EQ(1u, ItemsOf("Sales"));
    EXPECT_EQ(1u, ItemsOf("Friends"));
    // Without a group and a name: the ungrouped group and the user part.
    EXPECT_EQ(1u, ItemsOf("Contacts"));
    EXPECT_EQ("emil", m_tree->GetItemText(m_roster->FindContact("emil@x")));

    m_roster->ShowPresence("dora@x", PTYPE_ONLINE, "At the fair");
    for (const char* group : {"Sales", "Friends"})
    {
        long cookie;
        const wxTreeItemId item = m_tree->GetFirstChild(m_roster->FindGroup(group), cookie);
        EXPECT_EQ("dora@x", m_roster->GetContactJid(item));
        EXPECT_EQ("Online", m_tree->GetItemText(item, KelRosterTree::PresenceColumn));
        EXPECT_EQ("At the fair", m_tree->GetItemText(item, KelRosterTree::StatusColumn));
        EXPECT_EQ(3, m_tree->GetItemImage(item, KelRosterTree::NameColumn));
    }
    // Presence of someone not on the roster changes nothing.
    m_roster->ShowPresence("stranger@x", PTYPE_ONLINE, "hi");
    EXPECT_FALSE(m_roster->FindContact("stranger@x").IsOk());
}

TEST_F(XmppRosterTreeTest, RenamingOrRepeatingAContactKeepsItsItem)
{
    m_roster->ShowContact(RosterBean("dora@x", "Dora", Groups({"Sales"}), "both"));
    const wxTreeItemId item = m_roster->FindContact("dora@x");
    m_tree->SelectItem(item);
    m_roster->ShowContact(RosterBean("dora@x", "Dora V.", Groups({"Sales"}), "both"));
    EXPECT_EQ(item, m_roster->FindContact("dora@x"));
    EXPECT_EQ("Dora V.", m_tree->GetItemText(item));
    EXPECT_TRUE(m_tree->IsSelected(item));
}

TEST_F(XmppRosterTreeTest, RegroupingKeepsPresenceAndDropsEmptyGroups)
{
    m_roster->ShowContact(RosterBean("dora@x", "Dora", Groups({"Sales"}), "both"));
    m_roster->ShowPresence("dora@x", PTYPE_ONLINE, "Busy day");
    m_roster->ShowContact(RosterBean("dora@x", "Dora Vogel", Groups({"Support"}), "both"));
    EXPECT_FALSE(m_roster->FindGroup("Sales").IsOk());
    const wxTreeItemId item = m_roster->FindContact("dora@x");
    EXPECT_EQ(m_roster->FindGroup("Support"), m_tree->GetItemParent(item));
    EXPECT_EQ("Dora Vogel", m_tree->GetItemText(item));
    EXPECT_EQ("Busy day", m_tree->GetItemText(item, KelRosterTree::StatusColumn));

    m_roster->ShowPresence("dora@x", PTYPE_OFFLINE, "ignored when offline");
    EXPECT_EQ("", m_tree->GetItemText(item, KelRosterTree::StatusColumn));
    EXPECT_EQ(5, m_tree->GetItemImage(item, KelRosterTree::NameColumn));

    m_roster->RemoveContact("dora@x");
    m_roster->RemoveContact("dora@x");
    EXPECT_FALSE(m_roster->FindGroup("Support").IsOk());
    EXPECT_EQ(0u, m_roster->GetContactCount());
    EXPECT_EQ(0u, m_tree->GetChildrenCount(m_tree->GetRootItem()));
}

TEST_F(XmppRosterTreeTest, NarrowListWritesStatusWhereItIsAskedFor)
{
    m_roster->SetColumns(-1, 1);
    m_roster->ShowContact(RosterBean("dora@x", "Dora", Groups({"Sales"}), "both"));
    m_roster->ShowPresence("dora@x", PTYPE_ONLINE, "Out of office");
    const wxTreeItemId item = m_roster->FindContact("dora@x");
    EXPECT_EQ("Out of office", m_tree->GetItemText(item, 1));
    EXPECT_EQ("", m_tree->GetItemText(item, 2));
}

TEST_F(XmppRosterTreeTest, RosterAndPresenceEventsFromTheHubReachTheTree)
{
    RosterBean bean("dora@x", "Dora", Groups({"Sales"}), "both");
    JabberSimpleEvent added(jabEVT_ROSTER);
    added.SetBean(&bean);
    added.SetInt(1);
    KelJabberEventCenter::GetInstance()->Deliver(added);
    ASSERT_TRUE(m_roster->FindContact("dora@x").IsOk());

    Presence presence("dora@x", "me@x", PTYPE_AWAY, "away", "both");
    JabberSimpleEvent changed(jabEVT_PRESENCE);
    changed.SetBean(&presence);
    changed.SetString("Lunch");
    KelJabberEventCenter::GetInstance()->Deliver(changed);
    EXPECT_EQ(PTYPE_AWAY, m_roster->GetPresence("dora@x"));

    JabberSimpleEvent removed(jabEVT_ROSTER);
    removed.SetBean(&bean);
    removed.SetInt(0);
    KelJabberEventCenter::GetInstance()->Deliver(removed);
    EXPECT_FALSE(m_roster->FindContact("dora@x").IsOk());
}

} // anonymous namespace
