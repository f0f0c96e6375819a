#include "support/testsupport.h"

#include <kelctrls/messaging.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/platform/xml2.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

// ---------------------------------------------------------------------------
// Packets

TEST(Packet, RootAttributesAndErrorCode)
{
    Packet packet("message");
    packet.SetRootTo("bob@example.org");
    packet.SetRootFrom("alice@example.org/home");
    packet.SetRootId("m1");
    packet.SetRootType("chat");
    EXPECT_EQ(packet.GetRootTo(), "bob@example.org");
    EXPECT_EQ(packet.GetRootFrom(), "alice@example.org/home");
    EXPECT_EQ(packet.GetRootId(), "m1");
    EXPECT_EQ(packet.GetRootType(), "chat");
    EXPECT_EQ(packet.GetErrCode(), 0);

    ASSERT_TRUE(packet.LoadXml("<message type='error'><error code='404'/></message>"));
    EXPECT_EQ(packet.GetErrCode(), 404);
    EXPECT_EQ(packet.GetRootType(), "error");
    ASSERT_TRUE(packet.LoadXml("<message><error code='x'/></message>"));
    EXPECT_EQ(packet.GetErrCode(), 0);
}

TEST(Packet, ExtensionsXmlJoinsTheXmlElementsOnly)
{
    Packet packet("presence");
    Kel_xml first(1, "<x xmlns='vcard-temp:x:update'/>");
    Kel_xml second(2, "<c node='client'/>");
    wxObject plain;
    packet.GetExtensions().Append(&first);
    packet.GetExtensions().Append(&plain);
    packet.GetExtensions().Append(&second);
    EXPECT_EQ(packet.GetExtensionsXML(), "<x xmlns='vcard-temp:x:update'/><c node='client'/>");
}

TEST(Packet, CopiesShareTheXmlAndOwnTheirListNodes)
{
    Kel_xml ext(0, "<x/>");
    Packet original("message");
    original.GetExtensions().Append(&ext);

    Packet copy(original);
    copy.SetRootTo("carol@example.org");
    EXPECT_EQ(original.GetRootTo(), "carol@example.org") << "the XML is shared";
    copy.GetExtensions().Clear();
    EXPECT_EQ(original.GetExtensions().GetCount(), 1u);

    Packet assigned("iq");
    assigned = original;
    EXPECT_EQ(assigned.GetRootNode(), original.GetRootNode());
    EXPECT_EQ(assigned.GetExtensions().GetCount(), 1u);
    EXPECT_EQ(assigned.GetExtensions().GetFirst()->GetData(), &ext);

    assigned = assigned;
    EXPECT_EQ(assigned.GetRootTo(), "carol@example.org");
}

TEST(Packet, KindsNameTheirRootElement)
{
    EXPECT_EQ(Kel_xml_Message().GetRootNode().GetName(), "message");
    EXPECT_EQ(Kel_xml_Presence().GetRootNode().GetName(), "presence");
    EXPECT_EQ(Kel_xml_ConfPresence().GetRootNode().GetName(), "presence");
    Packet_Iq iq;
    EXPECT_EQ(iq.GetRootNode().GetName(), "iq");
    EXPECT_EQ(iq.GetChildElementXML(), "");
}

// ---------------------------------------------------------------------------
// Beans

TEST(PresenceRecord, ConstructorOrderAndCopy)
{
    Presence presence("alice@example.org", "bob@example.org", PTYPE_AWAY, "away", "both");
    EXPECT_EQ(presence.GetJid(), "alice@example.org");
    EXPECT_EQ(presence.GetToJid(), "bob@example.org");
    EXPECT_EQ(presence.GetType(), PTYPE_AWAY);
    EXPECT_EQ(presence.GetShow(), "away");
    EXPECT_EQ(presence.GetSubscriptionType(), "both");

    std::unique_ptr<SimpleBean> bean(presence.Copy());
    Presence* copy = dynamic_cast<Presence*>(bean.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, &presence);
    EXPECT_EQ(copy->GetToJid(), "bob@example.org");
    EXPECT_EQ(copy->GetSubscriptionType(), "both");

    SimpleBean base;
    EXPECT_EQ(base.Copy(), nullptr);
}

} // anonymous namespace

// Every field of a message bean, the core library's bookkeeping included.
class MessageBeanFields
{
public:
    // Gives each field a value of its own, none of them a default.
    static void FillAll(MessageBean& b, Kel_xml_Message* xml)
    {
        b.m_messageNumber = 7;
        b.m_fileName = "report.doc";
        b.m_filePath = "/tmp/report.doc";
        b.m_sender = "alice@example.org";
        b.m_senderName = "Alice";
        b.m_senderDeptName = "R&D";
        b.m_fileSize = 4096;
        b.m_senderHead = "alice.png";
        b.m_senderSign = "on leave";
        b.m_serverType = 3;
        b.m_receiver = "bob@example.org";
        b.m_receiverName = "Bob";
        b.m_receiverDeptName = "Sales";
        b.m_fontFace = "Sans";
        b.m_fontColour = "#102030";
        b.m_body = "see attachment [smile]";
        b.m_subject = Subject("report", "en");
        b.m_thread = "t-9";
        b.m_number = "42";
        b.m_smsKind = "notice";
        b.m_smsGroup = "team";
        b.m_resource = "desk";
        b.m_scope = "dept";
        b.m_url = "http://intranet/report";
        b.m_xmlMessage = xml;
        b.m_read = true;
        b.m_offline = true;
        b.m_messageType = MessageType_GroupChat;
        b.m_rootType = "groupchat";
        b.m_rootTo = "room@conf";
        b.m_rootFrom = "alice@example.org/desk";
        b.m_rootId = "id7";
        b.m_mode = 2;
        b.m_receivers = "bob@example.org;carol@example.org";
        b.m_time = "2026-12-06 10:00:00";
        b.m_errorCode = 503;
        b.m_replyType = MessageReply_Receipt;
        b.m_encryptMsg = true;
    }

    // The fields but the message number and the XML pointer, as text.
    static std::vector<wxString> Copied(const MessageBean& b)
    {
        std::vector<wxString> fields = {b.m_fileName,
                                        b.m_filePath,
                                        b.m_sender,
                                        b.m_senderName,
                                        b.m_senderDeptName,
                                        b.m_senderHead,
                                        b.m_senderSign,
                                        b.m_receiver,
                                        b.m_receiverName,
                                        b.m_receiverDeptName,
                                        b.m_fontFace,
                                        b.m_fontColour,
                                        b.m_body,
                                        b.m_subject.GetText(),
                                        b.m_subject.GetLang(),
                                        b.m_thread,
                                        b.m_number,
                                        b.m_smsKind,
                                        b.m_smsGroup,
                                        b.m_resource,
                                        b.m_scope,
                                        b.m_url,
                                        b.m_rootType,
                                        b.m_rootTo,
                                        b.m_rootFrom,
                                        b.m_rootId,
                                        b.m_receivers,
                                        b.m_time};
        for (int number :
             {b.m_fileSize, b.m_serverType, int(b.m_read), int(b.m_offline), int(b.m_messageType), b.m_mode,
              b.m_errorCode, int(b.m_replyType), int(b.m_encryptMsg)})
            fields.push_back(wxString::Format("%d", number));
        return fields;
    }

    static int Number(const MessageBean& b) { return b.m_messageNumber; }
};

namespace
{

TEST(MessageBeanRecord, DefaultsAreSafe)
{
    MessageBean bean;
    EXPECT_EQ(bean.GetXmlMessage(), nullptr);
    EXPECT_EQ(bean.GetServerType(), 0);
    EXPECT_EQ(bean.GetErrorCode(), 0);
    EXPECT_FALSE(bean.GetEncryptMsg());
    EXPECT_FALSE(bean.GetOffline());
    EXPECT_EQ(bean.GetMessageType(), 0);
    EXPECT_TRUE(bean.GetSubject().IsEmpty());
}

TEST(MessageBeanRecord, CopiesTakeEveryField)
{
    Kel_xml_Message xml;
    MessageBean source;
    MessageBeanFields::FillAll(source, &xml);
    const std::vector<wxString> expected = MessageBeanFields::Copied(source);
    ASSERT_EQ(expected.size(), 37u) << "a field was added: fill and compare it here";
    EXPECT_NE(MessageBeanFields::Copied(MessageBean()), expected);

    // Copy construction leaves the message number and the XML pointer out.
    const MessageBean copy(source);
    EXPECT_EQ(MessageBeanFields::Copied(copy), expected);
    EXPECT_EQ(MessageBeanFields::Number(copy), 0);
    EXPECT_EQ(copy.GetXmlMessage(), nullptr);

    // Assignment takes them too.
    MessageBean assigned;
    assigned = source;
    EXPECT_EQ(MessageBeanFields::Copied(assigned), expected);
    EXPECT_EQ(MessageBeanFields::Number(assigned), 7);
    EXPECT_EQ(assigned.GetXmlMessage(), &xml);

    assigned = assigned;
    EXPECT_EQ(MessageBeanFields::Copied(assigned), expected);
    assigned.SetBody("changed");
    EXPECT_EQ(source.GetBody(), "see attachment [smile]");
}

TEST(SmsRecords, BeansOwnCopiesOfTheirResults)
{
    SmsResultData sent(SmsData_Sent, "13800000000,13900000000", 0);
    SmsResultBean bean;
    bean.SetCookie("c-1");
    bean.AppendData(sent);
    bean.AppendData(SmsResultData(SmsData_InvalidNumber, "123", 17));
    sent.SetCode(99);

    ASSERT_EQ(bean.GetCount(), 2u);
    EXPECT_EQ(bean.GetItem(0).GetCode(), 0) << "the bean holds its own copy";
    EXPECT_EQ(bean.GetItem(1).GetObjType(), SmsData_InvalidNumber);
    EXPECT_EQ(bean.GetItem(1).GetMobiles(), "123");

    SmsResultBean copy(bean);
    copy.AppendData(sent);
    EXPECT_EQ(bean.GetCount(), 2u);
    EXPECT_EQ(copy.GetCount(), 3u);
    EXPECT_EQ(copy.GetCookie(), "c-1");

    copy = bean;
    EXPECT_EQ(copy.GetCount(), 2u);
    // The toolkit's object arrays empty themselves before copying, so
    // assigning a bean to itself must not reach its array.
    SmsResultBean& self = copy;
    copy = self;
    ASSERT_EQ(copy.GetCount(), 2u);
    EXPECT_EQ(copy.GetItem(1).GetMobiles(), "123");
    EXPECT_EQ(copy.GetCookie(), "c-1");

    SmsResultDataArray array;
    array.Add(new SmsResultData(SmsData_Failed, "1", 1));
    array.push_back(SmsResultData(SmsData_Sent, "2", 0));
    std::unique_ptr<SmsResultData> detached(array.Detach(0));
    EXPECT_EQ(detached->GetMobiles(), "1");
    EXPECT_EQ(array.GetCount(), 1u);
    EXPECT_EQ(array.Last().GetMobiles(), "2");

    SmsMobileBean mobile;
    mobile.SetMobile("13800000000");
    mobile.SetSmsMsg("meeting at 3");
    SmsMobileBean mobileCopy;
    mobileCopy = mobile;
    EXPECT_EQ(mobileCopy.GetMobile(), "13800000000");
    EXPECT_EQ(mobileCopy.GetSmsMsg(), "meeting at 3");
}

// ---------------------------------------------------------------------------
// Events

TEST(MessagingEvents, JabberEventClonesShareThePayload)
{
    // The copy is the compiler's; the clone must be of this class and share
    // the payload without owning it.
    Kel_Xml2 xml;
    int data = 7;
    JabberEvent event(wxEVT_COMMAND_BUTTON_CLICKED, 12, &xml, &data);
    std::unique_ptr<wxEvent> clone(event.Clone());
    JabberEvent* copy = dynamic_cast<JabberEvent*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetKelXml(), &xml);
    EXPECT_EQ(copy->GetData(), &data);
    clone.reset();
    EXPECT_TRUE(xml.GetDocument().IsOk()) << "the clone did not own the payload";

    JabberEvent empty;
    EXPECT_EQ(empty.GetEventType(), wxEVT_NULL);
    EXPECT_EQ(empty.GetKelXml(), nullptr);
    EXPECT_EQ(empty.GetData(), nullptr);
}

TEST(MessagingEvents, SimpleEventCarriesItsBeanPointer)
{
    JabberSimpleEvent empty;
    EXPECT_EQ(empty.GetBean(), nullptr);
    EXPECT_EQ(empty.GetClassInfo(), wxCLASSINFO(wxCommandEvent));

    Presence presence("a@x", "b@x", PTYPE_ONLINE, "", "to");
    JabberSimpleEvent event(wxEVT_COMMAND_MENU_SELECTED, 1);
    event.SetBean(&presence);
    std::unique_ptr<wxEvent> clone(event.Clone());
    EXPECT_EQ(static_cast<JabberSimpleEvent*>(clone.get())->GetBean(), &presence);
}

TEST(MessagingEvents, MessageEventClonesEveryRecord)
{
    Kel_xml_Message xml;
    JabberMessageEvent event(wxEVT_COMMAND_MENU_SELECTED, 2);
    MessageBean bean;
    MessageBeanFields::FillAll(bean, &xml);
    event.SetBean(bean);
    SmsResultBean result;
    result.AppendData(SmsResultData(SmsData_Sent, "138", 0));
    event.SetSmsResultBean(result);
    SmsMobileBean mobile;
    mobile.SetMobile("138");
    event.SetSmsMobileBean(mobile);
    event.SetString("sms");

    std::unique_ptr<wxEvent> clone(event.Clone());
    JabberMessageEvent* copy = dynamic_cast<JabberMessageEvent*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(MessageBeanFields::Copied(copy->GetBean()), MessageBeanFields::Copied(bean));
    EXPECT_EQ(copy->GetBean().GetXmlMessage(), event.GetBean().GetXmlMessage());
    EXPECT_EQ(copy->GetSmsResultBean().GetCount(), 1u);
    EXPECT_EQ(copy->GetSmsMobileBean().GetMobile(), "138");
    EXPECT_EQ(copy->GetString(), "sms");
}

TEST(MessagingEvents, ClassNamesAndIdentifiers)
{
    EXPECT_STREQ(wxCLASSINFO(JabberEvent)->GetClassName(), L"JabberEvent");
    EXPECT_STREQ(wxCLASSINFO(JabberMessageEvent)->GetClassName(), L"JabberMessageEvent");
    std::unique_ptr<wxObject> created(wxCreateDynamicObject("JabberMessageEvent"));
    EXPECT_NE(dynamic_cast<JabberMessageEvent*>(created.get()), nullptr);

    EXPECT_NE(static_cast<int>(jabEVT_MOUSE_HOOK), static_cast<int>(wxEVT_NULL));
    AttachMouseHook();
    AttachMouseHook();
}

// A window-like receiver that binds the event type in its event table and
// counts what arrives through the queue.
class MessageSink : public wxEvtHandler
{
public:
    MessageSink() { Bind(jabEVT_MOUSE_HOOK, &MessageSink::OnHook, this); }
    void OnMessage(JabberMessageEvent& event)
    {
        ++m_received;
        m_lastBody = event.GetBean().GetBody();
    }
    void OnHook(wxCommandEvent&) { ++m_hooks; }

    int m_received = 0;
    int m_hooks = 0;
    wxString m_lastBody;
};

TEST(MessagingEvents, QueuedMessageEventsArriveComplete)
{
    const wxEventType type = wxNewEventType();
    MessageSink sink;
    sink.Bind(wxEventTypeTag<JabberMessageEvent>(type), &MessageSink::OnMessage, &sink);
    {
        JabberMessageEvent event(type, wxID_ANY);
        MessageBean bean;
        bean.SetBody("queued");
        event.SetBean(bean);
        sink.AddPendingEvent(event);
    }
    wxCommandEvent hook(jabEVT_MOUSE_HOOK);
    sink.AddPendingEvent(hook);
    kel::test::WaitUntil([&] { return sink.m_received == 1 && sink.m_hooks == 1; });
    EXPECT_EQ(sink.m_received, 1);
    EXPECT_EQ(sink.m_lastBody, "queued");
    EXPECT_EQ(sink.m_hooks, 1);
}

TEST(MessagingEvents, HubDeliversToRegisteredHandlersUntilTheyUnregister)
{
    const wxEventType type = wxNewEventType();
    const wxEventType other = wxNewEventType();
    MessageSink sink;
    sink.Bind(wxEventTypeTag<JabberMessageEvent>(type), &MessageSink::OnMessage, &sink);
    KelJabberEventCenter* hub = KelJabberEventCenter::GetInstance();
    hub->Register(&sink, type, "MessageSink", "TYPE");
    hub->Register(&sink, other, "MessageSink", "OTHER");

    JabberMessageEvent event(type, wxID_ANY);
    MessageBean bean;
    bean.SetBody("through the hub");
    bean.SetReceivers("a@x;b@x");
    event.SetBean(bean);
    EXPECT_EQ(hub->Post(event), 1u);
    kel::test::WaitUntil([&] { return sink.m_received == 1; });
    EXPECT_EQ(sink.m_lastBody, "through the hub");

    hub->UnRegister(&sink, -1);
    EXPECT_FALSE(hub->IsRegistered(&sink, type));
    EXPECT_FALSE(hub->IsRegistered(&sink, other));
    EXPECT_EQ(hub->Deliver(event), 0u);
    EXPECT_EQ(sink.m_received, 1);
}

// ---------------------------------------------------------------------------
// Own presence

TEST(PresenceManagerTest, OwnPresenceStartsOfflineAndFollowsTheClient)
{
    PresenceManager* manager = PresenceManager::GetInstance();
    ASSERT_EQ(manager, PresenceManager::GetInstance());
    Presence* mine = manager->GetMyPresence();
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(mine->GetType(), PTYPE_OFFLINE);
    EXPECT_EQ(manager->GetMySubPrence(), PTYPE_OFFLINE);

    manager->SetMyPresence(Presence("me@example.org", "", PTYPE_ONLINE, "", ""));
    EXPECT_EQ(manager->GetMyPresence(), mine) << "the manager keeps one object";
    EXPECT_EQ(mine->GetType(), PTYPE_ONLINE);
    EXPECT_EQ(mine->GetJid(), "me@example.org");
    EXPECT_EQ(manager->GetMySubPrence(), PTYPE_ONLINE);
    manager->SetMySubPrence(PTYPE_BUSY);
    EXPECT_EQ(manager->GetMySubPrence(), PTYPE_BUSY);
    EXPECT_EQ(mine->GetType(), PTYPE_ONLINE);
}

} // anonymous namespace
