/// \file
/// The core messaging library as the controls library sees it: the job object
/// holding the signed-in account, the client's next presence and the event
/// hub that delivers messaging events to registered windows.
#ifndef KELCTRLS_PLATFORM_IMCORE_H
#define KELCTRLS_PLATFORM_IMCORE_H

#include <kelctrls/base.h>

#include <wx/event.h>

#include <vector>

/// Presence value meaning "offline".
enum
{
    KEL_PRESENCE_OFFLINE = 2
};

/// Sent to the windows that registered for it when the core library closes a
/// session window of its own.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, cltEVT_VARNEL_CLOSED, wxCommandEvent);

/// The user-name part of a Jabber address: "alice@example.org/desk" gives
/// "alice". An address without '@' is returned up to its resource.
KELCTRLS_API wxString ParseName(const wxString& jid);

///@{

/// The presence the client is about to take (KEL_PRESENCE_OFFLINE when it
/// signs off); set by the client.
KELCTRLS_API int GetNextPresence();
KELCTRLS_API void SetNextPresence(int presence);
///@}

/// The signed-in account as the core library keeps it, and the door through
/// which the controls send requests to the client.
class KELCTRLS_API KelJabberJob
{
public:
    /// The job object, created on first use; it lives until the program ends.
    static KelJabberJob* GetInstance();

    ///@{

    /// The signed-in user's Jabber address, with resource.
    wxString GetMyJid() const { return m_jid; }
    void SetMyJid(const wxString& jid) { m_jid = jid; }
    ///@}

    /// The stored password (encrypted when IsEncryptUserPwd).
    wxString GetMyPassWord() const { return m_password; }
    /// Stores the password; `encrypted` tells whether it is encrypted already.
    void SetMyPassWord(const wxString& password, bool encrypted);
    /// Whether the stored password is already encrypted.
    bool IsEncryptUserPwd() const { return m_passwordEncrypted; }

    ///@{

    /// The addresses of the meeting service's pages (create a meeting, join one).
    wxString GetCreatemeetingUrl() const { return m_createMeetingUrl; }
    wxString GetjoinmeetingUrl() const { return m_joinMeetingUrl; }
    void SetCreatemeetingUrl(const wxString& url) { m_createMeetingUrl = url; }
    void SetJoinmeetingUrl(const wxString& url) { m_joinMeetingUrl = url; }
    ///@}

    /// The signed-in user's data folders, without a trailing separator.
    wxString GetUserLocal() const { return m_userFolder; }
    /// The offline user's data folder (used while the next presence is offline).
    wxString GetOfflineUserLocal() const { return m_offlineUserFolder; }
    /// Sets the signed-in user's data folder; a trailing separator is dropped.
    void SetUserLocal(const wxString& folder) { m_userFolder = StripSeparator(folder); }
    /// Sets the offline user's data folder; a trailing separator is dropped.
    void SetOfflineUserLocal(const wxString& folder) { m_offlineUserFolder = StripSeparator(folder); }

    /// Requests from the controls (page script calls, for one) go to the
    /// handler the client installs here. SendEvent processes the event in
    /// that handler before it returns; without a handler it returns false.
    void SetEventHandler(wxEvtHandler* handler) { m_handler = handler; }
    /// The handler SetEventHandler installed (not owned); null when none.
    wxEvtHandler* GetEventHandler() const { return m_handler; }
    /// Processes `event` in the installed handler; false without one. `flags` is
    /// not used.
    bool SendEvent(wxEvent& event, int flags = 0);

private:
    KelJabberJob() = default;
    static wxString StripSeparator(const wxString& folder);

    wxString m_jid;
    wxString m_password;
    bool m_passwordEncrypted = false;
    wxString m_createMeetingUrl;
    wxString m_joinMeetingUrl;
    wxString m_userFolder;
    wxString m_offlineUserFolder;
    wxEvtHandler* m_handler = nullptr;
};

/// Delivers the core library's events to the handlers registered for their
/// event type. A handler stays registered until it unregisters (windows do so
/// in their destructor).
class KELCTRLS_API KelJabberEventCenter
{
public:
    /// The hub, created on first use; it lives until the program ends.
    static KelJabberEventCenter* GetInstance();

    /// Registering the same handler for the same type twice keeps one entry.
    void Register(wxEvtHandler* handler, int eventType, const wxString& className = wxString(),
                  const wxString& eventName = wxString());
    /// eventType -1 removes every registration of the handler.
    void UnRegister(wxEvtHandler* handler, int eventType);

    /// Whether `handler` is registered for `eventType`.
    bool IsRegistered(wxEvtHandler* handler, int eventType) const;
    /// The number of handlers registered for `eventType`.
    size_t GetHandlerCount(int eventType) const;

    /// Processes `event` in every handler registered for its type, in
    /// registration order, and returns how many there were. A handler may
    /// unregister itself, or others, while the event is delivered.
    size_t Deliver(wxEvent& event);
    /// Queues a copy of `event` to each of those handlers.
    size_t Post(const wxEvent& event);

private:
    struct Registration
    {
        wxEvtHandler* handler;
        int eventType;
        wxString className;
        wxString eventName;
    };

    KelJabberEventCenter() = default;
    std::vector<wxEvtHandler*> HandlersFor(int eventType) const;

    std::vector<Registration> m_registrations;
};

#endif
