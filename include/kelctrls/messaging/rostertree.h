/// \file
/// Keeps a contact tree in step with the roster and the contacts' presence:
/// one group item per roster group (contacts without a group go to one named
/// by SetUngroupedName), one contact item per group the contact is in. The
/// name column shows the contact's name and presence icon, the presence
/// column the presence in words and the status column the contact's status
/// text. Contacts that do not share their presence with the user (the
/// subscription is neither "to" nor "both") are drawn in the grey of
/// disabled text, and follow as the subscription changes.
///
/// The tree is filled from the events KelXmppBridge delivers; a client that
/// opens the tree after the sign-in calls KelXmppBridge::ReplayRoster.
#ifndef KELCTRLS_MESSAGING_ROSTERTREE_H
#define KELCTRLS_MESSAGING_ROSTERTREE_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/xmppbridge.h>
#include <kelctrls/treelistctrl.h>

#include <map>
#include <vector>

/// Fills a kel::wxTreeListCtrl with the roster and keeps it in step: group
/// items below the root, contact items below their groups, in the order they
/// came. A group item goes when its last contact does. Contacts are known by
/// their bare address; every address is taken as it comes, unchecked.
///
/// The object is an event handler registered with KelJabberEventCenter; it
/// sends no events. Items it did not add are left alone, but deleting its
/// items behind its back is not allowed.
class KELCTRLS_API KelRosterTree : public wxEvtHandler
{
public:
    /// The columns the tree should have (add them before the contacts come).
    enum Column
    {
        NameColumn = 0,     ///< the contact's name and presence icon; group names
        PresenceColumn = 1, ///< the presence in words, with its icon
        StatusColumn = 2    ///< the contact's status text
    };

    /// Registers for jabEVT_ROSTER and jabEVT_PRESENCE with the event hub. The
    /// tree is not owned and must not be null; destroy this object before the
    /// tree. Contacts go below the tree's root, which is added (with an empty
    /// text) when the tree has none, so the tree needs a column first.
    explicit KelRosterTree(kel::wxTreeListCtrl* tree);
    /// Unregisters from the event hub; the items stay in the tree.
    ~KelRosterTree() override;

    /// The image index (into the tree's image list) shown for a presence
    /// kind, in the name column and the presence column; -1, and every kind
    /// without one, shows none. Items already shown keep their image until
    /// they are painted again (the next presence or move).
    void SetPresenceImage(PTYPE type, int image);
    /// The image indexes of closed and open group items; -1 shows none. Used
    /// for groups added afterwards.
    void SetGroupImages(int closed, int open);
    /// The group of contacts without any ("Contacts" by default). Used for
    /// contacts shown afterwards; an empty name gives a group item without
    /// text.
    void SetUngroupedName(const wxString& name) { m_ungrouped = name; }
    /// The columns of the presence in words and of the status text (by
    /// default PresenceColumn and StatusColumn); -1 shows it nowhere. Used for
    /// items painted afterwards; a column the tree lacks is ignored by it.
    void SetColumns(int presenceColumn, int statusColumn);

    /// The first item showing the contact, or an invalid item.
    wxTreeItemId FindContact(const wxString& jid) const;
    /// The item of a group, by its name as shown; an invalid item when no
    /// contact is in it.
    wxTreeItemId FindGroup(const wxString& name) const;
    /// The address of the contact an item shows; empty for other items.
    wxString GetContactJid(const wxTreeItemId& item) const;
    /// How many contacts the tree shows (each counted once, whatever its
    /// groups).
    size_t GetContactCount() const { return m_contacts.size(); }
    /// The presence kind last shown for a contact; PTYPE_OFFLINE for an
    /// unknown address.
    PTYPE GetPresence(const wxString& jid) const;

    /// The subscription of a contact as its roster entry last said ("none",
    /// "to", "from", "both"); empty for an unknown address.
    wxString GetSubscription(const wxString& jid) const;
    /// Whether a contact with this subscription shares its presence with the
    /// user: "to" and "both".
    static bool SharesPresence(const wxString& subscription);
    /// Shows a contact as a roster entry describes it: one item in each of
    /// its groups, with its name. A contact already shown keeps its presence;
    /// its items are renamed in place when its groups stay the same, else
    /// deleted and added again at the end of the new groups. Called for each
    /// jabEVT_ROSTER with GetInt() 1.
    void ShowContact(const RosterBean& contact);
    /// Removes a contact's items and the groups left empty; an unknown
    /// address is ignored. Called for each jabEVT_ROSTER with GetInt() 0.
    void RemoveContact(const wxString& jid);
    /// Shows a contact's presence kind and status text (dropped for
    /// PTYPE_OFFLINE) on each of its items; an address not shown (presence
    /// before the roster, or from someone not in it) is ignored. Called for
    /// each jabEVT_PRESENCE.
    void ShowPresence(const wxString& jid, PTYPE type, const wxString& status);

    /// The presence kind in words, translated ("Online", "Away", "Busy",
    /// "Extended away", "Invisible", "Free to chat"; "Offline" for
    /// PTYPE_OFFLINE and any other value).
    static wxString PresenceText(PTYPE type);

private:
    struct Contact
    {
        wxString name;
        wxArrayString groups;
        std::vector<wxTreeItemId> items;
        PTYPE presence = PTYPE_OFFLINE;
        wxString status;
        wxString subscription;
    };

    void OnRoster(JabberSimpleEvent& event);
    void OnPresence(JabberSimpleEvent& event);
    wxTreeItemId GroupItem(const wxString& name);
    void DeleteItems(Contact& contact);
    void PaintPresence(const Contact& contact, const wxTreeItemId& item);

    kel::wxTreeListCtrl* m_tree;
    std::map<wxString, Contact> m_contacts;
    std::map<wxString, wxTreeItemId> m_groups;
    std::map<PTYPE, int> m_presenceImages;
    int m_presenceColumn = PresenceColumn;
    int m_statusColumn = StatusColumn;
    int m_groupImage = -1;
    int m_groupOpenImage = -1;
    wxString m_ungrouped = "Contacts";
};

#endif
