#include <kelctrls/messaging/rostertree.h>

#include <wx/settings.h>

#include <kelctrls/platform/imcore.h>

#include "skin/librarytext.h"

KelRosterTree::KelRosterTree(kel::wxTreeListCtrl* tree) : m_tree(tree)
{
    if (!m_tree->GetRootItem().IsOk())
        m_tree->AddRoot(wxString());
    Bind(jabEVT_ROSTER, &KelRosterTree::OnRoster, this);
    Bind(jabEVT_PRESENCE, &KelRosterTree::OnPresence, this);
    KelJabberEventCenter* center = KelJabberEventCenter::GetInstance();
    center->Register(this, jabEVT_ROSTER, "KelRosterTree", "jabEVT_ROSTER");
    center->Register(this, jabEVT_PRESENCE, "KelRosterTree", "jabEVT_PRESENCE");
}

KelRosterTree::~KelRosterTree()
{
    KelJabberEventCenter::GetInstance()->UnRegister(this, -1);
}

wxString KelRosterTree::PresenceText(PTYPE type)
{
    switch (type)
    {
    case PTYPE_ONLINE:
        return _("Online");
    case PTYPE_AWAY:
        return _("Away");
    case PTYPE_BUSY:
        return _("Busy");
    case PTYPE_EXTENDED_AWAY:
        return _("Extended away");
    case PTYPE_INVISIBLE:
        return _("Invisible");
    case PTYPE_CHAT:
        return _("Free to chat");
    default:
        return _("Offline");
    }
}

void KelRosterTree::SetPresenceImage(PTYPE type, int image)
{
    m_presenceImages[type] = image;
}

void KelRosterTree::SetGroupImages(int closed, int open)
{
    m_groupImage = closed;
    m_groupOpenImage = open;
}

void KelRosterTree::SetColumns(int presenceColumn, int statusColumn)
{
    m_presenceColumn = presenceColumn;
    m_statusColumn = statusColumn;
}

wxTreeItemId KelRosterTree::FindContact(const wxString& jid) const
{
    const auto contact = m_contacts.find(jid);
    return contact == m_contacts.end() || contact->second.items.empty() ? wxTreeItemId()
                                                                        : contact->second.items.front();
}

wxTreeItemId KelRosterTree::FindGroup(const wxString& name) const
{
    const auto group = m_groups.find(name);
    return group == m_groups.end() ? wxTreeItemId() : group->second;
}

wxString KelRosterTree::GetContactJid(const wxTreeItemId& item) const
{
    for (const auto& contact : m_contacts)
        for (const wxTreeItemId& shown : contact.second.items)
            if (shown == item)
                return contact.first;
    return wxString();
}

PTYPE KelRosterTree::GetPresence(const wxString& jid) const
{
    const auto contact = m_contacts.find(jid);
    return contact == m_contacts.end() ? PTYPE_OFFLINE : contact->second.presence;
}

wxTreeItemId KelRosterTree::GroupItem(const wxString& name)
{
    wxTreeItemId& group = m_groups[name];
    if (!group.IsOk())
    {
        group = m_tree->AppendItem(m_tree->GetRootItem(), name, m_groupImage);
        m_tree->SetItemImage(group, m_groupOpenImage, wxTreeItemIcon_Expanded);
        m_tree->SetItemBold(group);
    }
    return group;
}

void KelRosterTree::DeleteItems(Contact& contact)
{
    for (const wxTreeItemId& item : contact.items)
    {
        const wxTreeItemId group = m_tree->GetItemParent(item);
        m_tree->Delete(item);
        if (m_tree->GetChildrenCount(group, false) == 0)
        {
            m_groups.erase(m_tree->GetItemText(group));
            m_tree->Delete(group);
        }
    }
    contact.items.clear();
}

void KelRosterTree::PaintPresence(const Contact& contact, const wxTreeItemId& item)
{
    const auto image = m_presenceImages.find(contact.presence);
    const int index = image == m_presenceImages.end() ? -1 : image->second;
    m_tree->SetItemImage(item, NameColumn, index);
    if (m_presenceColumn >= 0)
    {
        m_tree->SetItemImage(item, m_presenceColumn, index);
        m_tree->SetItemText(item, m_presenceColumn, PresenceText(contact.presence));
    }
    if (m_statusColumn >= 0)
        m_tree->SetItemText(item, m_statusColumn, contact.status);
    m_tree->SetItemTextColour(item, SharesPresence(contact.subscription)
                                        ? wxNullColour
                                        : wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
}

bool KelRosterTree::SharesPresence(const wxString& subscription)
{
    return subscription == "to" || subscription == "both";
}

wxString KelRosterTree::GetSubscription(const wxString& jid) const
{
    const auto contact = m_contacts.find(jid);
    return contact == m_contacts.end() ? wxString() : contact->second.subscription;
}

void KelRosterTree::ShowContact(const RosterBean& bean)
{
    Contact& contact = m_contacts[bean.GetJid()];
    wxArrayString groups = bean.GetGroups();
    if (groups.empty())
        groups.Add(m_ungrouped);
    contact.name = bean.GetName();
    contact.subscription = bean.GetSubscriptionType();
    // Items stay where they are while their groups do, so that selection
    // and scrolling survive renames and repeated rosters.
    if (groups == contact.groups)
    {
        for (const wxTreeItemId& item : contact.items)
        {
            m_tree->SetItemText(item, NameColumn, contact.name);
            PaintPresence(contact, item);
        }
        return;
    }
    DeleteItems(contact);
    contact.groups = groups;
    for (const wxString& group : groups)
    {
        const wxTreeItemId item = m_tree->AppendItem(GroupItem(group), contact.name);
        PaintPresence(contact, item);
        contact.items.push_back(item);
    }
}

void KelRosterTree::RemoveContact(const wxString& jid)
{
    const auto contact = m_contacts.find(jid);
    if (contact == m_contacts.end())
        return;
    DeleteItems(contact->second);
    m_contacts.erase(contact);
}

void KelRosterTree::ShowPresence(const wxString& jid, PTYPE type, const wxString& status)
{
    const auto found = m_contacts.find(jid);
    if (found == m_contacts.end())
        return;
    Contact& contact = found->second;
    contact.presence = type;
    contact.status = type == PTYPE_OFFLINE ? wxString() : status;
    for (const wxTreeItemId& item : contact.items)
        PaintPresence(contact, item);
}

void KelRosterTree::OnRoster(JabberSimpleEvent& event)
{
    const RosterBean* bean = dynamic_cast<RosterBean*>(event.GetBean());
    if (!bean)
        return;
    if (event.GetInt())
        ShowContact(*bean);
    else
        RemoveContact(bean->GetJid());
}

void KelRosterTree::OnPresence(JabberSimpleEvent& event)
{
    const Presence* presence = dynamic_cast<Presence*>(event.GetBean());
    if (presence)
        ShowPresence(presence->GetJid(), presence->GetType(), event.GetString());
}
