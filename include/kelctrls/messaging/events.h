/// \file
/// Events that carry messaging records from the core library to windows.
///
/// A window registers with KelJabberEventCenter for an event type, binds that
/// type in its event table with any id, and unregisters in its destructor.
/// The events hold their payload pointers without owning them; Clone copies
/// everything, so queued events arrive complete.
#ifndef KELCTRLS_MESSAGING_EVENTS_H
#define KELCTRLS_MESSAGING_EVENTS_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>

#include <wx/event.h>

class Kel_Xml2;

/// A general notification with an XML payload and a data pointer.
class KELCTRLS_API JabberEvent : public wxCommandEvent
{
public:
    /// An event of `eventType` from window `id` with `xml` and `data` (neither owned).
    JabberEvent(wxEventType eventType = wxEVT_NULL, int id = 0, Kel_Xml2* xml = nullptr,
                void* data = nullptr);
    /// Copies every field (the pointers, not what they point to).
    JabberEvent(const JabberEvent& other) = default;

    /// A number the sender attaches; its meaning belongs to the event type (0
    /// unless set).
    int GetX() const { return m_x; }
    /// Sets the first number.
    void SetX(int x) { m_x = x; }
    /// A second number the sender attaches.
    int GetY() const { return m_y; }
    /// Sets the second number.
    void SetY(int y) { m_y = y; }
    /// The XML payload, not owned; null when none.
    Kel_Xml2* GetKelXml() const { return m_xml; }
    /// Sets the XML payload (not owned).
    void SetKelXml(Kel_Xml2* xml) { m_xml = xml; }
    /// The data pointer, not owned; its type belongs to the event type.
    void* GetData() const { return m_data; }
    /// Sets the data pointer (not owned).
    void SetData(void* data) { m_data = data; }

    /// A copy, for queueing.
    wxEvent* Clone() const override { return new JabberEvent(*this); }

private:
    int m_x;
    int m_y;
    Kel_Xml2* m_xml;
    void* m_data;

    wxDECLARE_DYNAMIC_CLASS(JabberEvent);
};

/// A notification that carries one SimpleBean, such as a Presence.
class KELCTRLS_API JabberSimpleEvent : public wxCommandEvent
{
public:
    /// An event of `eventType` from window `id` without a record.
    JabberSimpleEvent(wxEventType eventType = wxEVT_NULL, int id = 0)
        : wxCommandEvent(eventType, id), m_bean(nullptr)
    {
    }
    /// Copies the event (the record pointer, not the record).
    JabberSimpleEvent(const JabberSimpleEvent& other) = default;

    /// The record, not owned; null when none.
    SimpleBean* GetBean() const { return m_bean; }
    /// Sets the record (not owned).
    void SetBean(SimpleBean* bean) { m_bean = bean; }

    /// A copy, for queueing.
    wxEvent* Clone() const override { return new JabberSimpleEvent(*this); }

private:
    SimpleBean* m_bean;
};

/// A chat message or the outcome of sending an SMS.
class KELCTRLS_API JabberMessageEvent : public wxCommandEvent
{
public:
    /// An event of `eventType` from window `id` with empty records.
    JabberMessageEvent(wxEventType eventType = wxEVT_NULL, int id = 0) : wxCommandEvent(eventType, id) {}
    /// Copies the command part, then assigns the three records.
    JabberMessageEvent(const JabberMessageEvent& other);

    /// Sets the message (copied).
    void SetBean(MessageBean bean) { m_bean = bean; }
    /// A copy of the message.
    MessageBean GetBean() const { return m_bean; }
    /// Sets the SMS outcome (copied).
    void SetSmsResultBean(SmsResultBean bean) { m_smsResult = bean; }
    /// A copy of the SMS outcome.
    SmsResultBean GetSmsResultBean() const { return m_smsResult; }
    /// Sets the SMS mobile record (copied).
    void SetSmsMobileBean(SmsMobileBean bean) { m_smsMobile = bean; }
    /// A copy of the SMS mobile record.
    SmsMobileBean GetSmsMobileBean() const { return m_smsMobile; }

    /// The clone's records are assigned from this event's, so the message
    /// keeps every field, its XML message pointer included.
    wxEvent* Clone() const override;

private:
    MessageBean m_bean;
    SmsResultBean m_smsResult;
    SmsMobileBean m_smsMobile;

    wxDECLARE_DYNAMIC_CLASS(JabberMessageEvent);
};

/// A mouse event outside the client's windows, for platforms with global
/// mouse hooks; never sent on this one.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, jabEVT_MOUSE_HOOK, wxCommandEvent);

/// Kept for the client's start-up sequence; global mouse hooks are not used on
/// this platform, so it installs nothing.
KELCTRLS_API void AttachMouseHook();

#endif
