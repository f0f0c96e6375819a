// Value records that carry presences, chat messages and SMS outcomes from the
// core messaging library to the windows. Copies share nothing but the
// reference-counted strings; pointers held in a record are never owned by it.
#ifndef KELCTRLS_MESSAGING_BEANS_H
#define KELCTRLS_MESSAGING_BEANS_H

#include <kelctrls/base.h>
#include <kelctrls/platform/imcoretypes.h>

#include <wx/dynarray.h>
#include <wx/object.h>
#include <wx/string.h>

class Kel_xml_Message;

// A record that can be handed to JabberSimpleEvent. Receivers that want to
// keep the record past the event call Copy and own the result.
class KELCTRLS_API SimpleBean
{
public:
    virtual ~SimpleBean() {}
    // A new copy of the record, owned by the caller; null for the bare base.
    virtual SimpleBean* Copy() { return nullptr; }
};

class KELCTRLS_API Presence : public wxObject, public SimpleBean
{
public:
    Presence();
    Presence(const wxString& jid, const wxString& toJid, PTYPE type, const wxString& show,
             const wxString& subscriptionType);
    Presence(const Presence& other);
    Presence& operator=(const Presence& other);
    virtual ~Presence();

    SimpleBean* Copy() override;

    wxString GetJid() const { return m_jid; }
    void SetJid(const wxString& jid) { m_jid = jid; }
    PTYPE GetType() const { return m_type; }
    void SetType(PTYPE type) { m_type = type; }
    wxString GetShow() const { return m_show; }
    void SetShow(const wxString& show) { m_show = show; }
    wxString GetToJid() const { return m_toJid; }
    void SetToJid(const wxString& toJid) { m_toJid = toJid; }
    wxString GetSubscriptionType() const { return m_subscriptionType; }
    void SetSubscriptionType(const wxString& type) { m_subscriptionType = type; }

private:
    wxString m_jid;
    PTYPE m_type;
    wxString m_show;
    wxString m_toJid;
    wxString m_subscriptionType;
};

// A chat message as the windows see it. Fields without accessors are the
// core library's own bookkeeping; they survive copies unchanged.
class KELCTRLS_API MessageBean : public wxObject
{
public:
    MessageBean();
    // Copies every field except the core library's message number and the
    // XML message pointer, which start out as 0 and null.
    MessageBean(const MessageBean& other);
    // Copies every field, sharing the XML message pointer.
    MessageBean& operator=(const MessageBean& other);
    virtual ~MessageBean();

    wxString GetFileName() const { return m_fileName; }
    void SetFileName(const wxString& name) { m_fileName = name; }
    wxString GetSender() const { return m_sender; }
    void SetSender(const wxString& sender) { m_sender = sender; }
    wxString GetSenderName() const { return m_senderName; }
    void SetSenderName(const wxString& name) { m_senderName = name; }
    wxString GetSenderDeptName() const { return m_senderDeptName; }
    void SetSenderDeptName(const wxString& name) { m_senderDeptName = name; }
    int GetServerType() const { return m_serverType; }
    void SetServerType(int type) { m_serverType = type; }
    wxString GetBody() const { return m_body; }
    void SetBody(const wxString& body) { m_body = body; }
    Subject GetSubject() const { return m_subject; }
    void SetSubject(const Subject& subject) { m_subject = subject; }
    wxString GetThread() const { return m_thread; }
    void SetThread(const wxString& thread) { m_thread = thread; }
    wxString GetNumber() const { return m_number; }
    void SetNumber(const wxString& number) { m_number = number; }
    wxString GetResource() const { return m_resource; }
    void SetResource(const wxString& resource) { m_resource = resource; }
    wxString GetScope() const { return m_scope; }
    void SetScope(const wxString& scope) { m_scope = scope; }
    wxString GetUrl() const { return m_url; }
    void SetUrl(const wxString& url) { m_url = url; }
    Kel_xml_Message* GetXmlMessage() const { return m_xmlMessage; }
    void SetXmlMessage(Kel_xml_Message* message) { m_xmlMessage = message; }
    bool GetOffline() const { return m_offline; }
    void SetOffline(bool offline) { m_offline = offline; }
    MessageType GetMessageType() const { return m_messageType; }
    void SetMessageType(MessageType type) { m_messageType = type; }
    wxString GetRootType() const { return m_rootType; }
    void SetRootType(const wxString& type) { m_rootType = type; }
    wxString GetRootTo() const { return m_rootTo; }
    void SetRootTo(const wxString& to) { m_rootTo = to; }
    wxString GetRootFrom() const { return m_rootFrom; }
    void SetRootFrom(const wxString& from) { m_rootFrom = from; }
    wxString GetRootId() const { return m_rootId; }
    void SetRootId(const wxString& id) { m_rootId = id; }
    int GetMode() const { return m_mode; }
    void SetMode(int mode) { m_mode = mode; }
    wxString GetReceivers() const { return m_receivers; }
    void SetReceivers(const wxString& receivers) { m_receivers = receivers; }
    wxString GetTime() const { return m_time; }
    void SetTime(const wxString& time) { m_time = time; }
    int GetErrorCode() const { return m_errorCode; }
    void SetErrorCode(int code) { m_errorCode = code; }
    MessageReplyType GetReplyType() const { return m_replyType; }
    void SetReplyType(MessageReplyType type) { m_replyType = type; }
    bool GetEncryptMsg() const { return m_encryptMsg; }
    void SetEncryptMsg(bool encrypt) { m_encryptMsg = encrypt; }

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

// One line of an SMS sending result: which numbers and how it went.
class KELCTRLS_API SmsResultData : public wxObject
{
public:
    SmsResultData() : m_objType(SmsData_Sent), m_code(0) {}
    SmsResultData(SmsDataObject type, const wxString& mobiles, int code)
        : m_objType(type), m_mobiles(mobiles), m_code(code)
    {
    }

    SmsDataObject GetObjType() const { return m_objType; }
    void SetObjType(SmsDataObject type) { m_objType = type; }
    wxString GetMobiles() const { return m_mobiles; }
    void SetMobiles(const wxString& mobiles) { m_mobiles = mobiles; }
    int GetCode() const { return m_code; }
    void SetCode(int code) { m_code = code; }

private:
    SmsDataObject m_objType;
    wxString m_mobiles;
    int m_code;
};

// Owns copies of its elements.
WX_DECLARE_USER_EXPORTED_OBJARRAY(SmsResultData, SmsResultDataArray, KELCTRLS_API);

class KELCTRLS_API SmsResultBean : public wxObject
{
public:
    SmsResultBean() = default;
    SmsResultBean(const SmsResultBean& other) = default;
    // The array's own assignment empties it before copying, which would
    // lose the results of a bean assigned to itself.
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

    size_t GetCount() const { return m_data.GetCount(); }
    // A copy of entry i; i must be below GetCount().
    SmsResultData GetItem(size_t i) const { return m_data.Item(i); }
    void AppendData(const SmsResultData& data) { m_data.Add(data); }

    wxString GetCookie() const { return m_cookie; }
    void SetCookie(const wxString& cookie) { m_cookie = cookie; }

private:
    SmsResultDataArray m_data;
    wxString m_cookie;
};

class KELCTRLS_API SmsMobileBean : public wxObject
{
public:
    wxString GetMobile() const { return m_mobile; }
    void SetMobile(const wxString& mobile) { m_mobile = mobile; }
    wxString GetSmsMsg() const { return m_smsMsg; }
    void SetSmsMsg(const wxString& msg) { m_smsMsg = msg; }

private:
    wxString m_mobile;
    wxString m_smsMsg;
};

#endif
