// The packet records: construction of the XML holders, the packet accessors
// that read and write the root element, and copying. Every copy shares the XML
// document and root element (the wrappers' own assignment shares them) and
// copies the fields in declared order.
#include <kelctrls/messaging/packets.h>

// ---------------------------------------------------------------------------
// Kel_Xml2

Kel_Xml2::Kel_Xml2(bool createDocument)
{
    if (createDocument)
        m_document.Create();
}

Kel_Xml2::Kel_Xml2(const Kel_Xml2& other) = default;
Kel_Xml2& Kel_Xml2::operator=(const Kel_Xml2& other) = default;
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
Packet& Packet::operator=(const Packet& other) = default;
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

// ---------------------------------------------------------------------------
// The packet kinds

Packet_Iq::Packet_Iq() : Packet("iq") {}
Packet_Iq::Packet_Iq(const Packet_Iq& other) = default;
Packet_Iq& Packet_Iq::operator=(const Packet_Iq& other) = default;
Packet_Iq::~Packet_Iq() {}

wxString Packet_Iq::GetChildElementXML() const
{
    return wxString();
}

Kel_xml_Presence::Kel_xml_Presence()
    : Packet("presence"), m_presenceType(Presence_Available), m_priority(0), m_mode(Presence_Mode_Normal)
{
}

Kel_xml_Presence::Kel_xml_Presence(const Kel_xml_Presence& other) = default;
Kel_xml_Presence& Kel_xml_Presence::operator=(const Kel_xml_Presence& other) = default;
Kel_xml_Presence::~Kel_xml_Presence() {}

Kel_xml_ConfPresence::Kel_xml_ConfPresence() : Packet("presence"), m_role(0) {}
Kel_xml_ConfPresence::Kel_xml_ConfPresence(const Kel_xml_ConfPresence& other) = default;
Kel_xml_ConfPresence& Kel_xml_ConfPresence::operator=(const Kel_xml_ConfPresence& other) = default;
Kel_xml_ConfPresence::~Kel_xml_ConfPresence() {}

Kel_xml_Message::Kel_xml_Message()
    : Packet("message"), m_serverType(0), m_offline(false), m_encrypted(false),
      m_replyType(MessageReply_None), m_mode(0)
{
}

Kel_xml_Message::Kel_xml_Message(const Kel_xml_Message& other) = default;
Kel_xml_Message& Kel_xml_Message::operator=(const Kel_xml_Message& other) = default;
Kel_xml_Message::~Kel_xml_Message() {}

wxIMPLEMENT_DYNAMIC_CLASS(Kel_xml, wxObject);
