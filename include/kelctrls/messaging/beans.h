/// \file
/// Value records that carry presences, chat messages and SMS outcomes from the
/// core messaging library to the windows. Copies share nothing but the
/// reference-counted strings; pointers held in a record are never owned by it.
#ifndef KELCTRLS_MESSAGING_BEANS_H
#define KELCTRLS_MESSAGING_BEANS_H

#include <kelctrls/base.h>
#include <kelctrls/platform/imcoretypes.h>

#include <wx/dynarray.h>
#include <wx/object.h>
#include <wx/string.h>

class Kel_xml_Message;

/// A record that can be handed to JabberSimpleEvent. Receivers that want to
/// keep the record past the event call Copy and own the result.
class KELCTRLS_API SimpleBean
{
public:
    /// Nothing to free.
    virtual ~SimpleBean() {}
    /// A new copy of the record, owned by the caller; null for the bare base.
    virtual SimpleBean* Copy() { return nullptr; }
};

/// A presence: whose, of what kind, to whom.
class KELCTRLS_API Presence : public wxObject, public SimpleBean
{
public:
    /// An offline presence of nobody.
    Presence();
    /// The presence of `jid` of kind `type` addressed to `toJid`.
    Presence(const wxString& jid, const wxString& toJid, PTYPE type, const wxString& show,
             const wxString& subscriptionType);
    /// Copies every field.
    Presence(const Presence& other);
    /// Copies every field.
    Presence& operator=(const Presence& other);
    /// Nothing to free.
    virtual ~Presence();

    /// A new copy, owned by the caller.
    SimpleBean* Copy() override;

    ///@{

    /// The JID the presence is about.
    wxString GetJid() const { return m_jid; }
    void SetJid(const wxString& jid) { m_jid = jid; }
    ///@}
    ///@{

    /// The presence kind.
    PTYPE GetType() const { return m_type; }
    void SetType(PTYPE type) { m_type = type; }
    ///@}
    ///@{

    /// The show text ("away", "dnd"..., or the status text).
    wxString GetShow() const { return m_show; }
    void SetShow(const wxString& show) { m_show = show; }
    ///@}
    ///@{

    /// The JID the presence is addressed to.
    wxString GetToJid() const { return m_toJid; }
    void SetToJid(const wxString& toJid) { m_toJid = toJid; }
    ///@}
    ///@{

    /// The subscription type ("subscribe", "subscribed"...).
    wxString GetSubscriptionType() const { return m_subscriptionType; }
    void SetSubscriptionType(const wxString& type) { m_subscriptionType = type; }
    ///@}

private:
    wxString m_jid;
    PTYPE m_type;
    wxString m_show;
    wxString m_toJid;
    wxString m_subscriptionType;
};

/// A chat message as the windows see it. Fields without accessors are the
/// core library's own bookkeeping; they survive copies unchanged.
class KELCTRLS_API MessageBean : public wxObject
{
public:
    /// An empty message.
    MessageBean();
    /// Copies every field except the core library's message number and the
    /// XML message pointer, which start out as 0 and null.
    MessageBean(const MessageBean& other);
    /// Copies every field, sharing the XML message pointer.
    MessageBean& operator=(const MessageBean& other);
    /// Nothing to free; the XML message is not owned.
    virtual ~MessageBean();

    ///@{

    /// The name of the file a transfer message is about.
    wxString GetFileName() const { return m_fileName; }
    void SetFileName(const wxString& name) { m_fileName = name; }
    ///@}
    ///@{

    /// The sender's JID.
    wxString GetSender() const { return m_sender; }
    void SetSender(const wxString& sender) { m_sender = sender; }
    ///@}
    ///@{

    /// The sender's display name.
    wxString GetSenderName() const { return m_senderName; }
    void SetSenderName(const wxString& name) { m_senderName = name; }
    ///@}
    ///@{

    /// The sender's department.
    wxString GetSenderDeptName() const { return m_senderDeptName; }
    void SetSenderDeptName(const wxString& name) { m_senderDeptName = name; }
    ///@}
    ///@{

    /// The kind of server the message came through (0 unless set).
    int GetServerType() const { return m_serverType; }
    void SetServerType(int type) { m_serverType = type; }
    ///@}
    ///@{

    /// The message text.
    wxString GetBody() const { return m_body; }
    void SetBody(const wxString& body) { m_body = body; }
    ///@}
    ///@{

    /// The subject (a copy).
    Subject GetSubject() const { return m_subject; }
    void SetSubject(const Subject& subject) { m_subject = subject; }
    ///@}
    ///@{

    /// The conversation thread id.
    wxString GetThread() const { return m_thread; }
    void SetThread(const wxString& thread) { m_thread = thread; }
    ///@}
    ///@{

    /// The message number the server gave it.
    wxString GetNumber() const { return m_number; }
    void SetNumber(const wxString& number) { m_number = number; }
    ///@}
    ///@{

    /// The sender's resource.
    wxString GetResource() const { return m_resource; }
    void SetResource(const wxString& resource) { m_resource = resource; }
    ///@}
    ///@{

    /// The scope (for example a group the message went to).
    wxString GetScope() const { return m_scope; }
    void SetScope(const wxString& scope) { m_scope = scope; }
    ///@}
    ///@{

    /// An address the message carries.
    wxString GetUrl() const { return m_url; }
    void SetUrl(const wxString& url) { m_url = url; }
    ///@}
    ///@{

    /// The core library's parsed message, not owned; null when none.
    Kel_xml_Message* GetXmlMessage() const { return m_xmlMessage; }
    void SetXmlMessage(Kel_xml_Message* message) { m_xmlMessage = message; }
    ///@}
    ///@{

    /// Whether the message was stored while the user was offline.
    bool GetOffline() const { return m_offline; }
    void SetOffline(bool offline) { m_offline = offline; }
    ///@}
    ///@{

    /// The kind of message.
    MessageType GetMessageType() const { return m_messageType; }
    void SetMessageType(MessageType type) { m_messageType = type; }
    ///@}
    ///@{

    /// The "type" attribute of the message element.
    wxString GetRootType() const { return m_rootType; }
    void SetRootType(const wxString& type) { m_rootType = type; }
    ///@}
    ///@{

    /// The "to" attribute of the message element.
    wxString GetRootTo() const { return m_rootTo; }
    void SetRootTo(const wxString& to) { m_rootTo = to; }
    ///@}
    ///@{

    /// The "from" attribute of the message element.
    wxString GetRootFrom() const { return m_rootFrom; }
    void SetRootFrom(const wxString& from) { m_rootFrom = from; }
    ///@}
    ///@{

    /// The "id" attribute of the message element.
    wxString GetRootId() const { return m_rootId; }
    void SetRootId(const wxString& id) { m_rootId = id; }
    ///@}
    ///@{

    /// The delivery mode (0 unless set).
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    ///@}
    ///@{

    /// The receivers of a message to several people.
    wxString GetReceivers() const { return m_receivers; }
    void SetReceivers(const wxString& receivers) { m_receivers = receivers; }
    ///@}
    ///@{

    /// The sending time, as the server wrote it.
    wxString GetTime() const { return m_time; }
    void SetTime(const wxString& time) { m_time = time; }
    ///@}
    ///@{

    /// The error code of a failed message.
    int GetErrorCode() const { return m_errorCode; }
    void SetErrorCode(int code) { m_errorCode = code; }
    ///@}
    ///@{

    /// Whether and how the message asks for a reply.
    MessageReplyType GetReplyType() const { return m_replyType; }
    void SetReplyType(MessageReplyType type) { m_replyType = type; }
    ///@}
    ///@{

    /// Whether the message body is encrypted.
    bool GetEncryptMsg() const { return m_encryptMsg; }
    void SetEncryptMsg(bool encrypt) { m_encryptMsg = encrypt; }
    ///@}

private:
    // Reaches every field, so that tests can check that copies miss none.
    friend class MessageBeanFields;

    void CopyFieldsFrom(const MessageBean& other);

    int m_messageNumber;           //  1
    wxString m_fileName;           //  2
    wxString m_filePath;           //  3
    wxString m_sender;             //  4
    wxString m_senderName;         //  5
    wxString m_senderDeptName;     //  6
    int m_fileSize;                //  7
    wxString m_senderHead;         //  8
    wxString m_senderSign;         //  9
    int m_serverType;              // 10
    wxString m_receiver;           // 11
    wxString m_receiverName;       // 12
    wxString m_receiverDeptName;   // 13
    wxString m_fontFace;           // 14
    wxString m_fontColour;         // 15
    wxString m_body;               // 16
    Subject m_subject;             // 17
    wxString m_thread;             // 18
    wxString m_number;             // 19
    wxString m_smsKind;            // 20
    wxString m_smsGroup;           // 21
    wxString m_resource;           // 22
    wxString m_scope;              // 23
    wxString m_url;                // 24
    Kel_xml_Message* m_xmlMessage; // 25
    bool m_read;                   // 26
    bool m_offline;                // 27
    MessageType m_messageType;     // 28
    wxString m_rootType;           // 29
    wxString m_rootTo;             // 30
    wxString m_rootFrom;           // 31
    wxString m_rootId;             // 32
    int m_mode;                    // 33
    wxString m_receivers;          // 34
    wxString m_time;               // 35
    int m_errorCode;               // 36
    MessageReplyType m_replyType;  // 37
    bool m_encryptMsg;             // 38
};

/// One line of an SMS sending result: which numbers and how it went.
class KELCTRLS_API SmsResultData : public wxObject
{
public:
    /// An empty line about sent messages.
    SmsResultData() : m_objType(SmsData_Sent), m_code(0) {}
    /// A line about `mobiles` (see GetMobiles) with result `code`.
    SmsResultData(SmsDataObject type, const wxString& mobiles, int code)
        : m_objType(type), m_mobiles(mobiles), m_code(code)
    {
    }

    ///@{

    /// Which numbers the line is about.
    SmsDataObject GetObjType() const { return m_objType; }
    void SetObjType(SmsDataObject type) { m_objType = type; }
    ///@}
    ///@{

    /// The mobile numbers the line is about.
    wxString GetMobiles() const { return m_mobiles; }
    void SetMobiles(const wxString& mobiles) { m_mobiles = mobiles; }
    ///@}
    ///@{

    /// The result code the SMS gateway gave.
    int GetCode() const { return m_code; }
    void SetCode(int code) { m_code = code; }
    ///@}

private:
    SmsDataObject m_objType;
    wxString m_mobiles;
    int m_code;
};

/// Owns copies of its elements.
WX_DECLARE_USER_EXPORTED_OBJARRAY(SmsResultData, SmsResultDataArray, KELCTRLS_API);

/// The outcome of one SMS request: one SmsResultData per group of numbers.
class KELCTRLS_API SmsResultBean : public wxObject
{
public:
    /// An empty outcome.
    SmsResultBean() = default;
    /// Copies the lines and the cookie.
    SmsResultBean(const SmsResultBean& other) = default;
    /// Copies the lines and the cookie; assigning a bean to itself keeps it.
    SmsResultBean& operator=(const SmsResultBean& other)
    {
        if (this != &other)
        {
            wxObject::operator=(other);
            m_data = other.m_data;
            m_cookie = other.m_cookie;
        }
        return *this;
    }

    /// The number of lines.
    size_t GetCount() const { return m_data.GetCount(); }
    /// A copy of entry i; i must be below GetCount().
    SmsResultData GetItem(size_t i) const { return m_data.Item(i); }
    /// Appends a copy of `data`.
    void AppendData(const SmsResultData& data) { m_data.Add(data); }

    ///@{

    /// The cookie the SMS request was sent with, to match the result to it.
    wxString GetCookie() const { return m_cookie; }
    void SetCookie(const wxString& cookie) { m_cookie = cookie; }
    ///@}

private:
    SmsResultDataArray m_data;
    wxString m_cookie;
};

/// An SMS as sent to one mobile number.
class KELCTRLS_API SmsMobileBean : public wxObject
{
public:
    ///@{

    /// The mobile number.
    wxString GetMobile() const { return m_mobile; }
    void SetMobile(const wxString& mobile) { m_mobile = mobile; }
    ///@}
    ///@{

    /// The SMS text.
    wxString GetSmsMsg() const { return m_smsMsg; }
    void SetSmsMsg(const wxString& msg) { m_smsMsg = msg; }
    ///@}

private:
    wxString m_mobile;
    wxString m_smsMsg;
};

#endif
