// Copying of the packet records. Every copy shares the XML document and root
// element (the wrappers' own assignment shares them) and copies the fields in
// declared order. Construction of Kel_Xml2 and Packet, their destruction and
// the packet's XML accessors belong to the core library.
#include <kelctrls/messaging/packets.h>

Kel_Xml2& Kel_Xml2::operator=(const Kel_Xml2& other) = default;
Packet& Packet::operator=(const Packet& other) = default;

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
