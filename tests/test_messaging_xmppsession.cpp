// The core library's Jabber connection against a real server of its own:
// sign-in, messages both ways, presence and roster pushes into the contact
// tree, and coming back after the server went away.
#include "testsupport.h"

#include <localxmppserver.h>

#include <kelctrls/messaging/rostertree.h>
#include <kelctrls/messaging/xmppbridge.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>

#include <wx/frame.h>

#include <memory>

using kel::test::WaitUntil;

namespace
{

const int kNetworkWaitMs = 20000;

wxString Jid(const wxString& user)
{
    return user + "@" + LocalXmppServer::Domain();
}

// What a client reported.
struct Recorder : KelXmppListener
{
    void OnXmppStateChanged(KelXmppClient&, KelXmppState state, const wxString&) override
    {
        states.push_back(state);
    }
    void OnXmppMessage(KelXmppClient&, const KelXmppMessage& message) override
    {
        bodies.push_back(message.body);
    }

    std::vector<KelXmppState> states;
    wxArrayString bodies;
};

// Collects the chat messages the event hub delivers.
class MessageWindow : public wxEvtHandler
{
public:
    MessageWindow()
    {
        Bind(jabEVT_MESSAGE, [this](JabberMessageEvent& event) { beans.push_back(event.GetBean()); });
        KelJabberEventCenter::GetInstance()->Register(this, jabEVT_MESSAGE, "MessageWindow",
                                                      "jabEVT_MESSAGE");
    }
    ~MessageWindow() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

    std::vector<MessageBean> beans;
};

// A chat document with non-ASCII text and a face by key, numbered.
wxString ChatBody(int n)
{
    return wxString::FromUTF8("<?xml version=\"1.0\" encoding=\"UTF-8\"?><richtext version=\"1.0.0.0\">"
                              "<paragraphlayout><paragraph><text>\"") +
           wxString::Format("%d", n) +
           wxString::FromUTF8(": Grüße, 你好 &amp; привет\"</text><animation><animationKey>/smile"
                              "</animationKey><animationType>1</animationType></animation></paragraph>"
                              "</paragraphlayout></richtext>");
}

wxString TypedWhileAway(int n)
{
    return wxString::Format("typed while away %d ", n) + wxString::FromUTF8("✓");
}

void SendEnd(KelXmppClient& client, const wxString& to)
{
    KelXmppMessage message;
    message.to = to;
    message.body = "end";
    client.SendMessage(message);
}

bool EndsWithEnd(const wxArrayString& bodies)
{
    return !bodies.empty() && bodies.Last() == "end";
}

class XmppSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.AddAccount("alice", "alice-pw"));
        ASSERT_TRUE(m_server.AddAccount("bob", "bob-pw"));
        LocalXmppServer::RosterEntry bob{Jid("bob"), "Bob Builder", {}};
        bob.groups.Add("Engineering");
        ASSERT_TRUE(m_server.SetRoster("alice", {bob}));
        ASSERT_TRUE(m_server.SetRoster("bob", {{Jid("alice"), "Alice", {}}}));
        ASSERT_TRUE(m_server.Start()) << m_server.GetError();
    }

    std::unique_ptr<KelXmppClient> NewClient()
    {
        auto client = std::make_unique<KelXmppClient>();
        client->SetServer(m_server.GetHost(), m_server.GetPort());
        client->SetReconnectDelays(200, 1000);
        return client;
    }

    std::unique_ptr<KelXmppClient> SignedIn(const wxString& user)
    {
        auto client = NewClient();
        EXPECT_TRUE(client->SignIn(Jid(user), user + "-pw"));
        EXPECT_TRUE(WaitUntil([&] { return client->IsOnline(); }, kNetworkWaitMs)) << client->GetLastError();
        return client;
    }

    LocalXmppServer m_server;
};

TEST_F(XmppSessionTest, SignInSucceedsAndSignOutLeavesTheControlsOffline)
{
    auto alice = NewClient();
    KelXmppBridge bridge(alice.get());
    EXPECT_FALSE(alice->SignIn("no-domain", "x"));
    ASSERT_TRUE(alice->SignIn(Jid("alice"), "alice-pw"));
    EXPECT_EQ(KelXmppState::Connecting, alice->GetState());
    ASSERT_TRUE(WaitUntil([&] { return alice->IsOnline(); }, kNetworkWaitMs)) << alice->GetLastError();
    EXPECT_TRUE(alice->GetBoundJid().StartsWith(Jid("alice") + "/"));
    EXPECT_TRUE(WaitUntil([&] { return alice->GetRoster().count(Jid("bob")) == 1; }, kNetworkWaitMs));
    EXPECT_EQ("Bob Builder", alice->GetRoster().at(Jid("bob")).name);
    EXPECT_EQ(PTYPE_ONLINE, PresenceManager::GetInstance()->GetMyPresence()->GetType());
    EXPECT_NE(KEL_PRESENCE_OFFLINE, GetNextPresence());

    bridge.SetMyPresence(PTYPE_OFFLINE);
    EXPECT_EQ(KelXmppState::Offline, alice->GetState());
    EXPECT_EQ(PTYPE_OFFLINE, PresenceManager::GetInstance()->GetMyPresence()->GetType());
    EXPECT_EQ(KEL_PRESENCE_OFFLINE, GetNextPresence());
}

TEST_F(XmppSessionTest, BadPasswordAndAbsentServerFailWithTheirReasons)
{
    auto wrong = NewClient();
    Recorder recorder;
    wrong->AddListener(&recorder);
    ASSERT_TRUE(wrong->SignIn(Jid("alice"), "not-the-password"));
    ASSERT_TRUE(WaitUntil([&] { return wrong->GetState() == KelXmppState::Offline; }, kNetworkWaitMs));
    EXPECT_TRUE(wrong->GetLastError().Contains("wrong user name or password")) << wrong->GetLastError();
    // A refused sign-in is not retried.
    EXPECT_EQ(std::vector<KelXmppState>({KelXmppState::Connecting, KelXmppState::Offline}), recorder.states);

    KelXmppClient absent;
    absent.SetServer("127.0.0.1", LocalXmppServer::FreePort());
    ASSERT_TRUE(absent.SignIn(Jid("alice"), "alice-pw"));
    ASSERT_TRUE(WaitUntil([&] { return absent.GetState() == KelXmppState::Offline; }, kNetworkWaitMs));
    EXPECT_TRUE(absent.GetLastError().Contains("cannot be reached")) << absent.GetLastError();

    LocalXmppServer encrypted;
    ASSERT_TRUE(encrypted.AddAccount("alice", "alice-pw"));
    ASSERT_TRUE(encrypted.RequireEncryption());
    ASSERT_TRUE(encrypted.Start()) << encrypted.GetError();
    KelXmppClient plain;
    plain.SetServer(encrypted.GetHost(), encrypted.GetPort());
    ASSERT_TRUE(plain.SignIn(Jid("alice"), "alice-pw"));
    ASSERT_TRUE(WaitUntil([&] { return plain.GetState() == KelXmppState::Offline; }, kNetworkWaitMs));
    EXPECT_TRUE(plain.GetLastError().Contains("encrypted connection (TLS) that could not be set up"))
        << plain.GetLastError();
}

TEST_F(XmppSessionTest, ServerLookupRunsBesideTheEventLoop)
{
    // No SetServer: the server is looked up from the domain, which has none.
    KelXmppClient nowhere;
    KelXmppBridge bridge(&nowhere);
    bool eventsRan = false;
    ASSERT_TRUE(nowhere.SignIn("alice@kel-nowhere.invalid", "x"));
    // The lookup did not happen inside SignIn: its outcome comes later, and
    // the events queued meanwhile run first.
    EXPECT_EQ(KelXmppState::Connecting, nowhere.GetState());
    wxTheApp->CallAfter([&] { eventsRan = nowhere.GetState() == KelXmppState::Connecting; });
    ASSERT_TRUE(WaitUntil([&] { return nowhere.GetState() == KelXmppState::Offline; }, kNetworkWaitMs));
    EXPECT_TRUE(eventsRan);
    EXPECT_TRUE(nowhere.GetLastError().Contains("No server was found for the domain kel-nowhere.invalid"))
        << nowhere.GetLastError();
    EXPECT_EQ(PTYPE_OFFLINE, PresenceManager::GetInstance()->GetMyPresence()->GetType());

    // A server given by name is looked up the same way, then signed in to.
    KelXmppClient named;
    named.SetServer("localhost", m_server.GetPort());
    ASSERT_TRUE(named.SignIn(Jid("alice"), "alice-pw"));
    EXPECT_TRUE(WaitUntil([&] { return named.IsOnline(); }, kNetworkWaitMs)) << named.GetLastError();
}

TEST_F(XmppSessionTest, ThousandMessagesEachWayArriveOnceAndInOrder)
{
    auto alice = SignedIn("alice");
    auto bob = SignedIn("bob");
    KelXmppBridge bridge(alice.get());
    MessageWindow window;
    Recorder atBob;
    bob->AddListener(&atBob);

    const int count = 1000;
    for (int i = 0; i < count; ++i)
    {
        MessageBean bean;
        bean.SetReceivers(Jid("bob"));
        bean.SetBody(ChatBody(i));
        bean.SetThread("t1");
        bean.SetMessageType(MessageType_Chat);
        bridge.SendMessage(bean);

        KelXmppMessage reply;
        reply.to = Jid("alice");
        reply.body = ChatBody(-i);
        bob->SendMessage(reply);
    }
    // A last message on each stream: a doubled one would come before it.
    SendEnd(*alice, Jid("bob"));
    SendEnd(*bob, Jid("alice"));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return EndsWithEnd(atBob.bodies) && !window.beans.empty() &&
                   window.beans.back().GetBody() == "end";
        },
        60000));
    ASSERT_EQ(size_t(count) + 1, atBob.bodies.size());
    ASSERT_EQ(size_t(count) + 1, window.beans.size());
    for (int i = 0; i < count; ++i)
    {
        ASSERT_EQ(ChatBody(i), atBob.bodies[i]) << i;
        ASSERT_EQ(ChatBody(-i), window.beans[i].GetBody()) << i;
    }
    const MessageBean& first = window.beans.front();
    EXPECT_EQ(Jid("bob"), first.GetSender());
    EXPECT_EQ("Bob Builder", first.GetSenderName());
    EXPECT_EQ(bob->GetBoundJid(), first.GetRootFrom());
    EXPECT_EQ(MessageType_Chat, first.GetMessageType());
    EXPECT_FALSE(first.GetTime().empty());
}

TEST_F(XmppSessionTest, PresenceAndRosterPushesReachTheContactTree)
{
    auto alice = NewClient();
    KelXmppBridge bridge(alice.get());
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "roster");
    auto* tree = new kel::wxTreeListCtrl(frame, wxID_ANY);
    tree->AddColumn("Name", 160);
    tree->AddColumn("Presence", 80);
    tree->AddColumn("Status", 160);
    auto roster = std::make_unique<KelRosterTree>(tree);
    ASSERT_TRUE(alice->SignIn(Jid("alice"), "alice-pw"));
    ASSERT_TRUE(WaitUntil([&] { return roster->FindContact(Jid("bob")).IsOk(); }, kNetworkWaitMs));
    const wxTreeItemId engineering = roster->FindGroup("Engineering");
    ASSERT_TRUE(engineering.IsOk());
    EXPECT_EQ(engineering, tree->GetItemParent(roster->FindContact(Jid("bob"))));
    EXPECT_EQ("Bob Builder", tree->GetItemText(roster->FindContact(Jid("bob"))));
    EXPECT_EQ("Offline", tree->GetItemText(roster->FindContact(Jid("bob")), KelRosterTree::PresenceColumn));

    auto bob = NewClient();
    bob->SetPresence("dnd", "In a meeting, Raum 3");
    ASSERT_TRUE(bob->SignIn(Jid("bob"), "bob-pw"));
    ASSERT_TRUE(WaitUntil([&] { return roster->GetPresence(Jid("bob")) == PTYPE_BUSY; }, kNetworkWaitMs));
    const wxTreeItemId bobItem = roster->FindContact(Jid("bob"));
    EXPECT_EQ("Busy", tree->GetItemText(bobItem, KelRosterTree::PresenceColumn));
    EXPECT_EQ("In a meeting, Raum 3", tree->GetItemText(bobItem, KelRosterTree::StatusColumn));
    {
        // A list that opens after the sign-in asks for what is known so far.
        auto* late = new kel::wxTreeListCtrl(frame, wxID_ANY);
        for (const char* column : {"Name", "Presence", "Status"})
            late->AddColumn(column, 100);
        KelRosterTree lateRoster(late);
        bridge.ReplayRoster();
        EXPECT_EQ(1u, lateRoster.GetContactCount());
        EXPECT_EQ(PTYPE_BUSY, lateRoster.GetPresence(Jid("bob")));
    }
    bob->SetPresence("away", "Lunch");
    ASSERT_TRUE(WaitUntil([&] { return roster->GetPresence(Jid("bob")) == PTYPE_AWAY; }, kNetworkWaitMs));
    EXPECT_EQ("Lunch", tree->GetItemText(bobItem, KelRosterTree::StatusColumn));
    bob->SignOut();
    ASSERT_TRUE(WaitUntil([&] { return roster->GetPresence(Jid("bob")) == PTYPE_OFFLINE; }, kNetworkWaitMs));
    EXPECT_EQ("", tree->GetItemText(bobItem, KelRosterTree::StatusColumn));

    // Pushes add, rename and regroup, then remove a contact with its group.
    wxArrayString sales;
    sales.Add("Sales");
    alice->SetContact(Jid("carol"), "Carol", sales);
    ASSERT_TRUE(WaitUntil([&] { return roster->FindContact(Jid("carol")).IsOk(); }, kNetworkWaitMs));
    EXPECT_EQ(roster->FindGroup("Sales"), tree->GetItemParent(roster->FindContact(Jid("carol"))));
    wxArrayString support;
    support.Add("Support");
    alice->SetContact(Jid("carol"), "Carol Chen", support);
    ASSERT_TRUE(WaitUntil([&] { return roster->FindGroup("Support").IsOk(); }, kNetworkWaitMs));
    EXPECT_FALSE(roster->FindGroup("Sales").IsOk());
    EXPECT_EQ("Carol Chen", tree->GetItemText(roster->FindContact(Jid("carol"))));
    alice->RemoveContact(Jid("carol"));
    ASSERT_TRUE(WaitUntil([&] { return !roster->FindContact(Jid("carol")).IsOk(); }, kNetworkWaitMs));
    EXPECT_FALSE(roster->FindGroup("Support").IsOk());
    EXPECT_EQ(1u, roster->GetContactCount());

    roster.reset();
    frame->Destroy();
}

TEST_F(XmppSessionTest, ClientsComeBackAfterTheServerRestartsAndSendWhatWasTyped)
{
    auto alice = SignedIn("alice");
    auto bob = SignedIn("bob");
    KelXmppBridge bridge(alice.get());
    Recorder atBob;
    bob->AddListener(&atBob);

    m_server.Kill();
    ASSERT_TRUE(WaitUntil([&] { return alice->GetState() == KelXmppState::Reconnecting; }, kNetworkWaitMs));
    EXPECT_EQ(KEL_PRESENCE_OFFLINE, GetNextPresence());
    EXPECT_EQ(PTYPE_OFFLINE, PresenceManager::GetInstance()->GetMyPresence()->GetType());
    for (int i = 0; i < 3; ++i)
    {
        KelXmppMessage message;
        message.to = Jid("bob");
        message.body = TypedWhileAway(i);
        alice->SendMessage(message);
    }
    EXPECT_EQ(3u, alice->GetPendingCount());

    ASSERT_TRUE(m_server.Start()) << m_server.GetError();
    SendEnd(*alice, Jid("bob"));
    ASSERT_TRUE(WaitUntil([&] { return EndsWithEnd(atBob.bodies); }, kNetworkWaitMs))
        << alice->GetLastError();
    EXPECT_TRUE(alice->IsOnline());
    EXPECT_EQ(0u, alice->GetPendingCount());
    EXPECT_EQ(PTYPE_ONLINE, PresenceManager::GetInstance()->GetMyPresence()->GetType());
    EXPECT_TRUE(WaitUntil([&] { return alice->GetRoster().count(Jid("bob")) == 1; }, kNetworkWaitMs));
    EXPECT_TRUE(WaitUntil([&] { return bob->IsOnline() && alice->GetPresence(Jid("bob")).available; },
                          kNetworkWaitMs));
    ASSERT_EQ(4u, atBob.bodies.size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(TypedWhileAway(i), atBob.bodies[i]);
}

TEST_F(XmppSessionTest, MessagesInFlightWhenTheServerDiesArriveOnceAfterItReturns)
{
    auto alice = SignedIn("alice");
    auto bob = SignedIn("bob");
    Recorder atBob;
    bob->AddListener(&atBob);
    const int count = 200;
    for (int i = 0; i < count; ++i)
    {
        KelXmppMessage message;
        message.to = Jid("bob");
        message.body = ChatBody(i);
        alice->SendMessage(message);
    }
    // The server dies while the messages flow: some reached bob, some
    // reached only the server, some only the socket.
    ASSERT_TRUE(WaitUntil([&] { return !atBob.bodies.empty(); }, kNetworkWaitMs));
    m_server.Kill();
    ASSERT_TRUE(WaitUntil([&] { return alice->GetState() == KelXmppState::Reconnecting; }, kNetworkWaitMs));
    ASSERT_TRUE(m_server.Start()) << m_server.GetError();
    SendEnd(*alice, Jid("bob"));
    ASSERT_TRUE(WaitUntil([&] { return EndsWithEnd(atBob.bodies); }, kNetworkWaitMs))
        << alice->GetLastError();
    ASSERT_EQ(size_t(count) + 1, atBob.bodies.size());
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(ChatBody(i), atBob.bodies[i]) << i;
    // Every receipt comes back: nothing is left to send again.
    EXPECT_TRUE(WaitUntil([&] { return alice->GetUnconfirmedCount() == 0; }, kNetworkWaitMs));
}

// Collects the subscription events the event hub delivers.
class SubscriptionWindow : public wxEvtHandler
{
public:
    SubscriptionWindow()
    {
        Bind(jabEVT_SUBSCRIPTION,
             [this](JabberSimpleEvent& event)
             {
                 const auto* presence = dynamic_cast<Presence*>(event.GetBean());
                 requests.push_back(presence->GetJid() + " " + presence->GetSubscriptionType() + " " +
                                    event.GetString());
             });
        KelJabberEventCenter::GetInstance()->Register(this, jabEVT_SUBSCRIPTION, "SubscriptionWindow",
                                                      "jabEVT_SUBSCRIPTION");
    }
    ~SubscriptionWindow() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

    wxArrayString requests;
};

// The subscription stanzas a client heard.
struct SubscriptionsHeard : KelXmppListener
{
    void OnXmppSubscription(KelXmppClient&, const wxString& jid, KelXmppSubscription kind,
                            const wxString&) override
    {
        heard.emplace_back(jid, kind);
    }
    bool Heard(const wxString& jid, KelXmppSubscription kind) const
    {
        return std::find(heard.begin(), heard.end(), std::make_pair(jid, kind)) != heard.end();
    }

    std::vector<std::pair<wxString, KelXmppSubscription>> heard;
};

TEST_F(XmppSessionTest, SubscriptionRequestsAreAnsweredAndTheTreeFollows)
{
    ASSERT_TRUE(m_server.AddAccount("carol", "carol-pw"));
    ASSERT_TRUE(m_server.AddAccount("dave", "dave-pw"));
    auto alice = SignedIn("alice");
    KelXmppBridge bridge(alice.get());
    SubscriptionWindow window;
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "roster");
    auto* tree = new kel::wxTreeListCtrl(frame, wxID_ANY);
    tree->AddColumn("Name", 160);
    auto roster = std::make_unique<KelRosterTree>(tree);
    bridge.ReplayRoster();

    // carol asks and is approved: she is on alice's roster, seeing her.
    auto carol = SignedIn("carol");
    auto dave = SignedIn("dave");
    SubscriptionsHeard atCarol, atDave;
    carol->AddListener(&atCarol);
    dave->AddListener(&atDave);
    carol->RequestSubscription(Jid("alice"));
    ASSERT_TRUE(WaitUntil([&] { return window.requests.size() == 1; }, kNetworkWaitMs));
    EXPECT_EQ(Jid("carol") + " subscribe ", window.requests[0]);
    bridge.AnswerSubscription(Jid("carol"), true);
    ASSERT_TRUE(WaitUntil([&] { return roster->GetSubscription(Jid("carol")) == "from"; }, kNetworkWaitMs));
    ASSERT_TRUE(WaitUntil(
        [&]
        {
            return carol->GetRoster().count(Jid("alice")) &&
                   carol->GetRoster().at(Jid("alice")).subscription == "to";
        },
        kNetworkWaitMs));
    // She does not share hers yet: grey until alice asks and carol agrees.
    EXPECT_NE(wxColour(), tree->GetItemTextColour(roster->FindContact(Jid("carol"))));
    alice->RequestSubscription(Jid("carol"));
    ASSERT_TRUE(WaitUntil([&] { return atCarol.Heard(Jid("alice"), KelXmppSubscription::Subscribe); },
                          kNetworkWaitMs));
    carol->AnswerSubscription(Jid("alice"), true);
    ASSERT_TRUE(WaitUntil([&] { return roster->GetSubscription(Jid("carol")) == "both"; }, kNetworkWaitMs));
    ASSERT_TRUE(WaitUntil([&] { return window.requests.size() == 2; }, kNetworkWaitMs));
    EXPECT_EQ(Jid("carol") + " subscribed ", window.requests[1]);
    EXPECT_FALSE(tree->GetItemTextColour(roster->FindContact(Jid("carol"))).IsOk());

    // dave asks and is denied: nothing shared, his side hears the refusal.
    dave->RequestSubscription(Jid("alice"));
    ASSERT_TRUE(WaitUntil([&] { return window.requests.size() == 3; }, kNetworkWaitMs));
    EXPECT_EQ(Jid("dave") + " subscribe ", window.requests[2]);
    bridge.AnswerSubscription(Jid("dave"), false);
    ASSERT_TRUE(WaitUntil([&] { return atDave.Heard(Jid("alice"), KelXmppSubscription::Unsubscribed); },
                          kNetworkWaitMs));
    EXPECT_NE("from", roster->GetSubscription(Jid("dave")));
    EXPECT_NE("both", roster->GetSubscription(Jid("dave")));
    carol->RemoveListener(&atCarol);
    dave->RemoveListener(&atDave);

    roster.reset();
    frame->Destroy();
}

} // anonymous namespace
