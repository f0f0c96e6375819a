// "Contacts": the company's organisation tree in a multi-column tree list,
// and the client's contact list in the side pane of the main window.
#include "demoregistry.h"
#include "livesession.h"
#include "people.h"

#include <kelctrls/messaging/rostertree.h>
#include <kelctrls/skin.h>
#include <kelctrls/treelistctrl.h>

#include "chatwindow.h"
#include "skinart.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>

#include "demotext.h"

#include <vector>

namespace
{

enum ContactImage
{
    ImageGroup,
    ImageGroupOpen,
    ImageOnline,
    ImageAway,
    ImageBusy,
    ImageOffline
};

const char* const kSignatures[] = {wxTRANSLATE("In meetings until noon"),
                                   wxTRANSLATE("Working from home today"),
                                   wxTRANSLATE("Release week - ping me on chat"),
                                   wxTRANSLATE("Back from holiday"),
                                   "",
                                   wxTRANSLATE("Call me on my mobile"),
                                   wxTRANSLATE("Focus time, answers after 3 pm"),
                                   wxTRANSLATE("On the road, slow to answer"),
                                   "",
                                   wxTRANSLATE("Happy to help")};

// A made-up text of the demo's catalogue in the current language; empty stays empty.
wxString Translated(const char* text)
{
    return *text ? _(text) : wxString();
}

wxImageList* ContactImages(const wxWindow* tree)
{
    return DemoSkinImageList(tree, wxSize(16, 16),
                             {"tree_group", "tree_group_open", "tree_status_online", "tree_status_away",
                              "tree_status_busy", "tree_status_offline"});
}

wxImageList* ExpanderImages(const wxWindow* tree)
{
    return DemoSkinImageStrip(tree, "tree_buttons", wxSize(11, 11), 4);
}

struct Presence
{
    int image;
    const char* text;
};

// A stable, realistic mix: half online, a quarter offline.
Presence PresenceOf(unsigned person)
{
    const unsigned h = (person * 2654435761u) >> 24;
    if (h < 128)
        return {ImageOnline, wxTRANSLATE("Online")};
    if (h < 166)
        return {ImageAway, wxTRANSLATE("Away")};
    if (h < 192)
        return {ImageBusy, wxTRANSLATE("Busy")};
    return {ImageOffline, wxTRANSLATE("Offline")};
}

void StyleTree(wxTreeListCtrl* tree)
{
    KelSkinResource* skin = KelSkinResource::GetInstance();
    tree->AssignImageList(ContactImages(tree));
    tree->AssignButtonsImageList(ExpanderImages(tree));
    tree->SetBackgroundColour(skin->GetColour("color_tree_back"));
    tree->SetSelectItemColour(skin->GetColour("color_tree_select"),
                              skin->GetColour("color_tree_select_border"));
    tree->SetUnFocusSelectItemColour(skin->GetColour("color_tree_select"));
    tree->SetSelectFontColour(skin->GetColour("color_tree_select_text"));
}

wxTreeItemId AddGroup(wxTreeListCtrl* tree, const wxTreeItemId& parent, const wxString& name)
{
    const wxTreeItemId group = tree->AppendItem(parent, name, ImageGroup);
    tree->SetItemImage(group, ImageGroupOpen, wxTreeItemIcon_Expanded);
    tree->SetItemBold(group);
    tree->SetItemTextColour(group, KelSkinResource::GetInstance()->GetColour("color_tree_group_text"));
    return group;
}

void AddPerson(wxTreeListCtrl* tree, const wxTreeItemId& group, unsigned person)
{
    const Presence presence = PresenceOf(person);
    const wxTreeItemId item = tree->AppendItem(group, PersonName(person), presence.image);
    tree->SetItemText(item, 1, Translated(presence.text));
    tree->SetItemImage(item, 1, presence.image);
    tree->SetItemText(item, 2, Translated(kSignatures[person % WXSIZEOF(kSignatures)]));
}

// Fills the tree with one department per entry of `sizes`, each with that
// many people.
void FillOrganisation(wxTreeListCtrl* tree, const std::vector<unsigned>& sizes)
{
    tree->DeleteRoot();
    const wxTreeItemId root = tree->AddRoot(_("Kel Corporation"));
    unsigned person = 0;
    for (size_t d = 0; d < sizes.size(); ++d)
    {
        const wxString name = DepartmentName(d);
        const wxTreeItemId group = AddGroup(tree, root, wxString::Format("%s (%u)", name, sizes[d]));
        for (unsigned p = 0; p < sizes[d]; ++p)
            AddPerson(tree, group, person++);
    }
}

wxTreeListCtrl* CreateOrganisationTree(wxWindow* parent)
{
    wxTreeListCtrl* tree = new wxTreeListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                              wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_MULTIPLE |
                                                  wxTR_HIDE_ROOT_FULL_ROW | wxBORDER_SIMPLE);
    tree->AddColumn(_("Name"), tree->FromDIP(240));
    tree->AddColumn(_("Presence"), tree->FromDIP(100));
    tree->AddColumn(_("Signature"), tree->FromDIP(320), wxALIGN_LEFT, -1, true, true);
    StyleTree(tree);
    return tree;
}

class ContactsPage : public wxPanel
{
public:
    explicit ContactsPage(wxWindow* parent) : wxPanel(parent, wxID_ANY)
    {
        SetBackgroundColour(KelSkinResource::GetInstance()->GetColour("color_pane_bk"));
        m_tree = CreateOrganisationTree(this);
        FillOrganisation(m_tree, {9, 124, 58, 71, 23, 14});
        ShowSomeDepartments();

        wxButton* load = new wxButton(this, wxID_ANY, _("Load 100,000 people"));
        load->Bind(wxEVT_BUTTON, &ContactsPage::OnLoadLarge, this);
        m_status = new wxStaticText(this, wxID_ANY,
                                    _("299 people in 6 departments. "
                                      "Type a name to find it; click a selected signature to edit it."));
        m_status->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_text_grey"));

        wxBoxSizer* bar = new wxBoxSizer(wxHORIZONTAL);
        bar->Add(load, wxSizerFlags().Border(wxRIGHT, FromDIP(10)).CentreVertical());
        bar->Add(m_status, 1, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(bar, wxSizerFlags().Expand().Border(wxALL, FromDIP(8)));
        sizer->Add(m_tree, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(8)));
        SetSizer(sizer);
    }

private:
    void ShowSomeDepartments()
    {
        long cookie;
        const wxTreeItemId root = m_tree->GetRootItem();
        const wxTreeItemId management = m_tree->GetFirstChild(root, cookie);
        const wxTreeItemId engineering = m_tree->GetNextChild(root, cookie);
        m_tree->Expand(management);
        m_tree->Expand(engineering);
        long people;
        m_tree->GetFirstChild(management, people);
        m_tree->GetNextChild(management, people);
        m_tree->PositionItem(m_tree->GetNextChild(management, people));
    }

    void OnLoadLarge(wxCommandEvent&)
    {
        wxBusyCursor busy;
        wxStopWatch watch;
        m_tree->Freeze();
        FillOrganisation(m_tree, std::vector<unsigned>(100, 1000));
        m_tree->ExpandAll(m_tree->GetRootItem());
        m_tree->Thaw();
        m_status->SetLabel(wxString::Format(
            _("100,000 people in 100 departments, built and expanded in %ld ms."), watch.Time()));
    }

    wxTreeListCtrl* m_tree;
    wxStaticText* m_status;
};

DemoPageRegistration contacts(20, wxTRANSLATE("Contacts"),
                              [](wxWindow* parent) -> wxWindow* { return new ContactsPage(parent); });

// The client's own contact list: no header, hidden root, groups with the
// number of people online.
struct Buddy
{
    const char* group;
    const char* name;
    unsigned presence;
    const char* signature;
};

const Buddy kBuddies[] = {
    {wxTRANSLATE("Friends"), "Alice Chen", 0, wxTRANSLATE("Climbing on Saturday?")},
    {wxTRANSLATE("Friends"), "Bruno Costa", 1, ""},
    {wxTRANSLATE("Friends"), "Clara Jensen", 3, ""},
    {wxTRANSLATE("Colleagues"), "David Novak", 0, wxTRANSLATE("Release week")},
    {wxTRANSLATE("Colleagues"), "Eva Lindqvist", 2, wxTRANSLATE("In meetings")},
    {wxTRANSLATE("Colleagues"), "Farid Yilmaz", 0, ""},
    {wxTRANSLATE("Colleagues"), "Grace Tanaka", 3, ""},
    {wxTRANSLATE("Family"), "Mum", 0, ""},
    {wxTRANSLATE("Family"), "Tom", 1, wxTRANSLATE("Exams!")},
};

DemoMainHookRegistration contactList(
    20,
    [](DemoMainFrame& frame)
    {
        if (DemoLiveSession::Get())
            return;
        wxWindow* pane = frame.GetSidePane();
        wxTreeListCtrl* tree =
            new wxTreeListCtrl(pane, wxID_ANY, wxDefaultPosition, pane->FromDIP(wxSize(-1, 320)),
                               wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_HEADER | wxTR_HIDE_ROOT_FULL_ROW);
        tree->AddColumn(_("Contact"), tree->FromDIP(150));
        tree->AddColumn(_("Signature"), tree->FromDIP(120));
        StyleTree(tree);
        const wxTreeItemId root = tree->AddRoot("contacts");
        static const int kPresenceImages[] = {ImageOnline, ImageAway, ImageBusy, ImageOffline};
        wxTreeItemId group;
        wxString groupName;
        for (const Buddy& buddy : kBuddies)
        {
            if (groupName != buddy.group)
            {
                groupName = buddy.group;
                group = AddGroup(tree, root, _(buddy.group));
                tree->Expand(group);
            }
            const wxTreeItemId item = tree->AppendItem(group, buddy.name, kPresenceImages[buddy.presence]);
            tree->SetItemText(item, 1, Translated(buddy.signature));
            if (buddy.presence == 3)
                tree->SetItemTextColour(item, KelSkinResource::GetInstance()->GetColour("color_text_grey"));
        }
        tree->PositionItem(tree->FindItem(root, "David Novak"));
        frame.GetSideSizer()->Add(tree, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    });

// The same list fed by the Jabber server: roster, presence and status text
// as they come. Activating a contact opens a chat with it.
class LiveContactList : public wxEvtHandler
{
public:
    LiveContactList(DemoMainFrame& frame, wxTreeListCtrl* tree) : m_frame(frame), m_tree(tree), m_roster(tree)
    {
        m_roster.SetColumns(-1, 1);
        m_roster.SetGroupImages(ImageGroup, ImageGroupOpen);
        m_roster.SetPresenceImage(PTYPE_ONLINE, ImageOnline);
        m_roster.SetPresenceImage(PTYPE_CHAT, ImageOnline);
        m_roster.SetPresenceImage(PTYPE_AWAY, ImageAway);
        m_roster.SetPresenceImage(PTYPE_EXTENDED_AWAY, ImageAway);
        m_roster.SetPresenceImage(PTYPE_BUSY, ImageBusy);
        m_roster.SetPresenceImage(PTYPE_OFFLINE, ImageOffline);
        Bind(jabEVT_ROSTER_LOADED, &LiveContactList::OnRosterLoaded, this);
        Bind(jabEVT_CONNECTION, &LiveContactList::OnConnection, this);
        KelJabberEventCenter* center = KelJabberEventCenter::GetInstance();
        center->Register(this, jabEVT_ROSTER_LOADED, "LiveContactList", "jabEVT_ROSTER_LOADED");
        center->Register(this, jabEVT_CONNECTION, "LiveContactList", "jabEVT_CONNECTION");
        tree->Bind(wxEVT_TREE_ITEM_ACTIVATED, &LiveContactList::OnActivated, this);
        tree->Bind(wxEVT_DESTROY, &LiveContactList::OnTreeDestroyed, this);
    }

    ~LiveContactList() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

private:
    void OnRosterLoaded(wxCommandEvent&)
    {
        const wxTreeItemId bob = m_roster.FindContact(DemoLiveSession::Get()->GetResponderJid());
        if (!bob.IsOk())
            return;
        m_tree->Expand(m_tree->GetItemParent(bob));
        m_tree->SelectItem(bob);
        m_tree->ScrollTo(bob);
    }

    void OnConnection(wxCommandEvent& event)
    {
        static const char* const kStates[] = {wxTRANSLATE("Offline"), wxTRANSLATE("Signing in"),
                                              wxTRANSLATE("Online"), wxTRANSLATE("Reconnecting")};
        m_frame.GetStatusBar()->SetStatusText(_(kStates[event.GetInt() % WXSIZEOF(kStates)]), 0);
    }

    void OnActivated(wxTreeEvent& event)
    {
        const wxString jid = m_roster.GetContactJid(event.GetItem());
        if (jid.empty())
            return;
        wxArrayString peers;
        peers.Add(jid);
        (new DemoChatWindow(m_frame.GetFrame(), peers))->Show();
    }

    void OnTreeDestroyed(wxWindowDestroyEvent& event)
    {
        event.Skip();
        if (event.GetEventObject() == m_tree)
            delete this;
    }

    DemoMainFrame& m_frame;
    wxTreeListCtrl* m_tree;
    KelRosterTree m_roster;
};

DemoMainHookRegistration
    liveContactList(20,
                    [](DemoMainFrame& frame)
                    {
                        if (!DemoLiveSession::Get())
                            return;
                        wxTreeListCtrl* tree = new wxTreeListCtrl(
                            frame.GetSidePane(), wxID_ANY, wxDefaultPosition,
                            frame.GetSidePane()->FromDIP(wxSize(-1, 320)),
                            wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_HEADER | wxTR_HIDE_ROOT_FULL_ROW);
                        tree->AddColumn(_("Contact"), tree->FromDIP(150));
                        tree->AddColumn(_("Status"), tree->FromDIP(160));
                        StyleTree(tree);
                        tree->AddRoot("contacts");
                        new LiveContactList(frame, tree);
                        // The roster may have come while the main window was being built.
                        DemoLiveSession::Get()->GetBridge().ReplayRoster();
                        frame.GetSideSizer()->Add(tree, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
                    });

} // anonymous namespace
