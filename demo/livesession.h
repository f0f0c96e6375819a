// The demo's live chat: a private Jabber server with the user alice, about
// three hundred colleagues in departments on her roster, and a few of them
// signed in from inside the demo. One of them, bob, answers what alice
// writes and changes his presence every few seconds; once alice is online he
// asks to see her presence, which she may approve or deny.
#ifndef KELCTRLS_DEMO_LIVESESSION_H
#define KELCTRLS_DEMO_LIVESESSION_H

#include <kelctrls/messaging/xmppbridge.h>

#include <localxmppserver.h>

#include <wx/timer.h>

#include <memory>
#include <vector>

class DemoLiveSession : public wxEvtHandler, private KelXmppListener
{
public:
    // Starts the server and signs the colleagues in; null (and `error` says
    // why) when the server cannot start. The session lives until Stop.
    static DemoLiveSession* Start(wxString* error);
    // Signs the user in (the sign-in controls call it); false for an address
    // without user and domain, or while not signed out.
    bool SignIn(const wxString& jid, const wxString& password);
    // The running session, or null in offline mode.
    static DemoLiveSession* Get();
    // Signs out and stops the server.
    static void Stop();

    KelXmppClient& GetUser() { return m_user; }
    KelXmppBridge& GetBridge() { return *m_bridge; }
    // The user's account and password on the demo's server.
    wxString GetUserJid() const;
    wxString GetUserPassword() const;
    wxString GetResponderJid() const;
    // The roster name of a contact, else the user part of its address.
    wxString GetDisplayName(const wxString& jid) const;

    // Pumps events until the user is online with the roster loaded and the
    // responder's presence known, or `timeoutMs` passed.
    bool WaitUntilReady(int timeoutMs);

private:
    DemoLiveSession();
    bool Launch(wxString* error);
    bool PrepareServer();
    std::unique_ptr<KelXmppClient> SignInColleague(const wxString& user, const wxString& show,
                                                   const wxString& status);

    // The responder's side.
    void OnXmppMessage(KelXmppClient& client, const KelXmppMessage& message) override;
    void OnPresenceTimer(wxTimerEvent& event);

    LocalXmppServer m_server;
    KelXmppClient m_user;
    std::unique_ptr<KelXmppBridge> m_bridge;
    std::unique_ptr<KelXmppClient> m_responder;
    std::vector<std::unique_ptr<KelXmppClient>> m_colleagues;
    wxTimer m_presenceTimer;
    size_t m_presenceStep = 0;
    size_t m_replies = 0;
    bool m_askedToSubscribe = false;
};

#endif
