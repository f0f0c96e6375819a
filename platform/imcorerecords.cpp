// The core messaging library's part of the records: construction of the XML
// holders, the packet accessors that read and write the root element, the
// subject value, the SMS result array and the class information of the
// messaging events.
#include <kelctrls/messaging/beans.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/messaging/packets.h>

#include <wx/arrimpl.cpp>

// ---------------------------------------------------------------------------
// Subject

Subject::Subject() {}
Subject::Subject(const wxString& text, const wxString& lang) : m_text(text), m_lang(lang) {}
Subject::Subject(const Subject& other) = default;
Subject& Subject::operator=(const Subject& other) = default;
Subject::~Subject() {}

// ---------------------------------------------------------------------------
// Kel_Xml2

Kel_Xml2::Kel_Xml2(bool createDocument)
{
    if (createDocument)
        m_document.Create();
}

Kel_Xml2::Kel_Xml2(const Kel_Xml2& other) = default;
Kel_Xml2::~Kel_Xml2() {}

bool Kel_Xml2::LoadXml(const wxString& xml)
{
    wxXml2Document document;
    if (!document.LoadFromString(xml))
        return false;
    m_document = document;
    m_root = document.GetRoot();
    return true;
}

wxString Kel_Xml2::GetXml() const
{
    return m_root.ToString();
}

void Kel_Xml2::EnsureRoot(const wxString& name)
{
    if (m_root.IsOk())
        return;
    if (!m_document.IsOk())
        m_document.Create();
    wxXml2BaseNode root(name);
    m_document.SetRoot(root);
    m_root = root;
}

// ---------------------------------------------------------------------------
// Packet

Packet::Packet(const wxString& rootName) : Kel_Xml2(true)
{
    EnsureRoot(rootName);
}

Packet::Packet(const Packet& other) : Kel_Xml2(other), m_extensions(other.m_extensions) {}
Packet::~Packet() {}

wxString Packet::GetRootTo() const
{
    return m_root.GetAttribute("to");
}
wxString Packet::GetRootFrom() const
{
    return m_root.GetAttribute("from");
}
wxString Packet::GetRootId() const
{
    return m_root.GetAttribute("id");
}
wxString Packet::GetRootType() const
{
    return m_root.GetAttribute("type");
}
void Packet::SetRootId(const wxString& id)
{
    m_root.SetAttribute("id", id);
}
void Packet::SetRootFrom(const wxString& from)
{
    m_root.SetAttribute("from", from);
}
void Packet::SetRootTo(const wxString& to)
{
    m_root.SetAttribute("to", to);
}
void Packet::SetRootType(const wxString& type)
{
    m_root.SetAttribute("type", type);
}

int Packet::GetErrCode() const
{
    const wxXml2BaseNode error = m_root.Find("error");
    long code = 0;
    if (!error.IsOk() || !error.GetAttribute("code").ToLong(&code))
        return 0;
    return static_cast<int>(code);
}

wxString Packet::GetExtensionsXML() const
{
    wxString xml;
    for (wxList::compatibility_iterator node = m_extensions.GetFirst(); node; node = node->GetNext())
    {
        if (const Kel_xml* element = dynamic_cast<Kel_xml*>(node->GetData()))
            xml += element->GetXmlText();
    }
    return xml;
}

Kel_xml_Presence::~Kel_xml_Presence() {}

// ---------------------------------------------------------------------------

WX_DEFINE_USER_EXPORTED_OBJARRAY(SmsResultDataArray);

wxIMPLEMENT_DYNAMIC_CLASS(JabberEvent, wxCommandEvent);
wxIMPLEMENT_DYNAMIC_CLASS(JabberMessageEvent, wxCommandEvent);
