// Events that carry messaging records from the core library to windows.
//
// A window registers with KelJabberEventCenter for an event type, binds that
// type in its event table with any id, and unregisters in its destructor.
// The events hold their payload pointers without owning them; Clone copies
// everything, so queued events arrive complete.
#ifndef KELCTRLS_MESSAGING_EVENTS_H
#define KELCTRLS_MESSAGING_EVENTS_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>

#include <wx/event.h>

class Kel_Xml2;

// A general notification with an XML payload and a data pointer.
class KELCTRLS_API JabberEvent : public wxCommandEvent
{
public:
    JabberEvent(wxEventType eventType = wxEVT_NULL, int id = 0, Kel_Xml2* xml = nullptr,
                void* data = nullptr);
    JabberEvent(const JabberEvent& other) = default;

    int GetX() const { return m_x; }
    void SetX(int x) { m_x = x; }
    int GetY() const { return m_y; }
    void SetY(int y) { m_y = y; }
    Kel_Xml2* GetKelXml() const { return m_xml; }
    void SetKelXml(Kel_Xml2* xml) { m_xml = xml; }
    void* GetData() const { return m_data; }
    void SetData(void* data) { m_data = data; }

    wxEvent* Clone() const override { return new JabberEvent(*this); }

private:
    int m_x;
    int m_y;
    Kel_Xml2* m_xml;
    void* m_data;

    wxDECLARE_DYNAMIC_CLASS(JabberEvent);
};

// A notification that carries one SimpleBean, such as a Presence.
class KELCTRLS_API JabberSimpleEvent : public wxCommandEvent
{
public:
    JabberSimpleEvent(wxEventType eventType = wxEVT_NULL, int id = 0)
        : wxCommandEvent(eventType, id), m_bean(nullptr)
    {
    }
    JabberSimpleEvent(const JabberSimpleEvent& other) = default;

    SimpleBean* GetBean() const { return m_bean; }
    void SetBean(SimpleBean* bean) { m_bean = bean; }

    wxEvent* Clone() const override { return new JabberSimpleEvent(*this); }

private:
    SimpleBean* m_bean;
};

// A chat message or the outcome of sending an SMS.
class KELCTRLS_API JabberMessageEvent : public wxCommandEvent
{
public:
    JabberMessageEvent(wxEventType eventType = wxEVT_NULL, int id = 0) : wxCommandEvent(eventType, id) {}
    // Copies the command part, then assigns the three records.
    JabberMessageEvent(const JabberMessageEvent& other);

    void SetBean(MessageBean bean) { m_bean = bean; }
    MessageBean GetBean() const { return m_bean; }
    void SetSmsResultBean(SmsResultBean bean) { m_smsResult = bean; }
    SmsResultBean GetSmsResultBean() const { return m_smsResult; }
    void SetSmsMobileBean(SmsMobileBean bean) { m_smsMobile = bean; }
    SmsMobileBean GetSmsMobileBean() const { return m_smsMobile; }

    // The clone's records are assigned from this event's, so the message
    // keeps every field, its XML message pointer included.
    wxEvent* Clone() const override;

private:
    MessageBean m_bean;
    SmsResultBean m_smsResult;
    SmsMobileBean m_smsMobile;

    wxDECLARE_DYNAMIC_CLASS(JabberMessageEvent);
};

wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_MOUSE_HOOK, wxCommandEvent);

// Kept for the client's start-up sequence; global mouse hooks are not used on
// this platform, so it installs nothing.
KELCTRLS_API void AttachMouseHook();

#endif
