// The core library's connection to a Jabber server: signs in, keeps the
// roster and the contacts' presence, sends and receives chat messages, and
// comes back by itself when the server goes away.
//
// The client never blocks: a timer on the UI thread advances the network
// with steps that do not wait, and every notification reaches the listeners
// on that thread.
#ifndef KELCTRLS_PLATFORM_XMPPCLIENT_H
#define KELCTRLS_PLATFORM_XMPPCLIENT_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/timer.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

// One entry of the user's roster.
struct KELCTRLS_API KelXmppContact
{
    wxString jid; // bare address
    wxString name;
    wxArrayString groups;
    wxString subscription; // "none", "to", "from" or "both"
};

// The presence of a contact, folded over its resources: the values of the
// available resource with the highest priority, or unavailable.
struct KELCTRLS_API KelXmppPresence
{
    wxString jid;      // bare address
    wxString resource; // of the resource shown; empty when unavailable
    bool available = false;
    wxString show;   // "", "chat", "away", "xa" or "dnd"
    wxString status; // free text the contact set
    int priority = 0;
};

struct KELCTRLS_API KelXmppMessage
{
    wxString id;
    wxString from; // full address of the sender
    wxString to;
    wxString type = "chat"; // "chat", "normal", "headline" or "groupchat"
    wxString body;
    wxString thread;
    wxString subject;
    wxString stamp; // UTC time, "YYYY-MM-DDTHH:MM:SSZ"; the server's for delayed messages
};

enum class KelXmppState
{
    Offline,      // signed out, or sign-in failed (GetLastError says why)
    Connecting,   // the first sign-in is under way
    Online,       // signed in, roster received, presence sent
    Reconnecting, // the connection was lost; the client tries again after a pause
};

class KelXmppClient;

// Receives what a client learns. Every call comes on the UI thread, from the
// client's timer; a listener may call the client back (send, sign out) but
// must not delete it from inside a call.
class KELCTRLS_API KelXmppListener
{
public:
    virtual ~KelXmppListener() = default;

    virtual void OnXmppStateChanged(KelXmppClient& client, KelXmppState state, const wxString& reason)
    {
        wxUnusedVar(client), wxUnusedVar(state), wxUnusedVar(reason);
    }
    // A contact came with the roster or changed by a roster push; `removed`
    // when it left the roster.
    virtual void OnXmppContact(KelXmppClient& client, const KelXmppContact& contact, bool removed)
    {
        wxUnusedVar(client), wxUnusedVar(contact), wxUnusedVar(removed);
    }
    // The whole roster has arrived after a sign-in.
    virtual void OnXmppRosterLoaded(KelXmppClient& client) { wxUnusedVar(client); }
    virtual void OnXmppPresence(KelXmppClient& client, const KelXmppPresence& presence)
    {
        wxUnusedVar(client), wxUnusedVar(presence);
    }
    // A message with a body; error messages and bare chat states are dropped.
    virtual void OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message)
    {
        wxUnusedVar(client), wxUnusedVar(message);
    }
};

class KELCTRLS_API KelXmppClient : public wxEvtHandler
{
public:
    KelXmppClient();
    ~KelXmppClient() override;

    // Listeners are not owned and are told in the order they were added.
    void AddListener(KelXmppListener* listener);
    void RemoveListener(KelXmppListener* listener);

    // The server to connect to; without it, the domain of the address on the
    // standard port.
    void SetServer(const wxString& host, unsigned short port);
    // Starts signing in and returns at once; the outcome arrives as a state
    // change. False (and nothing started) for an address without user and
    // domain, or while a session is already under way.
    bool SignIn(const wxString& jid, const wxString& password);
    // Sends an unavailable presence, closes the session and stays offline.
    // Messages still waiting to be sent are kept for the next sign-in.
    void SignOut();

    KelXmppState GetState() const { return m_state; }
    bool IsOnline() const { return m_state == KelXmppState::Online; }
    // Why the client last went offline or lost its connection.
    wxString GetLastError() const { return m_lastError; }
    // The full address the server gave this session; empty when offline.
    wxString GetBoundJid() const { return m_boundJid; }
    wxString GetJid() const { return m_jid; }

    // The user's own presence (show as in KelXmppPresence, and a status
    // text); sent now when online, otherwise at the next sign-in.
    void SetPresence(const wxString& show, const wxString& status);

    // Sends a message, or keeps it until the client is online again: messages
    // leave in the order they were given and each leaves once. The sender and
    // the time are filled in; an id is made when the message has none.
    // Returns the message's id.
    wxString SendMessage(const KelXmppMessage& message);
    size_t GetPendingCount() const { return m_outbox.size(); }

    // Roster changes; the server answers with a push that reaches the
    // listeners. Ignored while not online.
    void SetContact(const wxString& jid, const wxString& name, const wxArrayString& groups);
    void RemoveContact(const wxString& jid);
    const std::map<wxString, KelXmppContact>& GetRoster() const { return m_roster; }
    KelXmppPresence GetPresence(const wxString& bareJid) const;

    // The pause before the first attempt to reconnect, doubled after each
    // failed attempt up to `maxMs`.
    void SetReconnectDelays(int firstMs, int maxMs);
    // How long a sign-in may take before the client gives up on it.
    void SetSignInTimeout(int ms) { m_signInTimeoutMs = ms; }
    // The largest stanza the client reads; a server that sends a larger one
    // loses the connection, as if it had gone away.
    void SetMaxStanzaSize(size_t bytes) { m_maxStanzaSize = bytes; }

    // The bare part of an address.
    static wxString BareJid(const wxString& jid);

    struct Session; // the library's connection objects
private:
    friend struct Session;

    void StartConnection();
    void DropConnection();
    void OnPump(wxTimerEvent& event);
    void CheckDeadlines();
    void ScheduleReconnect(const wxString& reason);
    void GoOffline(const wxString& reason);
    void SetState(KelXmppState state, const wxString& reason);

    // Called by the session as the library reports.
    void OnConnected();
    void OnSessionReady();
    void OnConnectionEnded(const wxString& reason, bool signInRefused);
    void OnContact(const KelXmppContact& contact, bool removed);
    void OnRosterLoaded(const std::vector<KelXmppContact>& contacts);
    void OnPresenceStanza(const wxString& from, const KelXmppPresence& presence);
    void OnMessageStanza(const KelXmppMessage& message);

    void SendPresence();
    void FlushOutbox();
    template <typename Fill>
    void SendRosterItem(const wxString& jid, Fill fill);
    // A stanza id unique to this client.
    wxString NextId();
    template <typename Call>
    void Notify(Call call);

    std::unique_ptr<Session> m_session;
    std::unique_ptr<Session> m_deadSession;
    std::vector<KelXmppListener*> m_listeners;
    wxTimer m_pump;

    wxString m_jid;
    wxString m_password;
    wxString m_host;
    unsigned short m_port = 0;
    wxString m_boundJid;
    KelXmppState m_state = KelXmppState::Offline;
    wxString m_lastError;
    bool m_everOnline = false;

    wxString m_show;
    wxString m_status;
    std::deque<KelXmppMessage> m_outbox;
    std::map<wxString, KelXmppContact> m_roster;
    // Bare address -> resource -> its last presence.
    std::map<wxString, std::map<wxString, KelXmppPresence>> m_resources;

    int m_firstReconnectMs = 1000;
    int m_maxReconnectMs = 30000;
    int m_reconnectMs = 0;
    wxLongLong m_reconnectAt = 0;
    wxLongLong m_signInDeadline = 0;
    int m_signInTimeoutMs = 15000;
    size_t m_maxStanzaSize = 16 << 20;
    unsigned m_nextId = 0;
};

#endif
