#include <kelctrls/messaging/events.h>

wxDEFINE_EVENT(jabEVT_MOUSE_HOOK, wxCommandEvent);

wxIMPLEMENT_DYNAMIC_CLASS(JabberEvent, wxCommandEvent);
wxIMPLEMENT_DYNAMIC_CLASS(JabberMessageEvent, wxCommandEvent);

JabberEvent::JabberEvent(wxEventType eventType, int id, Kel_Xml2* xml, void* data)
    : wxCommandEvent(eventType, id), m_x(0), m_y(0), m_xml(xml), m_data(data)
{
}

JabberMessageEvent::JabberMessageEvent(const JabberMessageEvent& other) : wxCommandEvent(other)
{
    m_bean = other.m_bean;
    m_smsResult = other.m_smsResult;
    m_smsMobile = other.m_smsMobile;
}

wxEvent* JabberMessageEvent::Clone() const
{
    return new JabberMessageEvent(*this);
}

void AttachMouseHook() {}
