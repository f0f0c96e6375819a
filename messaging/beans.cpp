#include <kelctrls/messaging/beans.h>

#include <wx/arrimpl.cpp>

Presence::Presence() : m_type(PTYPE_OFFLINE) {}

Presence::Presence(const wxString& jid, const wxString& toJid, PTYPE type, const wxString& show,
                   const wxString& subscriptionType)
    : m_jid(jid), m_type(type), m_show(show), m_toJid(toJid), m_subscriptionType(subscriptionType)
{
}

Presence::Presence(const Presence& other) = default;
Presence& Presence::operator=(const Presence& other) = default;
Presence::~Presence() {}

SimpleBean* Presence::Copy()
{
    return new Presence(*this);
}

// ---------------------------------------------------------------------------

MessageBean::MessageBean()
    : m_messageNumber(0), m_fileSize(0), m_serverType(0), m_xmlMessage(nullptr), m_read(false),
      m_offline(false), m_messageType(MessageType_Normal), m_mode(0), m_errorCode(0),
      m_replyType(MessageReply_None), m_encryptMsg(false)
{
}

MessageBean::MessageBean(const MessageBean& other)
    : wxObject(other), m_messageNumber(0), m_xmlMessage(nullptr)
{
    CopyFieldsFrom(other);
}

MessageBean& MessageBean::operator=(const MessageBean& other)
{
    if (this == &other)
        return *this;
    wxObject::operator=(other);
    m_messageNumber = other.m_messageNumber;
    CopyFieldsFrom(other);
    m_xmlMessage = other.m_xmlMessage;
    return *this;
}

MessageBean::~MessageBean() {}

// Every field but the message number and the XML message pointer.
void MessageBean::CopyFieldsFrom(const MessageBean& other)
{
    m_fileName = other.m_fileName;
    m_filePath = other.m_filePath;
    m_sender = other.m_sender;
    m_senderName = other.m_senderName;
    m_senderDeptName = other.m_senderDeptName;
    m_fileSize = other.m_fileSize;
    m_senderHead = other.m_senderHead;
    m_senderSign = other.m_senderSign;
    m_serverType = other.m_serverType;
    m_receiver = other.m_receiver;
    m_receiverName = other.m_receiverName;
    m_receiverDeptName = other.m_receiverDeptName;
    m_fontFace = other.m_fontFace;
    m_fontColour = other.m_fontColour;
    m_body = other.m_body;
    m_subject = other.m_subject;
    m_thread = other.m_thread;
    m_number = other.m_number;
    m_smsKind = other.m_smsKind;
    m_smsGroup = other.m_smsGroup;
    m_resource = other.m_resource;
    m_scope = other.m_scope;
    m_url = other.m_url;
    m_read = other.m_read;
    m_offline = other.m_offline;
    m_messageType = other.m_messageType;
    m_rootType = other.m_rootType;
    m_rootTo = other.m_rootTo;
    m_rootFrom = other.m_rootFrom;
    m_rootId = other.m_rootId;
    m_mode = other.m_mode;
    m_receivers = other.m_receivers;
    m_time = other.m_time;
    m_errorCode = other.m_errorCode;
    m_replyType = other.m_replyType;
    m_encryptMsg = other.m_encryptMsg;
}

WX_DEFINE_USER_EXPORTED_OBJARRAY(SmsResultDataArray);
