// "Contacts": the company's organisation tree in a multi-column tree list,
// and the client's contact list in the side pane of the main window.
#include "demoregistry.h"
#include "livesession.h"
#include "people.h"

#include <kelctrls/messaging/rostertree.h>
#include <kelctrls/skin.h>
#include <kelctrls/treelistctrl.h>

#include "chatwindow.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>

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

const char* const kSignatures[] = {"In meetings until noon",
                                   "Working from home today",
                                   "Release week - ping me on chat",
                                   "Back from holiday",
                                   "",
                                   "Call me on my mobile",
                                   "Focus time, answers after 3 pm",
                                   "On the road, slow to answer",
                                   "",
                                   "Happy to help"};

wxBitmap SkinBitmap(const wxString& key)
{
    wxBitmap bitmap = KelSkinResource::GetInstance()->GetBitmap(key);
    if (bitmap.IsOk())
        bitmap.SetMask(new wxMask(bitmap, wxColour(255, 0, 255)));
    return bitmap;
}

wxImageList* ContactImages()
{
    wxImageList* images = new wxImageList(16, 16, true);
    for (const char* key : {"tree_group", "tree_group_open", "tree_status_online", "tree_status_away",
                            "tree_status_busy", "tree_status_offline"})
    {
        const wxBitmap bitmap = SkinBitmap(key);
        images->Add(bitmap.IsOk() ? bitmap : wxBitmap(16, 16));
    }
    return images;
}

wxImageList* ExpanderImages()
{
    const wxBitmap strip = SkinBitmap("tree_buttons");
    wxImageList* images = new wxImageList(11, 11, true);
    for (int i = 0; i < 4; ++i)
        images->Add(strip.IsOk() ? strip.GetSubBitmap(wxRect(i * 11, 0, 11, 11)) : wxBitmap(11, 11));
    return images;
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
        return {ImageOnline, "Online"};
    if (h < 166)
        return {ImageAway, "Away"};
    if (h < 192)
        return {ImageBusy, "Busy"};
    return {ImageOffline, "Offline"};
}

void StyleTree(wxTreeListCtrl* tree)
{
    KelSkinResource* skin = KelSkinResource::GetInstance();
    tree->AssignImageList(ContactImages());
    tree->AssignButtonsImageList(ExpanderImages());
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
    tree->SetItemText(item, 1, presence.text);
    tree->SetItemImage(item, 1, presence.image);
    tree->SetItemText(item, 2, kSignatures[person % WXSIZEOF(kSignatures)]);
}

// Fills the tree with one department per entry of `sizes`, each with that
// many people.
void FillOrganisation(wxTreeListCtrl* tree, const std::vector<unsigned>& sizes)
{
    tree->DeleteRoot();
    const wxTreeItemId root = tree->AddRoot("Kel Corporation");
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
    tree->AddColumn("Name", 240);
    tree->AddColumn("Presence", 100);
    tree->AddColumn("Signature", 320, wxALIGN_LEFT, -1, true, true);
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

        wxButton* load = new wxButton(this, wxID_ANY, "Load 100,000 people");
        load->Bind(wxEVT_BUTTON, &ContactsPage::OnLoadLarge, this);
        m_status = new wxStaticText(this, wxID_ANY,
                                    "299 people in 6 departments. "
                                    "Type a name to find it; click a selected signature to edit it.");
        m_status->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_text_grey"));

        wxBoxSizer* bar = new wxBoxSizer(wxHORIZONTAL);
        bar->Add(load, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 10);
        bar->Add(m_status, 1, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(bar, 0, wxEXPAND | wxALL, 8);
        sizer->Add(m_tree, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
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
            "100,000 people in 100 departments, built and expanded in %ld ms.", watch.Time()));
    }

    wxTreeListCtrl* m_tree;
    wxStaticText* m_status;
};

DemoPageRegistration contacts(20, "Contacts",
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
    {"Friends", "Alice Chen", 0, "Climbing on Saturday?"},
    {"Friends", "Bruno Costa", 1, ""},
    {"Friends", "Clara Jensen", 3, ""},
    {"Colleagues", "David Novak", 0, "Release week"},
    {"Colleagues", "Eva Lindqvist", 2, "In meetings"},
    {"Colleagues", "Farid Yilmaz", 0, ""},
    {"Colleagues", "Grace Tanaka", 3, ""},
    {"Family", "Mum", 0, ""},
    {"Family", "Tom", 1, "Exams!"},
};

DemoMainHookRegistration contactList(
    20,
    [](DemoMainFrame& frame)
    {
        if (DemoLiveSession::Get())
            return;
        wxWindow* pane = frame.GetSidePane();
        wxTreeListCtrl* tree =
            new wxTreeListCtrl(pane, wxID_ANY, wxDefaultPosition, wxSize(-1, 320),
                               wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_HEADER | wxTR_HIDE_ROOT_FULL_ROW);
        tree->AddColumn("Contact", 150);
        tree->AddColumn("Signature", 120);
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
                group = AddGroup(tree, root, groupName);
                tree->Expand(group);
            }
            const wxTreeItemId item = tree->AppendItem(group, buddy.name, kPresenceImages[buddy.presence]);
            tree->SetItemText(item, 1, buddy.signature);
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
        static const char* const kStates[] = {"Offline", "Signing in", "Online", "Reconnecting"};
        m_frame.GetStatusBar()->SetStatusText(kStates[event.GetInt() % WXSIZEOF(kStates)], 0);
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
                            frame.GetSidePane(), wxID_ANY, wxDefaultPosition, wxSize(-1, 320),
                            wxTR_HAS_BUTTONS | wxTR_NO_LINES | wxTR_HIDE_HEADER | wxTR_HIDE_ROOT_FULL_ROW);
                        tree->AddColumn("Contact", 150);
                        tree->AddColumn("Status", 160);
                        StyleTree(tree);
                        tree->AddRoot("contacts");
                        new LiveContactList(frame, tree);
                        // The roster may have come while the main window was being built.
                        DemoLiveSession::Get()->GetBridge().ReplayRoster();
                        frame.GetSideSizer()->Add(tree, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
                    });

} // anonymous namespace
