// Turns what the core library's Jabber connection learns into the records
// and events the windows know: contacts, Presence and MessageBean records,
// delivered through KelJabberEventCenter to the windows registered for
// them. It also keeps the user's own presence in PresenceManager and the
// next presence, so that an offline connection makes the controls behave
// as offline.
#ifndef KELCTRLS_MESSAGING_XMPPBRIDGE_H
#define KELCTRLS_MESSAGING_XMPPBRIDGE_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/platform/xmppclient.h>

// The connection changed state: GetInt() is the KelXmppState, GetString()
// why it went offline or lost the server (empty otherwise).
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_CONNECTION, wxCommandEvent);
// A roster entry came or changed (GetInt() 1) or left the roster (0); the
// bean is a RosterBean.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_ROSTER, JabberSimpleEvent);
// The whole roster has arrived after a sign-in.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_ROSTER_LOADED, wxCommandEvent);
// A contact's presence changed; the bean is a Presence (its show is the
// show text: "", "away", "xa", "dnd" or "chat"), GetString() is the
// contact's status text.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_PRESENCE, JabberSimpleEvent);
// A chat message arrived; GetBean() holds it.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_MESSAGE, JabberMessageEvent);

// One roster entry.
class KELCTRLS_API RosterBean : public wxObject, public SimpleBean
{
public:
    RosterBean() = default;
    RosterBean(const wxString& jid, const wxString& name, const wxArrayString& groups,
               const wxString& subscription);

    SimpleBean* Copy() override { return new RosterBean(*this); }

    wxString GetJid() const { return m_jid; }
    // The name the user gave the contact, else the user part of its address.
    wxString GetName() const { return m_name; }
    wxArrayString GetGroups() const { return m_groups; }
    wxString GetSubscriptionType() const { return m_subscription; }

private:
    wxString m_jid;
    wxString m_name;
    wxArrayString m_groups;
    wxString m_subscription;
};

// Listens to one client (not owned, must outlive the bridge) and delivers
// its news as events, synchronously, on the UI thread. Events carry
// pointers to records that live only while the event is handled: a handler
// that keeps one calls Copy().
class KELCTRLS_API KelXmppBridge : public KelXmppListener
{
public:
    explicit KelXmppBridge(KelXmppClient* client);
    ~KelXmppBridge() override;

    KelXmppClient* GetClient() const { return m_client; }

    // Sends a chat message: the addressee is the record's receivers (else
    // its root "to"), with its body, thread and message type. Kept while
    // offline and sent after the next sign-in. Returns the message id.
    wxString SendMessage(const MessageBean& bean);
    // Delivers the roster and the contacts' presence as they stand, then
    // jabEVT_ROSTER_LOADED, for windows that open after the sign-in.
    void ReplayRoster();
    // Chooses the user's own presence; PTYPE_OFFLINE signs out.
    void SetMyPresence(PTYPE type, const wxString& status = wxString());

    // The presence kind of a contact's presence, and the show text of a
    // presence kind.
    static PTYPE TypeOf(const KelXmppPresence& presence);
    static wxString ShowOf(PTYPE type);
    // The record a received message becomes.
    MessageBean ToBean(const KelXmppMessage& message) const;

    void OnXmppStateChanged(KelXmppClient& client, KelXmppState state, const wxString& reason) override;
    void OnXmppContact(KelXmppClient& client, const KelXmppContact& contact, bool removed) override;
    void OnXmppRosterLoaded(KelXmppClient& client) override;
    void OnXmppPresence(KelXmppClient& client, const KelXmppPresence& presence) override;
    void OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message) override;

private:
    void UpdateMyPresence(PTYPE type);

    KelXmppClient* m_client;
    PTYPE m_chosen = PTYPE_ONLINE;
};

#endif
