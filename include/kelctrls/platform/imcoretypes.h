/// \file
/// Value types of the core messaging library that the messaging records hold:
/// the enumerations of presence and message kinds, and a message subject.
#ifndef KELCTRLS_PLATFORM_IMCORETYPES_H
#define KELCTRLS_PLATFORM_IMCORETYPES_H

#include <kelctrls/base.h>
#include <wx/string.h>

/// Presence kind of a contact or of the user.
enum PTYPE
{
    PTYPE_ONLINE = 0,
    PTYPE_AWAY = 1,
    PTYPE_OFFLINE = 2,
    PTYPE_BUSY = 3,
    PTYPE_EXTENDED_AWAY = 4,
    PTYPE_INVISIBLE = 5,
    PTYPE_CHAT = 6
};

/// The "type" of a presence packet.
enum Presence_Type
{
    Presence_Available = 0,
    Presence_Unavailable,
    Presence_Subscribe,
    Presence_Subscribed,
    Presence_Unsubscribe,
    Presence_Unsubscribed,
    Presence_Probe,
    Presence_Error
};

/// The "show" of a presence packet.
enum Presence_Mode
{
    Presence_Mode_Normal = 0,
    Presence_Mode_Chat,
    Presence_Mode_Away,
    Presence_Mode_ExtendedAway,
    Presence_Mode_DoNotDisturb
};

/// The kinds of message.
enum MessageType
{
    MessageType_Normal = 0,
    MessageType_Chat,
    MessageType_GroupChat,
    MessageType_Headline,
    MessageType_Error,
    MessageType_Sms,
    MessageType_File
};

/// Whether and how a message asks for a reply.
enum MessageReplyType
{
    MessageReply_None = 0,
    MessageReply_Auto,
    MessageReply_Receipt
};

/// What one line of an SMS result refers to.
enum SmsDataObject
{
    SmsData_Sent = 0,
    SmsData_Failed,
    SmsData_InvalidNumber,
    SmsData_NoBalance
};

/// The subject of a message: its text and the language it is written in.
class KELCTRLS_API Subject
{
public:
    Subject();
    /// A subject with `text` in language `lang` ("" when unknown).
    explicit Subject(const wxString& text, const wxString& lang = wxString());
    /// Copies text and language.
    Subject(const Subject& other);
    /// Copies text and language.
    Subject& operator=(const Subject& other);
    virtual ~Subject();

    ///@{

    /// The subject text.
    wxString GetText() const { return m_text; }
    void SetText(const wxString& text) { m_text = text; }
    ///@}
    ///@{

    /// The language code of the text ("" when unknown).
    wxString GetLang() const { return m_lang; }
    void SetLang(const wxString& lang) { m_lang = lang; }
    ///@}
    /// Whether the text is empty.
    bool IsEmpty() const { return m_text.empty(); }

    /// Whether text and language are equal.
    bool operator==(const Subject& other) const { return m_text == other.m_text && m_lang == other.m_lang; }
    /// Whether text or language differ.
    bool operator!=(const Subject& other) const { return !(*this == other); }

private:
    wxString m_text;
    wxString m_lang;
};

#endif
