/// \file
/// Turns what the core library's Jabber connection learns into the records
/// and events the windows know: contacts, Presence and MessageBean records,
/// delivered through KelJabberEventCenter to the windows registered for
/// them. It also keeps the user's own presence in PresenceManager and the
/// next presence, so that an offline connection makes the controls behave
/// as offline.
#ifndef KELCTRLS_MESSAGING_XMPPBRIDGE_H
#define KELCTRLS_MESSAGING_XMPPBRIDGE_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/platform/xmppclient.h>

/// The connection changed state: GetInt() is the KelXmppState (as an int),
/// GetString() why it went offline or lost the server, in English (empty
/// otherwise). Sent for every state change of the client, after the user's
/// own presence has been updated.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_CONNECTION, wxCommandEvent);
/// A roster entry came or changed (GetInt() 1) or left the roster (0); the
/// bean is a RosterBean, owned by the bridge and gone after the handler
/// returns. Sent for each contact of the roster at every sign-in, for each
/// roster push, and by KelXmppBridge::ReplayRoster.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_ROSTER, JabberSimpleEvent);
/// The whole roster has arrived after a sign-in, or ReplayRoster has
/// delivered it; no data.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_ROSTER_LOADED, wxCommandEvent);
/// A contact's presence changed; the bean is a Presence (its show is the
/// show text: "", "away", "xa", "dnd" or "chat"), GetString() is the
/// contact's status text. The bean is owned by the bridge and gone after the
/// handler returns. Sent as PTYPE_OFFLINE for every available contact when
/// the connection goes; never for the user's own resources.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_PRESENCE, JabberSimpleEvent);
/// A chat message with a body arrived (any message type); GetBean() holds
/// it as KelXmppBridge::ToBean makes it.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_MESSAGE, JabberMessageEvent);

/// Another user asks for, grants, withdraws or refuses a presence
/// subscription. The bean is a Presence of that user (bare address) whose
/// subscription type is "subscribe", "subscribed", "unsubscribe" or
/// "unsubscribed" and whose kind is PTYPE_OFFLINE; GetString() is the text
/// the user sent. The bean is owned by the bridge and gone after the handler
/// returns. A "subscribe" waits for KelXmppBridge::AnswerSubscription; the
/// roster change that follows an answer comes as jabEVT_ROSTER.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_SUBSCRIPTION, JabberSimpleEvent);

/// One roster entry, the bean of jabEVT_ROSTER.
class KELCTRLS_API RosterBean : public wxObject, public SimpleBean
{
public:
    /// An empty entry: every text empty, no groups.
    RosterBean() = default;
    /// An entry of the bare address `jid`; an empty `name` becomes the user
    /// part of the address. Nothing is checked.
    RosterBean(const wxString& jid, const wxString& name, const wxArrayString& groups,
               const wxString& subscription);

    /// A copy on the heap, owned by the caller.
    SimpleBean* Copy() override { return new RosterBean(*this); }

    /// The contact's bare address.
    wxString GetJid() const { return m_jid; }
    /// The name the user gave the contact, else the user part of its address.
    wxString GetName() const { return m_name; }
    /// The groups the contact is in; empty when none.
    wxArrayString GetGroups() const { return m_groups; }
    /// "none", "to", "from" or "both".
    wxString GetSubscriptionType() const { return m_subscription; }

private:
    wxString m_jid;
    wxString m_name;
    wxArrayString m_groups;
    wxString m_subscription;
};

/// Listens to one client (not owned, must outlive the bridge) and delivers
/// its news as events, synchronously, on the UI thread, through
/// KelJabberEventCenter to the handlers registered for each event type.
/// Events carry pointers to records that live only while the event is
/// handled: a handler that keeps one calls Copy().
///
/// While the client is not Online, the user's presence in PresenceManager
/// and the next presence (SetNextPresence) are PTYPE_OFFLINE; once it is
/// Online they become the presence last chosen with SetMyPresence
/// (PTYPE_ONLINE at first).
class KELCTRLS_API KelXmppBridge : public KelXmppListener
{
public:
    /// Adds the bridge to the client's listeners; `client` must not be null.
    explicit KelXmppBridge(KelXmppClient* client);
    /// Removes the bridge from the client's listeners.
    ~KelXmppBridge() override;

    /// The client the bridge listens to.
    KelXmppClient* GetClient() const { return m_client; }

    /// Sends a chat message: the addressee is the record's receivers (else
    /// its root "to"), with its body, thread, subject, message type and root
    /// id (a new id when it has none). Kept while offline and sent after the
    /// next sign-in. Returns the message id. Nothing is checked (see
    /// KelXmppClient::SendMessage).
    wxString SendMessage(const MessageBean& bean);
    /// Delivers the roster and the contacts' presence as they stand, then
    /// jabEVT_ROSTER_LOADED, for windows that open after the sign-in: one
    /// jabEVT_ROSTER per contact, one jabEVT_PRESENCE per available contact.
    /// While offline the roster kept from the last session comes without
    /// presence.
    void ReplayRoster();
    /// Approves (the user then sees our presence) or denies another user's
    /// subscription request; ignored while offline.
    void AnswerSubscription(const wxString& jid, bool approve) { m_client->AnswerSubscription(jid, approve); }
    /// Asks another user to share its presence; the answer comes as
    /// jabEVT_SUBSCRIPTION. Ignored while offline.
    void RequestSubscription(const wxString& jid) { m_client->RequestSubscription(jid); }
    /// The subscription type text of a subscription stanza kind:
    /// "subscribe", "subscribed", "unsubscribe" or "unsubscribed".
    static wxString SubscriptionText(KelXmppSubscription kind);
    /// Chooses the user's own presence and status text, sent now when online,
    /// otherwise at the next sign-in; PTYPE_OFFLINE signs out (the status is
    /// not used) and keeps the presence chosen before. PTYPE_INVISIBLE has no
    /// show text and goes out as PTYPE_ONLINE does.
    void SetMyPresence(PTYPE type, const wxString& status = wxString());

    /// The presence kind of a contact's presence: PTYPE_OFFLINE when
    /// unavailable, else by its show ("away", "xa", "dnd", "chat"); any other
    /// show is PTYPE_ONLINE.
    static PTYPE TypeOf(const KelXmppPresence& presence);
    /// The show text of a presence kind: "away", "xa", "dnd" or "chat";
    /// empty for PTYPE_ONLINE, PTYPE_INVISIBLE, PTYPE_OFFLINE and any other
    /// value.
    static wxString ShowOf(PTYPE type);
    /// The record a received message becomes: sender the bare address of
    /// `from`, its name from the roster (else the user part of the address),
    /// resource, root from, to, id and type as received, receivers the bare
    /// address of `to`, message type from the type ("chat", "groupchat",
    /// "headline", anything else normal), body, thread, subject and time.
    MessageBean ToBean(const KelXmppMessage& message) const;

    ///@{

    /// Called by the client: each updates the user's presence where needed
    /// and delivers the matching event (see the event types above). Calling
    /// them directly delivers the same events.
    void OnXmppStateChanged(KelXmppClient& client, KelXmppState state, const wxString& reason) override;
    void OnXmppContact(KelXmppClient& client, const KelXmppContact& contact, bool removed) override;
    void OnXmppRosterLoaded(KelXmppClient& client) override;
    void OnXmppPresence(KelXmppClient& client, const KelXmppPresence& presence) override;
    void OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message) override;
    void OnXmppSubscription(KelXmppClient& client, const wxString& jid, KelXmppSubscription kind,
                            const wxString& text) override;
    ///@}

private:
    void UpdateMyPresence(PTYPE type);

    KelXmppClient* m_client;
    PTYPE m_chosen = PTYPE_ONLINE;
};

#endif
