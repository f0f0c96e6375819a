/// \file
/// XML packet records exchanged with the core messaging library.
///
/// Kel_Xml2 holds a packet's XML document and its root element, both shared by
/// reference count: assigning a packet shares the XML rather than copying it.
/// Packet adds the root attributes every stanza has and a list of extension
/// objects (not owned); its kinds add the fields of iq, presence and message
/// stanzas.
#ifndef KELCTRLS_MESSAGING_PACKETS_H
#define KELCTRLS_MESSAGING_PACKETS_H

#include <kelctrls/base.h>
#include <kelctrls/platform/imcoretypes.h>
#include <kelctrls/platform/xml2.h>

#include <wx/gdicmn.h>
#include <wx/list.h>
#include <wx/object.h>
#include <wx/string.h>

/// A list of objects that copies like a value: a copy has its own nodes that
/// point to the same objects. The list never owns its objects.
class KELCTRLS_API KelObjectList : public wxList
{
public:
    /// An empty list.
    KelObjectList() {}
    /// A list of the same objects.
    KelObjectList(const KelObjectList& other) : wxList() { Assign(other); }
    /// Points to the same objects as `other`.
    KelObjectList& operator=(const KelObjectList& other)
    {
        if (this != &other)
            Assign(other);
        return *this;
    }
};

/// The XML of one packet: a document and its root element, shared by reference count.
class KELCTRLS_API Kel_Xml2 : public wxObject
{
public:
    /// With createDocument, the holder starts with an empty document of its own.
    Kel_Xml2(bool createDocument = true);
    /// Shares the XML of `other`.
    Kel_Xml2(const Kel_Xml2& other);
    /// Shares the XML of `other`.
    Kel_Xml2& operator=(const Kel_Xml2& other);
    /// Drops this holder's share of the XML.
    virtual ~Kel_Xml2();

    /// The document.
    const wxXml2Document& GetDocument() const { return m_document; }
    /// The root element; null without document.
    wxXml2BaseNode GetRootNode() const { return m_root; }

    /// Replaces document and root by the parsed text; false (nothing changed)
    /// when the text is not well-formed XML.
    bool LoadXml(const wxString& xml);
    /// The root element as XML text.
    wxString GetXml() const;

protected:
    /// Gives the document a root element of that name when it has none.
    void EnsureRoot(const wxString& name);

    /// The shared document.
    wxXml2Document m_document;
    /// Its root element.
    wxXml2BaseNode m_root;
};

/// A stanza: the root attributes "to", "from", "id" and "type", an error code, and extension objects.
class KELCTRLS_API Packet : public Kel_Xml2
{
public:
    /// A packet whose root element has that name ("message", "presence", "iq").
    explicit Packet(const wxString& rootName = "message");
    /// Shares the XML and points to the same extension objects.
    Packet(const Packet& other);
    /// Shares the XML and points to the same extension objects.
    Packet& operator=(const Packet& other);
    /// Drops the share of the XML; the extension objects are not deleted.
    virtual ~Packet();

    ///@{

    /// The root attributes "to", "from" and "id" ("" when missing), read from and written to the XML.
    virtual wxString GetRootTo() const;
    virtual wxString GetRootFrom() const;
    virtual wxString GetRootId() const;
    virtual void SetRootId(const wxString& id);
    virtual void SetRootFrom(const wxString& from);
    virtual void SetRootTo(const wxString& to);
    ///@}
    ///@{

    /// The root attribute "type" ("" when missing).
    virtual wxString GetRootType() const;
    virtual void SetRootType(const wxString& type);
    ///@}
    /// The "code" of the packet's error child, 0 when there is none.
    virtual int GetErrCode() const;
    /// The XML text of the extension objects that are Kel_xml elements, in
    /// list order.
    virtual wxString GetExtensionsXML() const;

    /// The extension objects; the packet does not own them.
    wxList& GetExtensions() { return m_extensions; }
    /// The extension objects; the packet does not own them.
    const wxList& GetExtensions() const { return m_extensions; }

protected:
    /// The extension objects, not owned.
    KelObjectList m_extensions;
};

/// An iq stanza with its query child.
class KELCTRLS_API Packet_Iq : public Packet
{
public:
    /// An iq packet without query.
    Packet_Iq();
    /// Copies the fields and shares the XML.
    Packet_Iq(const Packet_Iq& other);
    /// Copies the fields and shares the XML.
    Packet_Iq& operator=(const Packet_Iq& other);
    /// Nothing beyond Packet's clean-up.
    virtual ~Packet_Iq();

    /// The XML of the query child; query kinds override it.
    virtual wxString GetChildElementXML() const;

    ///@{

    /// The name of the query element.
    wxString GetQueryName() const { return m_queryName; }
    void SetQueryName(const wxString& name) { m_queryName = name; }
    ///@}
    ///@{

    /// The namespace of the query element.
    wxString GetQueryNamespace() const { return m_queryNamespace; }
    void SetQueryNamespace(const wxString& ns) { m_queryNamespace = ns; }
    ///@}
    ///@{

    /// The "node" the query is about.
    wxString GetNode() const { return m_node; }
    void SetNode(const wxString& node) { m_node = node; }
    ///@}
    ///@{

    /// The action the query asks for.
    wxString GetAction() const { return m_action; }
    void SetAction(const wxString& action) { m_action = action; }
    ///@}

private:
    wxString m_queryName;
    wxString m_queryNamespace;
    wxString m_node;
    wxString m_action;
};

/// A presence stanza.
class KELCTRLS_API Kel_xml_Presence : public Packet
{
public:
    /// An available presence.
    Kel_xml_Presence();
    /// Copies the fields and shares the XML.
    Kel_xml_Presence(const Kel_xml_Presence& other);
    /// Copies the fields and shares the XML.
    Kel_xml_Presence& operator=(const Kel_xml_Presence& other);
    /// Nothing beyond Packet's clean-up.
    virtual ~Kel_xml_Presence();

    ///@{

    /// The presence type (available, unavailable, subscription requests...).
    Presence_Type GetPresenceType() const { return m_presenceType; }
    void SetPresenceType(Presence_Type type) { m_presenceType = type; }
    ///@}
    ///@{

    /// The status text.
    wxString GetStatus() const { return m_status; }
    void SetStatus(const wxString& status) { m_status = status; }
    ///@}
    ///@{

    /// The priority (-128 to 127).
    int GetPriority() const { return m_priority; }
    void SetPriority(int priority) { m_priority = priority; }
    ///@}
    ///@{

    /// The show mode (chat, away, dnd...).
    Presence_Mode GetPresenceMode() const { return m_mode; }
    void SetPresenceMode(Presence_Mode mode) { m_mode = mode; }
    ///@}
    ///@{

    /// The nickname.
    wxString GetNickName() const { return m_nickName; }
    void SetNickName(const wxString& nick) { m_nickName = nick; }
    ///@}

private:
    Presence_Type m_presenceType;
    wxString m_status;
    int m_priority;
    Presence_Mode m_mode;
    wxString m_nickName;
};

/// Presence in a conference room.
class KELCTRLS_API Kel_xml_ConfPresence : public Packet
{
public:
    /// An empty room presence.
    Kel_xml_ConfPresence();
    /// Copies the fields and shares the XML.
    Kel_xml_ConfPresence(const Kel_xml_ConfPresence& other);
    /// Copies the fields and shares the XML.
    Kel_xml_ConfPresence& operator=(const Kel_xml_ConfPresence& other);
    /// Nothing beyond Packet's clean-up.
    virtual ~Kel_xml_ConfPresence();

    ///@{

    /// The room's JID.
    wxString GetRoom() const { return m_room; }
    void SetRoom(const wxString& room) { m_room = room; }
    ///@}
    ///@{

    /// The occupant's nickname in the room.
    wxString GetNickName() const { return m_nickName; }
    void SetNickName(const wxString& nick) { m_nickName = nick; }
    ///@}
    ///@{

    /// The occupant's role.
    int GetRole() const { return m_role; }
    void SetRole(int role) { m_role = role; }
    ///@}

private:
    wxString m_room;
    wxString m_nickName;
    int m_role;
};

/// A message stanza with the client's extra fields.
class KELCTRLS_API Kel_xml_Message : public Packet
{
public:
    /// An empty message.
    Kel_xml_Message();
    /// Copies the fields and shares the XML.
    Kel_xml_Message(const Kel_xml_Message& other);
    /// Copies the fields and shares the XML.
    Kel_xml_Message& operator=(const Kel_xml_Message& other);
    /// Nothing beyond Packet's clean-up; attachments are not deleted.
    virtual ~Kel_xml_Message();

    /// Objects attached to the message (not owned).
    wxList& GetAttachments() { return m_attachments; }

    ///@{

    /// The message text.
    wxString GetBody() const { return m_body; }
    void SetBody(const wxString& body) { m_body = body; }
    ///@}
    ///@{

    /// The conversation thread id.
    wxString GetThread() const { return m_thread; }
    void SetThread(const wxString& thread) { m_thread = thread; }
    ///@}
    ///@{

    /// The receiver's department.
    wxString GetReceDepart() const { return m_receDepart; }
    void SetReceDepart(const wxString& depart) { m_receDepart = depart; }
    ///@}
    ///@{

    /// The subject.
    Subject GetSubject() const { return m_subject; }
    void SetSubject(const Subject& subject) { m_subject = subject; }
    ///@}
    ///@{

    /// The receiver's number (an SMS receiver).
    wxString GetReceNumber() const { return m_receNumber; }
    void SetReceNumber(const wxString& number) { m_receNumber = number; }
    ///@}
    ///@{

    /// The receiving group (an SMS to a group).
    wxString GetReveGroup() const { return m_reveGroup; }
    void SetReveGroup(const wxString& group) { m_reveGroup = group; }
    ///@}
    ///@{

    /// The kind of SMS.
    wxString GetSmstype() const { return m_smsType; }
    void SetSmstype(const wxString& type) { m_smsType = type; }
    ///@}
    ///@{

    /// Whether and how the message asks for a reply.
    MessageReplyType GetReplyType() const { return m_replyType; }
    void SetReplyType(MessageReplyType type) { m_replyType = type; }
    ///@}
    ///@{

    /// Whether the message was stored while the user was offline.
    bool GetOffline() const { return m_offline; }
    void SetOffline(bool offline) { m_offline = offline; }
    ///@}
    ///@{

    /// Whether the body is encrypted.
    bool GetEncryptMsg() const { return m_encrypted; }
    void SetEncryptMsg(bool encrypted) { m_encrypted = encrypted; }
    ///@}
    ///@{

    /// The kind of server the message came through.
    int GetServerType() const { return m_serverType; }
    void SetServerType(int type) { m_serverType = type; }
    ///@}
    ///@{

    /// The delivery mode.
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    ///@}
    ///@{

    /// The receivers of a message to several people.
    wxString GetReceivers() const { return m_receivers; }
    void SetReceivers(const wxString& receivers) { m_receivers = receivers; }
    ///@}

private:
    KelObjectList m_attachments;
    wxString m_typeText;
    wxString m_lang;
    int m_serverType;
    wxString m_body;
    wxString m_thread;
    wxString m_senderName;
    wxString m_senderDept;
    wxString m_receDepart;
    wxString m_time;
    wxString m_url;
    wxString m_fileName;
    wxString m_scope;
    Subject m_subject;
    wxString m_reserved;
    wxString m_receNumber;
    wxString m_reveGroup;
    wxString m_smsType;
    bool m_offline;
    bool m_encrypted;
    MessageReplyType m_replyType;
    int m_mode;
    wxString m_receivers;
    wxString m_resource;
};

/// One XML element of the core library's configuration and tag records.
class KELCTRLS_API Kel_xml : public wxObject
{
public:
    /// An empty element of type 0.
    Kel_xml() : m_type(0) {}
    /// An element of kind `type` with the XML text `xmlText`.
    Kel_xml(int type, const wxString& xmlText) : m_type(type), m_xmlText(xmlText) {}

    ///@{

    /// The kind of element (the core library's numbering).
    int GetType() const { return m_type; }
    void SetType(int type) { m_type = type; }
    ///@}
    ///@{

    /// The element as XML text.
    wxString GetXmlText() const { return m_xmlText; }
    void SetXmlText(const wxString& text) { m_xmlText = text; }
    ///@}

private:
    int m_type;
    wxString m_xmlText;

    wxDECLARE_DYNAMIC_CLASS(Kel_xml);
};

/// The configuration of one window of the client.
class KELCTRLS_API Kel_xml_Configfile : public Kel_xml
{
public:
    /// An empty configuration.
    Kel_xml_Configfile() : m_version(0), m_width(0), m_height(0), m_left(0), m_top(0), m_flags(0) {}

    ///@{

    /// The name of the configured window.
    wxString GetName() const { return m_name; }
    void SetName(const wxString& name) { m_name = name; }
    ///@}
    ///@{

    /// The version of the configuration.
    int GetVersion() const { return m_version; }
    void SetVersion(int version) { m_version = version; }
    ///@}
    /// Where the configured window stands.
    wxRect GetRect() const { return wxRect(m_left, m_top, m_width, m_height); }
    /// Sets where the configured window stands.
    void SetRect(const wxRect& rect)
    {
        m_left = rect.x;
        m_top = rect.y;
        m_width = rect.width;
        m_height = rect.height;
    }
    ///@{

    /// Flags of the configured window (the core library's bits).
    int GetFlags() const { return m_flags; }
    void SetFlags(int flags) { m_flags = flags; }
    ///@}

private:
    wxString m_name;
    int m_version;
    int m_width;
    int m_height;
    int m_left;
    int m_top;
    int m_flags;
};

/// One item of a configuration tree.
struct KELCTRLS_API Kel_xml_Item
{
    /// The item's id.
    int m_id = 0;
    /// The parent item's id (0: top level).
    int m_parentId = 0;
    /// The item's name.
    wxString m_name;
    /// The item's kind.
    int m_type = 0;
    /// Its position among its siblings.
    int m_order = 0;
    /// Its state.
    int m_state = 0;
    /// Its flags.
    int m_flags = 0;
    /// Its depth.
    int m_level = 0;
    /// Its value.
    wxString m_value;
};

/// A tag the user can attach to contacts.
struct KELCTRLS_API Kel_xml_Tag
{
    /// The tag's id.
    int m_id = 0;
    /// The tag's kind.
    int m_type = 0;
    /// The tag's name.
    wxString m_name;
};

/// One parameter of a tag.
struct KELCTRLS_API Kel_xml_TagParam
{
    /// The parameter's id.
    int m_id = 0;
    /// The id of the tag it belongs to.
    int m_tagId = 0;
    /// The parameter's name.
    wxString m_name;
    /// Its value.
    wxString m_value;
};

#endif
