// Keeps a contact tree in step with the roster and the contacts' presence:
// one group item per roster group (contacts without a group go to one named
// by SetUngroupedName), one contact item per group the contact is in. The
// name column shows the contact's name and presence icon, the presence
// column the presence in words and the status column the contact's status
// text.
#ifndef KELCTRLS_MESSAGING_ROSTERTREE_H
#define KELCTRLS_MESSAGING_ROSTERTREE_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/xmppbridge.h>
#include <kelctrls/treelistctrl.h>

#include <map>
#include <vector>

class KELCTRLS_API KelRosterTree : public wxEvtHandler
{
public:
    enum Column
    {
        NameColumn = 0,
        PresenceColumn = 1,
        StatusColumn = 2
    };

    // Registers for jabEVT_ROSTER and jabEVT_PRESENCE with the event hub. The
    // tree is not owned; destroy this object before the tree. Contacts go
    // below the tree's root, which is added when the tree has none.
    explicit KelRosterTree(kel::wxTreeListCtrl* tree);
    ~KelRosterTree() override;

    // Image indexes (into the tree's image list) of each presence kind, and
    // of closed and open groups; -1 shows none.
    void SetPresenceImage(PTYPE type, int image);
    void SetGroupImages(int closed, int open);
    void SetUngroupedName(const wxString& name) { m_ungrouped = name; }
    // The columns of the presence in words and of the status text (by
    // default PresenceColumn and StatusColumn); -1 shows it nowhere.
    void SetColumns(int presenceColumn, int statusColumn);

    // The first item showing the contact, or an invalid item.
    wxTreeItemId FindContact(const wxString& jid) const;
    wxTreeItemId FindGroup(const wxString& name) const;
    // The address of the contact an item shows; empty for other items.
    wxString GetContactJid(const wxTreeItemId& item) const;
    size_t GetContactCount() const { return m_contacts.size(); }
    PTYPE GetPresence(const wxString& jid) const;

    // Shows a contact as a roster entry describes it, or removes it.
    void ShowContact(const RosterBean& contact);
    void RemoveContact(const wxString& jid);
    void ShowPresence(const wxString& jid, PTYPE type, const wxString& status);

    // The presence kind in words.
    static wxString PresenceText(PTYPE type);

private:
    struct Contact
    {
        wxString name;
        wxArrayString groups;
        std::vector<wxTreeItemId> items;
        PTYPE presence = PTYPE_OFFLINE;
        wxString status;
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
