/// \file
/// The core library's connection to a Jabber server: signs in, keeps the
/// roster and the contacts' presence, sends and receives chat messages, and
/// comes back by itself when the server goes away.
///
/// The client never blocks: a timer on the UI thread advances the network
/// with steps that do not wait, and every notification reaches the listeners
/// on that thread.
#ifndef KELCTRLS_PLATFORM_XMPPCLIENT_H
#define KELCTRLS_PLATFORM_XMPPCLIENT_H

#include <kelctrls/base.h>

#include <wx/arrstr.h>
#include <wx/event.h>
#include <wx/timer.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <vector>

/// One entry of the user's roster, as the server sent it.
struct KELCTRLS_API KelXmppContact
{
    wxString jid;          ///< bare address ("user@domain"), the key of the roster
    wxString name;         ///< the name the user gave the contact; empty when none
    wxArrayString groups;  ///< the groups the contact is in; empty when none (empty names are dropped)
    wxString subscription; ///< "none", "to", "from" or "both" ("none" when the server gave none)
};

/// The presence of a contact, folded over its resources: the values of the
/// available resource with the highest priority, or unavailable.
struct KELCTRLS_API KelXmppPresence
{
    wxString jid;           ///< bare address
    wxString resource;      ///< of the resource shown; empty when unavailable
    bool available = false; ///< false when no resource of the contact is available
    wxString show;          ///< "", "chat", "away", "xa" or "dnd"
    wxString status;        ///< free text the contact set
    /// The resource's priority as the contact sent it (any int, 0 when
    /// missing or not a number); the available resource with the highest
    /// is shown.
    int priority = 0;
};

/// A chat message, received or to be sent. Texts are held as they travel,
/// without any markup.
struct KELCTRLS_API KelXmppMessage
{
    wxString id;   ///< stanza id; SendMessage makes one when empty
    wxString from; ///< full address of the sender; SendMessage fills it in
    wxString to;   ///< address of the addressee, bare or full
    /// "chat", "normal", "headline" or "groupchat"; "normal" when a received
    /// message has none.
    wxString type = "chat";
    wxString body;    ///< the text; a received message always has one, possibly empty
    wxString thread;  ///< conversation id; empty when none
    wxString subject; ///< empty when none
    wxString stamp;   ///< UTC time, "YYYY-MM-DDTHH:MM:SSZ"; the server's for delayed messages
};

/// A subscription stanza from another user: the presence sharing it asks
/// for or answers (KelXmppListener::OnXmppSubscription).
enum class KelXmppSubscription
{
    Subscribe,    ///< the user asks to see our presence; answer with AnswerSubscription
    Subscribed,   ///< the user approved our request: we see its presence
    Unsubscribe,  ///< the user no longer wants to see our presence
    Unsubscribed, ///< the user denied our request or stopped sharing its presence
};

/// Where a KelXmppClient stands; every change reaches
/// KelXmppListener::OnXmppStateChanged.
enum class KelXmppState
{
    Offline,      ///< signed out, or sign-in failed (GetLastError says why)
    Connecting,   ///< the first sign-in is under way
    Online,       ///< signed in, roster received, presence sent
    Reconnecting, ///< the connection was lost; the client tries again after a pause
};

class KelXmppClient;

/// Receives what a client learns. Every call comes on the UI thread, from the
/// client's timer or from inside a call the UI made to the client (SignIn,
/// SignOut); a listener may call the client back (send, sign out) but must not
/// delete it from inside a call. Each call does nothing by default.
class KELCTRLS_API KelXmppListener
{
public:
    /// Does not remove the listener from its client: call
    /// KelXmppClient::RemoveListener first.
    virtual ~KelXmppListener() = default;

    /// The client went into `state`. `reason` says in English why it went
    /// Offline or Reconnecting, and is empty otherwise, after a sign-out
    /// included. A change with a reason is told even when the state stays the
    /// same (a failed attempt while Reconnecting).
    virtual void OnXmppStateChanged(KelXmppClient& client, KelXmppState state, const wxString& reason)
    {
        wxUnusedVar(client), wxUnusedVar(state), wxUnusedVar(reason);
    }
    /// A contact came with the roster or changed by a roster push; `removed`
    /// when it left the roster (also for each contact that is gone from the
    /// roster a sign-in brings, before the others arrive). GetRoster already
    /// holds the change.
    virtual void OnXmppContact(KelXmppClient& client, const KelXmppContact& contact, bool removed)
    {
        wxUnusedVar(client), wxUnusedVar(contact), wxUnusedVar(removed);
    }
    /// The whole roster has arrived after a sign-in: each of its contacts
    /// has just been told by OnXmppContact. Not told when the server refuses
    /// the roster; the session goes on without one.
    virtual void OnXmppRosterLoaded(KelXmppClient& client) { wxUnusedVar(client); }
    /// A contact's presence, folded over its resources (see KelXmppPresence),
    /// changed or was sent again. When the connection goes, every contact
    /// that was available is told once as unavailable. Presence of the
    /// user's own other resources comes too; presence errors do not, and
    /// subscription stanzas come as OnXmppSubscription.
    virtual void OnXmppPresence(KelXmppClient& client, const KelXmppPresence& presence)
    {
        wxUnusedVar(client), wxUnusedVar(presence);
    }
    /// A message with a body; error messages, bare chat states, receipts and
    /// a message that came before (the same id from the same bare address,
    /// resent by a sender that lost its connection) are dropped.
    virtual void OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message)
    {
        wxUnusedVar(client), wxUnusedVar(message);
    }
    /// Another user (`jid`, bare) asks for, grants, withdraws or refuses a
    /// presence subscription, with the text it sent (empty when none). A
    /// Subscribe stays unanswered until KelXmppClient::AnswerSubscription;
    /// the roster change the others bring comes as OnXmppContact.
    virtual void OnXmppSubscription(KelXmppClient& client, const wxString& jid, KelXmppSubscription kind,
                                    const wxString& text)
    {
        wxUnusedVar(client), wxUnusedVar(jid), wxUnusedVar(kind), wxUnusedVar(text);
    }
};

/// One account's connection to a Jabber server. Create it on the UI thread
/// and use it from there only; it runs its own timer (every 10 ms while a
/// session or a pause before reconnecting is under way, stopped once
/// offline), so the event loop must run.
///
/// The first sign-in that fails leaves the client Offline. Once it has been
/// Online, a lost connection makes it Reconnecting: it tries again after
/// 1 s, doubling the pause after each failed attempt up to 30 s (see
/// SetReconnectDelays), until it is back Online, the server refuses the user
/// name or password (Offline), or SignOut is called. A server that sends
/// unreadable XML or an over-long stanza (SetMaxStanzaSize) is treated as
/// having gone away.
///
/// Every chat message asks its addressee for a receipt and is kept until the
/// receipt comes: after a lost connection the messages without one are sent
/// again, with their ids, after the next sign-in (at most kMaxResends
/// times), and the receiving client drops the copies it already had. So a
/// message handed to the socket just before the connection dropped is not
/// lost, and no message is shown twice. The client answers the receipt
/// requests of the messages it receives.
///
/// Without SetServer, the server is looked up from the domain of the address
/// (its client service record, else the domain itself, port 5222) on a
/// thread of its own; a host name given to SetServer is looked up there too.
///
/// Destroying the client drops the connection without a farewell and without
/// telling the listeners.
class KELCTRLS_API KelXmppClient : public wxEvtHandler
{
public:
    /// An offline client with no listeners, talking to the server of the
    /// address it signs in with.
    KelXmppClient();
    ~KelXmppClient() override;

    /// Listeners are not owned and are told in the order they were added;
    /// null and a listener already added are ignored. A listener must be
    /// removed before it is destroyed.
    void AddListener(KelXmppListener* listener);
    /// Stops telling `listener`, even during a notification that has not
    /// reached it yet; a listener that is not there is ignored.
    void RemoveListener(KelXmppListener* listener);

    /// The server to connect to, used from the next attempt on: a host name
    /// or address and a TCP port (0 for the standard 5222). Without it, or
    /// with an empty host, the server is found from the domain of the
    /// address and `port` is not used.
    void SetServer(const wxString& host, unsigned short port);
    /// Starts signing in and returns at once; the outcome arrives as a state
    /// change (Connecting at once, then Online or Offline with a reason, also
    /// after the sign-in timeout). Each failure has a reason of its own: no
    /// server found for the domain, the server cannot be reached, an
    /// encrypted connection (TLS) the server requires could not be set up,
    /// wrong user name or password, the server ended the stream (with its
    /// condition), the server closed the connection. `jid` is "user@domain", optionally with
    /// "/resource" (else the server chooses one). False (and nothing started)
    /// for an address without user and domain, or while the client is not
    /// Offline.
    bool SignIn(const wxString& jid, const wxString& password);
    /// Sends an unavailable presence, closes the session and stays offline;
    /// also ends a sign-in under way and a pause before reconnecting. The
    /// listeners hear every available contact go unavailable, then the state
    /// Offline with an empty reason (not when the client already was Offline).
    /// Messages still waiting to be sent are kept for the next sign-in.
    void SignOut();

    /// Where the client stands now.
    KelXmppState GetState() const { return m_state; }
    /// Whether the client is Online: messages, presence and roster changes
    /// leave at once.
    bool IsOnline() const { return m_state == KelXmppState::Online; }
    /// Why the client last went offline or lost its connection, in English;
    /// emptied by SignIn and by every successful sign-in.
    wxString GetLastError() const { return m_lastError; }
    /// The full address the server gave this session; empty when offline.
    wxString GetBoundJid() const { return m_boundJid; }
    /// The address given to the last SignIn, as given; empty before.
    wxString GetJid() const { return m_jid; }

    /// The user's own presence (show as in KelXmppPresence, and a status
    /// text; empty ones are left out); sent now when online, otherwise at the
    /// next sign-in. The client does not check `show`.
    void SetPresence(const wxString& show, const wxString& status);

    /// Sends a message, or keeps it until the client is online again: messages
    /// leave in the order they were given and each leaves once. The sender and
    /// the time are filled in; an id is made when the message has none.
    /// Returns the message's id. Nothing is checked: an empty or wrong `to`
    /// reaches the server as it is, which may answer with an error message
    /// (dropped, see KelXmppListener::OnXmppMessage).
    wxString SendMessage(const KelXmppMessage& message);
    /// How many messages wait for the client to be online.
    size_t GetPendingCount() const { return m_outbox.size(); }
    /// How many messages have left without their addressee's receipt yet;
    /// they go again after a lost connection.
    size_t GetUnconfirmedCount() const { return m_unconfirmed.size(); }
    /// How many times a message without a receipt is sent again, once per
    /// sign-in after a lost connection, before the client gives up on the
    /// receipt (an addressee whose client sends none).
    static constexpr int kMaxResends = 3;

    /// Answers another user's subscription request: `approve` lets it see
    /// our presence, else it is refused (also withdraws an approval given
    /// before). Ignored while not online.
    void AnswerSubscription(const wxString& jid, bool approve);
    /// Asks another user to share its presence; the answer comes as
    /// OnXmppSubscription. Ignored while not online.
    void RequestSubscription(const wxString& jid);

    /// Adds a contact to the roster or changes its name (empty for none) and
    /// groups (replaced as a whole); the resource of `jid` is dropped. The
    /// server answers with a push that reaches the listeners. Ignored while
    /// not online.
    void SetContact(const wxString& jid, const wxString& name, const wxArrayString& groups);
    /// Asks the server to remove a contact from the roster; told to the
    /// listeners like SetContact. Ignored while not online.
    void RemoveContact(const wxString& jid);
    /// The roster as the server last sent it, by bare address. Kept while
    /// offline; a sign-in replaces it.
    const std::map<wxString, KelXmppContact>& GetRoster() const { return m_roster; }
    /// The presence of a bare address as OnXmppPresence last told it:
    /// unavailable for an unknown address, a full address, and while offline.
    KelXmppPresence GetPresence(const wxString& bareJid) const;

    /// The pause before the first attempt to reconnect, in milliseconds,
    /// doubled after each failed attempt up to `maxMs` (by default 1000 and
    /// 30000). `firstMs` below 1 counts as 1; `maxMs` below it as `firstMs`.
    void SetReconnectDelays(int firstMs, int maxMs);
    /// How long a sign-in may take, in milliseconds (by default 15000), from
    /// the start of an attempt to the roster; after it the attempt fails as if
    /// the server had gone away. Used from the next attempt on; not checked.
    void SetSignInTimeout(int ms) { m_signInTimeoutMs = ms; }
    /// The largest stanza the client reads, in bytes (by default 16 MiB); a
    /// server that sends a larger one loses the connection, as if it had
    /// gone away.
    void SetMaxStanzaSize(size_t bytes) { m_maxStanzaSize = bytes; }

    /// The bare part of an address: everything before the first '/'; the
    /// address itself when it has none. Nothing is checked.
    static wxString BareJid(const wxString& jid);

    struct Session; ///< the library's connection objects; internal
private:
    friend struct Session;

    void StartConnection();
    void DropConnection();
    void OnPump(wxTimerEvent& event);
    void CheckDeadlines();
    void ScheduleReconnect(const wxString& reason);
    void GoOffline(const wxString& reason);
    void SetState(KelXmppState state, const wxString& reason);

    ///@{

    /// Called by the session as the library reports.
    void OnConnected();
    void OnSessionReady();
    void OnConnectionEnded(const wxString& reason, bool signInRefused);
    void OnContact(const KelXmppContact& contact, bool removed);
    void OnRosterLoaded(const std::vector<KelXmppContact>& contacts);
    void OnPresenceStanza(const wxString& from, const KelXmppPresence& presence);
    void OnMessageStanza(const KelXmppMessage& message, bool wantsReceipt);
    void OnReceipt(const wxString& from, const wxString& id);
    void OnSubscriptionStanza(const wxString& from, KelXmppSubscription kind, const wxString& text);
    ///@}

    /// Whether a message from `from` with `id` came before; remembers it.
    bool SeenBefore(const wxString& from, const wxString& id);
    void SendPresenceType(const wxString& jid, const char* type);

    void SendPresence();
    void FlushOutbox();
    void ResendUnconfirmed();
    void SendChat(const KelXmppMessage& message);
    template <typename Fill>
    void SendRosterItem(const wxString& jid, Fill fill);
    /// A stanza id unique to this client.
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
    struct Unconfirmed
    {
        KelXmppMessage message;
        int resends = 0;
    };
    std::deque<Unconfirmed> m_unconfirmed;
    /// Recent messages received, "bare sender\nid", oldest first.
    std::deque<wxString> m_seenOrder;
    std::set<wxString> m_seen;
    std::map<wxString, KelXmppContact> m_roster;
    /// Bare address -> resource -> its last presence.
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
