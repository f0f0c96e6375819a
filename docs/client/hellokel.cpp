// The smallest real client of KelCtrls: a skinned main window with a contact
// tree and a browser panel, and a chat window that opens on a double click.
//
//   hellokel FOLDER [--once]
//
// FOLDER is the client's installation folder (it holds the skin). With
// --once the program opens a chat by itself, waits for the page's last call
// and exits: 0 when everything answered as it should.
#include <kelctrls/kelctrls.h>

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stdpaths.h>

#include <cstdio>

class HelloApp : public wxApp
{
public:
    bool OnInit() override;

    // The exit status: the main loop's, else the self-check's.
    int OnRun() override
    {
        const int status = wxApp::OnRun();
        return status ? status : m_status;
    }
    void SetStatus(int status) { m_status = status; }

private:
    int m_status = 0;
};
wxDECLARE_APP(HelloApp);

// [chat]
// A chat window: the conversation in a read-only rich text control.
class ChatWindow : public KelFrameBase
{
public:
    explicit ChatWindow(const wxString& peer)
        : KelFrameBase(nullptr, wxID_ANY, "Chat with " + peer, wxDefaultPosition, wxSize(420, 300))
    {
        m_history = new KelRichText(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                    wxRE_MULTILINE | wxRE_READONLY);
        m_history->WriteText(peer + ": Hello! Lunch at noon?");
        m_history->Newline();
        // Registered windows (top-level ones without a parent) get the
        // skin's icon and close with the client.
        KelWindowManager::Get()->Register(this);
    }

    wxString GetConversation() const { return m_history->GetValue(); }

private:
    KelRichText* m_history = nullptr;
};
// [chat]

// The main window. It also answers the calls of the pages in its browser
// panel (wxIECallBase).
class MainWindow : public KelFrameBase, public wxIECallBase
{
public:
    explicit MainWindow(bool once)
        : KelFrameBase(nullptr, wxID_ANY, "Hello Kel", wxDefaultPosition, wxSize(720, 480)), m_once(once)
    {
        // [tree]
        m_contacts = new wxTreeListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(260, -1),
                                        wxTR_HIDE_ROOT | wxTR_HAS_BUTTONS | wxTR_FULL_ROW_HIGHLIGHT);
        m_contacts->AddColumn("Contact", 150);
        m_contacts->AddColumn("Status", 90);
        const wxTreeItemId root = m_contacts->AddRoot("Contacts");
        const wxTreeItemId friends = m_contacts->AppendItem(root, "Friends");
        AddContact(friends, "Alice", "online");
        AddContact(friends, "Bob", "away");
        m_contacts->Expand(friends);
        m_contacts->Bind(wxEVT_TREE_ITEM_ACTIVATED, &MainWindow::OnContactActivated, this);
        // [tree]

        // [panel]
        // The panel asks this window (its call-back) about every page call.
        m_browser = new wxIEPanel(this, this);
        // [panel]

        wxBoxSizer* sizer = new wxBoxSizer(wxHORIZONTAL);
        sizer->Add(m_contacts, 0, wxEXPAND);
        sizer->Add(m_browser, 1, wxEXPAND);
        SetSizer(sizer);
        KelWindowManager::Get()->Register(this);
    }

    // [open]
    void OpenPage(const wxString& path) { m_browser->OnNavigate(wxFileName::FileNameToURL(path)); }
    // [open]

    ChatWindow* OpenChat(const wxString& peer)
    {
        ChatWindow* chat = new ChatWindow(peer);
        chat->Show();
        m_lastChat = chat;
        return chat;
    }

    // [page]
    // wxIECallBase: which names a page may call...
    bool JScriptCheck(const wxString& name) override { return name == "Greet" || name == "Done"; }

    // ... and the answers. The page waits for the string returned here.
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        const wxString who = args.empty() ? wxString("stranger") : args[0];
        if (name == "Greet")
            return "Hello, " + who + ", from " + KelJabberJob::GetInstance()->GetMyJid();
        // "Done": the page has shown the greeting it got.
        std::printf("page says: %s\n", static_cast<const char*>(who.utf8_str()));
        if (m_once)
            CallAfter([this, who] { Finish(who); });
        return wxString();
    }
    // [page]

private:
    void AddContact(const wxTreeItemId& group, const wxString& name, const wxString& status)
    {
        const wxTreeItemId item = m_contacts->AppendItem(group, name);
        m_contacts->SetItemText(item, 1, status);
    }

    void OnContactActivated(wxTreeEvent& event)
    {
        if (!m_contacts->HasChildren(event.GetItem()))
            OpenChat(m_contacts->GetItemText(event.GetItem()));
    }

    // The self-check of --once: the page got its answer and the chat shows
    // the conversation.
    void Finish(const wxString& greeting)
    {
        const bool chatShown = m_lastChat && m_lastChat->GetConversation().Contains("Lunch at noon");
        const bool answered = greeting.StartsWith("Hello, page, from alice@kel.example");
        wxGetApp().SetStatus(chatShown && answered ? 0 : 1);
        KelWindowManager::Get()->CloseAll();
    }

    bool m_once;
    wxTreeListCtrl* m_contacts = nullptr;
    wxIEPanel* m_browser = nullptr;
    ChatWindow* m_lastChat = nullptr;
};

bool HelloApp::OnInit()
{
    if (argc < 2)
    {
        std::fprintf(stderr, "usage: hellokel FOLDER [--once]\n");
        return false;
    }
    const bool once = argc > 2 && argv[2] == "--once";
    if (once)
    {
        delete wxLog::SetActiveTarget(new wxLogStderr); // nobody is there to close a dialog
        m_status = 1;                                   // until the self-check passes
    }
    wxInitAllImageHandlers();

    // [folder]
    // 1. The library finds its files below the working directory.
    const wxString page = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath() + "/hello.html";
    if (!wxSetWorkingDirectory(argv[1]))
        return false;
    if (!KelSkinResource::GetInstance()->LoadResource(KelInstallPath("skins/default/default.xml")))
        std::fprintf(stderr, "no skin: drawing with fallbacks\n");
    // [folder]

    // [user]
    // 2. Who is signed in. The browser panel shows its offline page
    //    while the user is offline.
    KelJabberJob* job = KelJabberJob::GetInstance();
    job->SetMyJid("alice@kel.example/desk");
    job->SetUserLocal(wxGetCwd() + "/users/alice");
    PresenceManager::GetInstance()->SetMyPresence(
        Presence(job->GetMyJid(), wxString(), PTYPE_ONLINE, wxString(), wxString()));
    // [user]

    // 3. The windows.
    MainWindow* main = new MainWindow(once);
    main->Show();
    main->OpenPage(page);
    if (once)
        main->OpenChat("Alice");
    return true;
}

wxIMPLEMENT_APP(HelloApp);
