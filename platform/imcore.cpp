#include <kelctrls/platform/imcore.h>

#include <wx/filename.h>

#include <algorithm>

wxDEFINE_EVENT(cltEVT_VARNEL_CLOSED, wxCommandEvent);

namespace
{
int g_nextPresence = 0;
}

wxString ParseName(const wxString& jid)
{
    const wxString bare = jid.BeforeFirst('/');
    return bare.Contains("@") ? bare.BeforeFirst('@') : bare;
}

int GetNextPresence()
{
    return g_nextPresence;
}

void SetNextPresence(int presence)
{
    g_nextPresence = presence;
}

// ---------------------------------------------------------------------------
// KelJabberJob
// ---------------------------------------------------------------------------

KelJabberJob* KelJabberJob::GetInstance()
{
    static KelJabberJob job;
    return &job;
}

void KelJabberJob::SetMyPassWord(const wxString& password, bool encrypted)
{
    m_password = password;
    m_passwordEncrypted = encrypted;
}

wxString KelJabberJob::StripSeparator(const wxString& folder)
{
    wxString stripped = folder;
    while (stripped.length() > 1 && wxFileName::IsPathSeparator(stripped.Last()))
        stripped.RemoveLast();
    return stripped;
}

bool KelJabberJob::SendEvent(wxEvent& event, int)
{
    return m_handler && m_handler->ProcessEvent(event);
}

// ---------------------------------------------------------------------------
// KelJabberEventCenter
// ---------------------------------------------------------------------------

KelJabberEventCenter* KelJabberEventCenter::GetInstance()
{
    static KelJabberEventCenter center;
    return &center;
}

void KelJabberEventCenter::Register(wxEvtHandler* handler, int eventType, const wxString& className,
                                    const wxString& eventName)
{
    if (!handler || IsRegistered(handler, eventType))
        return;
    m_registrations.push_back(Registration{handler, eventType, className, eventName});
}

void KelJabberEventCenter::UnRegister(wxEvtHandler* handler, int eventType)
{
    m_registrations.erase(std::remove_if(m_registrations.begin(), m_registrations.end(),
                                         [=](const Registration& r) {
                                             return r.handler == handler &&
                                                    (eventType == -1 || r.eventType == eventType);
                                         }),
                          m_registrations.end());
}

bool KelJabberEventCenter::IsRegistered(wxEvtHandler* handler, int eventType) const
{
    return std::any_of(m_registrations.begin(), m_registrations.end(),
                       [=](const Registration& r)
                       { return r.handler == handler && r.eventType == eventType; });
}

size_t KelJabberEventCenter::GetHandlerCount(int eventType) const
{
    return HandlersFor(eventType).size();
}

std::vector<wxEvtHandler*> KelJabberEventCenter::HandlersFor(int eventType) const
{
    std::vector<wxEvtHandler*> handlers;
    for (const Registration& r : m_registrations)
        if (r.eventType == eventType)
            handlers.push_back(r.handler);
    return handlers;
}

size_t KelJabberEventCenter::Deliver(wxEvent& event)
{
    size_t delivered = 0;
    for (wxEvtHandler* handler : HandlersFor(event.GetEventType()))
    {
        // Skip handlers that an earlier one unregistered meanwhile.
        if (!IsRegistered(handler, event.GetEventType()))
            continue;
        handler->ProcessEvent(event);
        ++delivered;
    }
    return delivered;
}

size_t KelJabberEventCenter::Post(const wxEvent& event)
{
    const std::vector<wxEvtHandler*> handlers = HandlersFor(event.GetEventType());
    for (wxEvtHandler* handler : handlers)
        handler->AddPendingEvent(event);
    return handlers.size();
}
