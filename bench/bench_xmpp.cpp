// Chat traffic through a private Prosody on loopback, against the same work
// done locally in the same run:
//  - a 10,000-contact roster: from sign-in until the contact tree holds
//    every contact, against inserting the same contacts into the tree;
//  - one-way messages (chat documents with faces) from a second connection
//    into a shown chat text control, against appending the same documents
//    directly.
#include <localxmppserver.h>

#include <kelctrls/messaging/handlers.h>
#include <kelctrls/messaging/rostertree.h>
#include <kelctrls/richtext.h>

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <cstdio>
#include <functional>

namespace
{

constexpr int Contacts = 10000;
constexpr int Groups = 50;
constexpr int Messages = 1000;
const char* const Password = "bench";

wxString Jid(const wxString& user)
{
    return user + "@" + LocalXmppServer::Domain();
}

std::vector<LocalXmppServer::RosterEntry> BigRoster()
{
    std::vector<LocalXmppServer::RosterEntry> roster;
    for (int i = 0; i < Contacts; ++i)
    {
        LocalXmppServer::RosterEntry entry{
            Jid(wxString::Format("user%05d", i)), wxString::Format("Colleague %05d", i), {}};
        entry.groups.Add(wxString::Format("Department %02d", i % Groups));
        roster.push_back(entry);
    }
    return roster;
}

// Runs the event loop until `done` holds; false when it does not within a
// minute.
bool PumpUntil(const std::function<bool()>& done)
{
    wxStopWatch watch;
    while (!done())
    {
        if (watch.Time() > 60000)
            return false;
        wxTheApp->Yield(true);
        wxMilliSleep(1);
    }
    return true;
}

wxString ChatBody(int n)
{
    return wxString::Format("<?xml version=\"1.0\" encoding=\"UTF-8\"?><richtext version=\"1.0.0.0\">"
                            "<paragraphlayout><paragraph><text>\"Message %d, about the release plan "
                            "\"</text><animation><animationKey>/smile</animationKey><animationType>1"
                            "</animationType></animation></paragraph></paragraphlayout></richtext>",
                            n);
}

class BenchFaces : public FaceInfoHandle
{
public:
    wxString GetFacePath(const wxString&) override { return KELCTRLS_BENCH_DATA_DIR "/faces/smile.gif"; }
    wxString GetFaceKey(const wxString&) override { return "/smile"; }
};

void Report(const char* what, const char* unit, double ours, double local)
{
    std::printf("%-34s %10.1f %-4s %10.1f %-4s %8.2f\n", what, ours, unit, local, unit, ours / local);
}

// Appends each message into `text` as a chat window does.
class ChatSink : public wxEvtHandler
{
public:
    explicit ChatSink(KelRichText* text) : m_text(text)
    {
        Bind(jabEVT_MESSAGE, [this](JabberMessageEvent& event) { Append(event.GetBean().GetBody()); });
        KelJabberEventCenter::GetInstance()->Register(this, jabEVT_MESSAGE, "ChatSink", "jabEVT_MESSAGE");
    }
    ~ChatSink() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

    void Append(const wxString& body)
    {
        m_text->FromXML(body);
        ++m_count;
    }
    int GetCount() const { return m_count; }

private:
    KelRichText* m_text;
    int m_count = 0;
};

} // namespace

class BenchApp : public wxApp
{
public:
    bool OnInit() override
    {
        wxLog::SetActiveTarget(new wxLogStderr);
        LocalXmppServer server;
        if (!server.AddAccount("alice", Password) || !server.AddAccount("bob", Password) ||
            !server.SetRoster("alice", BigRoster()) || !server.Start())
        {
            std::fprintf(stderr, "no server: %s\n", static_cast<const char*>(server.GetError().utf8_str()));
            m_result = 1;
            return true;
        }
        auto frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(700, 500));
        frame->Show();
        const bool rosterOk = BenchRoster(server, frame);
        const bool messagesOk = BenchMessages(server, frame);
        frame->Destroy();
        m_result = rosterOk && messagesOk ? 0 : 1;
        return true;
    }

    int OnRun() override { return m_result; }

private:
    kel::wxTreeListCtrl* NewTree(wxWindow* parent)
    {
        auto tree = new kel::wxTreeListCtrl(parent, wxID_ANY, wxDefaultPosition, wxSize(600, 400));
        tree->AddColumn("Name", 200);
        tree->AddColumn("Presence", 100);
        tree->AddColumn("Status", 200);
        return tree;
    }

    bool BenchRoster(const LocalXmppServer& server, wxWindow* parent)
    {
        kel::wxTreeListCtrl* served = NewTree(parent);
        KelRosterTree servedRoster(served);
        KelXmppClient alice;
        KelXmppBridge bridge(&alice);
        alice.SetServer(server.GetHost(), server.GetPort());
        wxStopWatch watch;
        alice.SignIn(Jid("alice"), Password);
        const bool filled = PumpUntil([&] { return servedRoster.GetContactCount() == Contacts; });
        const double fromServer = watch.Time();

        kel::wxTreeListCtrl* local = NewTree(parent);
        KelRosterTree localRoster(local);
        watch.Start();
        for (const LocalXmppServer::RosterEntry& entry : BigRoster())
            localRoster.ShowContact(RosterBean(entry.jid, entry.name, entry.groups, entry.subscription));
        const double locally = watch.Time();

        std::printf("%-34s %15s %15s %8s\n", "", "through server", "local", "ratio");
        Report("10,000-contact roster into tree", "ms", fromServer, locally);
        alice.SignOut();
        served->Destroy();
        local->Destroy();
        return filled && localRoster.GetContactCount() == Contacts;
    }

    bool BenchMessages(const LocalXmppServer& server, wxWindow* parent)
    {
        static BenchFaces faces;
        auto text =
            new KelRichText(parent, wxID_ANY, wxEmptyString, wxDefaultPosition, parent->GetClientSize());
        text->RegisteFaceInfoHandler(&faces);
        KelXmppClient alice, bob;
        KelXmppBridge bridge(&alice);
        for (KelXmppClient* client : {&alice, &bob})
            client->SetServer(server.GetHost(), server.GetPort());
        alice.SignIn(Jid("alice"), Password);
        bob.SignIn(Jid("bob"), Password);
        if (!PumpUntil([&] { return alice.IsOnline() && bob.IsOnline(); }))
            return false;

        ChatSink sink(text);
        wxStopWatch watch;
        for (int i = 0; i < Messages; ++i)
        {
            KelXmppMessage message;
            message.to = Jid("alice");
            message.body = ChatBody(i);
            bob.SendMessage(message);
        }
        const bool arrived = PumpUntil([&] { return sink.GetCount() == Messages; });
        const double throughServer = Messages / (watch.Time() / 1000.0);

        text->Clear();
        watch.Start();
        for (int i = 0; i < Messages; ++i)
            sink.Append(ChatBody(i));
        wxTheApp->Yield(true);
        const double locally = Messages / (watch.Time() / 1000.0);
        Report("messages into shown chat text", "/s", throughServer, locally);
        return arrived;
    }

    int m_result = 0;
};

wxIMPLEMENT_APP(BenchApp);
