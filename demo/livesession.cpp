#include "livesession.h"

#include "chatdocument.h"
#include "people.h"

#include <kelctrls/platform/imcore.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "demotext.h"

namespace
{

const char* const kPassword = "demo";
// How many of alice's colleagues each department has; with bob, 300.
const unsigned kDepartmentSizes[] = {9, 124, 58, 71, 23, 14};
const int kPresenceIntervalMs = 4000;

struct Mood
{
    const char* show;
    const char* status;
};

// What bob goes through, one step every few seconds.
const Mood kResponderMoods[] = {
    {"", wxTRANSLATE("Reviewing the release notes")},
    {"away", wxTRANSLATE("Coffee break")},
    {"dnd", wxTRANSLATE("In a meeting until 11")},
    {"chat", wxTRANSLATE("Ask me anything")},
    {"xa", wxTRANSLATE("Gone for lunch")},
};

// Colleagues signed in for the whole session, by person number.
const struct
{
    unsigned person;
    Mood mood;
} kOnlineColleagues[] = {{0, {"", wxTRANSLATE("Planning Q3")}},
                         {10, {"away", wxTRANSLATE("Back in 10 minutes")}},
                         {11, {"", ""}},
                         {14, {"dnd", wxTRANSLATE("Focus time")}},
                         {20, {"chat", ""}}};

const char* const kReplies[] = {
    wxTRANSLATE("Sounds good to me "), wxTRANSLATE("Got it, I'll take a look "), wxTRANSLATE("Ha, nice one "),
    wxTRANSLATE("Let me check and get back to you "), wxTRANSLATE("Agreed, let's do that ")};
const char* const kReplyFaces[] = {"/smile", "/cool", "/laugh", "/wink", "/heart"};

// What the colleagues say reaches alice in the language the demo shows when
// they say it.
wxString StatusText(const Mood& mood)
{
    return *mood.status ? _(mood.status) : wxString();
}

DemoLiveSession* g_session = nullptr;

wxString UserOf(unsigned person)
{
    wxString user = PersonName(person).Lower();
    user.Replace(" ", ".");
    return user;
}

wxString JidOf(const wxString& user)
{
    return user + "@" + LocalXmppServer::Domain();
}

LocalXmppServer::RosterEntry Entry(const wxString& user, const wxString& name, const wxString& group)
{
    LocalXmppServer::RosterEntry entry{JidOf(user), name, {}};
    entry.groups.Add(group);
    return entry;
}

} // anonymous namespace

DemoLiveSession::DemoLiveSession() : m_presenceTimer(this)
{
    Bind(wxEVT_TIMER, &DemoLiveSession::OnPresenceTimer, this, m_presenceTimer.GetId());
}

DemoLiveSession* DemoLiveSession::Start(wxString* error)
{
    if (g_session)
        return g_session;
    g_session = new DemoLiveSession;
    if (!g_session->Launch(error))
        Stop();
    return g_session;
}

DemoLiveSession* DemoLiveSession::Get()
{
    return g_session;
}

void DemoLiveSession::Stop()
{
    if (!g_session)
        return;
    g_session->m_presenceTimer.Stop();
    g_session->m_user.SignOut();
    delete g_session;
    g_session = nullptr;
}

wxString DemoLiveSession::GetUserJid() const
{
    return JidOf("alice");
}

wxString DemoLiveSession::GetUserPassword() const
{
    return kPassword;
}

bool DemoLiveSession::SignIn(const wxString& jid, const wxString& password)
{
    return m_user.SignIn(jid, password);
}

wxString DemoLiveSession::GetResponderJid() const
{
    return JidOf("bob");
}

wxString DemoLiveSession::GetDisplayName(const wxString& jid) const
{
    const auto contact = m_user.GetRoster().find(KelXmppClient::BareJid(jid));
    if (contact != m_user.GetRoster().end() && !contact->second.name.empty())
        return contact->second.name;
    return ParseName(jid);
}

bool DemoLiveSession::PrepareServer()
{
    // alice sees bob's presence, bob not yet hers: he asks once she is online.
    LocalXmppServer::RosterEntry bob = Entry("bob", "Bob Lindqvist", "Engineering");
    bob.subscription = "to";
    std::vector<LocalXmppServer::RosterEntry> roster = {bob};
    unsigned person = 0;
    for (size_t d = 0; d < WXSIZEOF(kDepartmentSizes); ++d)
        for (unsigned i = 0; i < kDepartmentSizes[d]; ++i, ++person)
            roster.push_back(Entry(UserOf(person), PersonName(person), DepartmentName(d)));
    const std::vector<LocalXmppServer::RosterEntry> knowsAlice = {Entry("alice", "Alice Chen", "Colleagues")};
    LocalXmppServer::RosterEntry alice = knowsAlice.front();
    alice.subscription = "from";

    bool ok = m_server.AddAccount("alice", kPassword) && m_server.SetRoster("alice", roster) &&
              m_server.AddAccount("bob", kPassword) && m_server.SetRoster("bob", {alice});
    for (const auto& colleague : kOnlineColleagues)
        ok = ok && m_server.AddAccount(UserOf(colleague.person), kPassword) &&
             m_server.SetRoster(UserOf(colleague.person), knowsAlice);
    return ok;
}

bool DemoLiveSession::Launch(wxString* error)
{
    if (!PrepareServer() || !m_server.Start())
    {
        if (error)
            *error = m_server.GetError();
        return false;
    }
    m_user.SetServer(m_server.GetHost(), m_server.GetPort());
    m_bridge.reset(new KelXmppBridge(&m_user));

    const Mood& first = kResponderMoods[0];
    m_responder = SignInColleague("bob", first.show, StatusText(first));
    m_responder->AddListener(this);
    for (const auto& colleague : kOnlineColleagues)
        m_colleagues.push_back(
            SignInColleague(UserOf(colleague.person), colleague.mood.show, StatusText(colleague.mood)));
    m_presenceTimer.Start(kPresenceIntervalMs);
    return true;
}

std::unique_ptr<KelXmppClient> DemoLiveSession::SignInColleague(const wxString& user, const wxString& show,
                                                                const wxString& status)
{
    auto client = std::make_unique<KelXmppClient>();
    client->SetServer(m_server.GetHost(), m_server.GetPort());
    client->SetPresence(show, status);
    client->SignIn(JidOf(user) + "/demo", kPassword);
    return client;
}

bool DemoLiveSession::WaitUntilReady(int timeoutMs)
{
    wxStopWatch watch;
    const auto ready = [this]
    {
        return m_user.IsOnline() && m_user.GetRoster().count(GetResponderJid()) &&
               m_user.GetPresence(GetResponderJid()).available;
    };
    while (!ready() && watch.Time() < timeoutMs)
    {
        wxYield();
        wxMilliSleep(10);
    }
    return ready();
}

void DemoLiveSession::OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message)
{
    if (KelXmppClient::BareJid(message.from) != GetUserJid())
        return;
    const size_t n = m_replies++;
    KelXmppMessage reply;
    reply.to = message.from;
    reply.thread = message.thread;
    reply.body = Document(BodyParagraph(Text(_(kReplies[n % WXSIZEOF(kReplies)])) +
                                        Face(kReplyFaces[n % WXSIZEOF(kReplyFaces)])));
    client.SendMessage(reply);
}

void DemoLiveSession::OnPresenceTimer(wxTimerEvent&)
{
    const Mood& mood = kResponderMoods[++m_presenceStep % WXSIZEOF(kResponderMoods)];
    m_responder->SetPresence(mood.show, StatusText(mood));
    if (!m_askedToSubscribe && m_user.IsOnline() && m_responder->IsOnline())
    {
        m_askedToSubscribe = true;
        m_responder->RequestSubscription(GetUserJid());
    }
}
