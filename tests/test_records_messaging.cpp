#include "support/testsupport.h"

#include <kelctrls/messaging.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/platform/xml2.h>

#include <gtest/gtest.h>

#include <memory>

namespace
{

// ---------------------------------------------------------------------------
// XML wrapper

TEST(Xml2, CopiesShareOneTreeWithCountedReferences)
{
    wxXml2Document doc("message");
    EXPECT_EQ(doc.GetRefCount(), 1);
    {
        wxXml2Document copy(doc);
        wxXml2BaseNode root = copy.GetRoot();
        EXPECT_EQ(doc.GetRefCount(), 3);
        root.SetAttribute("to", "bob@example.org");
    }
    EXPECT_EQ(doc.GetRefCount(), 1);
    EXPECT_EQ(doc.GetRoot().GetAttribute("to"), "bob@example.org");

    // a node keeps its tree alive after the document wrapper is gone
    wxXml2BaseNode root;
    {
        wxXml2Document shortLived("iq");
        root = shortLived.GetRoot();
    }
    ASSERT_TRUE(root.IsOk());
    EXPECT_EQ(root.GetName(), "iq");
    EXPECT_FALSE(root.IsUnlinked());
}

TEST(Xml2, IncRefCountAndDestroyIfUnlinked)
{
    wxXml2BaseNode node("x");
    EXPECT_TRUE(node.IsUnlinked());
    node.IncRefCount();
    EXPECT_EQ(node.GetRefCount(), 2);
    node.DecRefCount();
    node.DestroyIfUnlinked();
    EXPECT_FALSE(node.IsNonEmpty());

    wxXml2Document doc("presence");
    wxXml2BaseNode root = doc.GetRoot();
    root.DestroyIfUnlinked();
    EXPECT_TRUE(root.IsOk()) << "a node of a document is not unlinked";
}

TEST(Xml2, AddChildMovesLoneNodesAndCopiesSharedOnes)
{
    wxXml2Document doc("message");
    wxXml2BaseNode root = doc.GetRoot();

    wxXml2BaseNode body("body");
    body.SetContent("hello");
    ASSERT_TRUE(root.AddChild(body));
    EXPECT_FALSE(body.IsUnlinked());
    body.SetContent("changed");
    EXPECT_EQ(root.Find("body").GetContent(), "changed") << "moved, not copied";

    wxXml2BaseNode shared("subject");
    wxXml2BaseNode otherRef(shared);
    ASSERT_TRUE(root.AddChild(shared));
    shared.SetContent("in doc");
    EXPECT_EQ(otherRef.GetContent(), "") << "a shared node is copied in";
    EXPECT_EQ(root.Find("subject").GetContent(), "in doc");

    // adding a node to its own descendant copies instead of making a cycle
    wxXml2BaseNode rootRef = doc.GetRoot();
    ASSERT_TRUE(body.AddChild(rootRef));
    EXPECT_EQ(doc.GetRoot().GetName(), "message");
    EXPECT_TRUE(body.Find("message").IsOk());
}

TEST(Xml2, RemovedNodesStayValidForTheirWrappers)
{
    wxXml2Document doc;
    ASSERT_TRUE(doc.LoadFromString("<a><b><c/></b><d/></a>"));
    wxXml2BaseNode b = doc.GetRoot().Find("b");
    wxXml2BaseNode c = b.Find("c");
    wxXml2BaseNode bAgain = b;
    ASSERT_TRUE(doc.GetRoot().RemoveChild(b));
    EXPECT_FALSE(b.IsOk());
    EXPECT_EQ(c.GetName(), "c");
    EXPECT_EQ(bAgain.Find("c"), c);
    EXPECT_EQ(doc.GetRoot().ToString(), "<a><d/></a>");
    EXPECT_FALSE(doc.GetRoot().RemoveChild(c)) << "not a child of the root";
}

TEST(Xml2, DeepCopiesAreIndependent)
{
    wxXml2Document doc;
    ASSERT_TRUE(doc.LoadFromString("<a x='1'><b>t</b></a>"));
    wxXml2Document copy = doc.DeepCopy();
    copy.GetRoot().SetAttribute("x", "2");
    EXPECT_EQ(doc.GetRoot().GetAttribute("x"), "1");

    wxXml2BaseNode b = doc.GetRoot().Find("b").DeepCopy();
    EXPECT_TRUE(b.IsUnlinked());
    b.SetContent("u");
    EXPECT_EQ(doc.GetRoot().Find("b").GetContent(), "t");
}

TEST(Xml2, BadTextLeavesTheDocumentAsItWas)
{
    wxXml2Document doc("keep");
    EXPECT_FALSE(doc.LoadFromString("<unclosed>"));
    EXPECT_FALSE(doc.LoadFromString(""));
    EXPECT_EQ(doc.GetRoot().GetName(), "keep");
}

class Xml2File : public kel::test::TempCwdTest
{
};

TEST_F(Xml2File, SaveAndLoadRoundTrip)
{
    wxXml2Document doc("roster");
    wxXml2BaseNode root = doc.GetRoot();
    root.AddTextChild("item", wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 & co"));
    ASSERT_TRUE(doc.Save("roster.xml"));

    wxXml2Document loaded;
    ASSERT_TRUE(loaded.Load("roster.xml"));
    EXPECT_EQ(loaded.GetRoot().Find("item").GetContent(),
              wxString::FromUTF8("\xe5\xbc\xa0\xe4\xb8\x89 & co"));
    EXPECT_FALSE(loaded.Load("missing.xml"));
    EXPECT_TRUE(loaded.IsOk());
}

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

TEST(Packet, KindsCopyTheirFields)
{
    Kel_xml_Message message;
    message.SetBody("hi");
    message.SetReceDepart("Sales");
    message.SetSubject(Subject("Re: offer", "en"));
    message.SetReceNumber("13800000000");
    message.SetReveGroup("team");
    message.SetSmstype("notice");
    message.SetReplyType(MessageReply_Auto);
    message.SetReceivers("a@x;b@x");
    message.SetRootTo("bob@example.org");
    message.SetEncryptMsg(true);
    message.SetMode(3);
    message.SetServerType(2);

    Kel_xml_Message copy(message);
    Kel_xml_Message assigned;
    assigned = message;
    for (const Kel_xml_Message* m : {&copy, &assigned})
    {
        EXPECT_EQ(m->GetBody(), "hi");
        EXPECT_EQ(m->GetReceDepart(), "Sales");
        EXPECT_EQ(m->GetSubject(), Subject("Re: offer", "en"));
        EXPECT_EQ(m->GetReceNumber(), "13800000000");
        EXPECT_EQ(m->GetReveGroup(), "team");
        EXPECT_EQ(m->GetSmstype(), "notice");
        EXPECT_EQ(m->GetReplyType(), MessageReply_Auto);
        EXPECT_EQ(m->GetReceivers(), "a@x;b@x");
        EXPECT_EQ(m->GetRootTo(), "bob@example.org");
        EXPECT_TRUE(m->GetEncryptMsg());
        EXPECT_EQ(m->GetMode(), 3);
        EXPECT_EQ(m->GetServerType(), 2);
    }

    Kel_xml_Configfile config;
    config.SetName("chat.xml");
    config.SetRect(wxRect(10, 20, 300, 200));
    config.SetFlags(4);
    config.SetXmlText("<config/>");
    Kel_xml_Configfile configCopy;
    configCopy = config;
    EXPECT_EQ(configCopy.GetRect(), wxRect(10, 20, 300, 200));
    EXPECT_EQ(configCopy.GetFlags(), 4);
    EXPECT_EQ(configCopy.GetName(), "chat.xml");
    EXPECT_EQ(configCopy.GetXmlText(), "<config/>");

    Kel_xml_Presence presence;
    presence.SetPresenceType(Presence_Unavailable);
    presence.SetStatus("in a meeting");
    presence.SetPriority(5);
    presence.SetPresenceMode(Presence_Mode_DoNotDisturb);
    Kel_xml_Presence presenceCopy;
    presenceCopy = presence;
    EXPECT_EQ(presenceCopy.GetPresenceType(), Presence_Unavailable);
    EXPECT_EQ(presenceCopy.GetStatus(), "in a meeting");
    EXPECT_EQ(presenceCopy.GetPriority(), 5);
    EXPECT_EQ(presenceCopy.GetPresenceMode(), Presence_Mode_DoNotDisturb);
    EXPECT_EQ(presenceCopy.GetRootNode().GetName(), "presence");

    Packet_Iq iq;
    EXPECT_EQ(iq.GetRootNode().GetName(), "iq");
    EXPECT_EQ(iq.GetChildElementXML(), "");
}

// ---------------------------------------------------------------------------
// Beans

TEST(PresenceRecord, ConstructorOrderAndCopies)
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

    Presence assigned;
    assigned = presence;
    assigned = assigned;
    EXPECT_EQ(assigned.GetShow(), "away");
    EXPECT_EQ(assigned.GetType(), PTYPE_AWAY);

    SimpleBean base;
    EXPECT_EQ(base.Copy(), nullptr);
}

MessageBean MakeMessage(Kel_xml_Message* xml)
{
    MessageBean bean;
    bean.SetFileName("report.doc");
    bean.SetSender("alice@example.org");
    bean.SetSenderName("Alice");
    bean.SetSenderDeptName("R&D");
    bean.SetServerType(3);
    bean.SetBody("see attachment [smile]");
    bean.SetSubject(Subject("report"));
    bean.SetThread("t-9");
    bean.SetNumber("42");
    bean.SetResource("desk");
    bean.SetScope("dept");
    bean.SetUrl("http://intranet/report");
    bean.SetXmlMessage(xml);
    bean.SetOffline(true);
    bean.SetMessageType(MessageType_GroupChat);
    bean.SetRootType("groupchat");
    bean.SetRootTo("room@conf");
    bean.SetRootFrom("alice@example.org/desk");
    bean.SetRootId("id7");
    bean.SetMode(2);
    bean.SetReceivers("bob@example.org;carol@example.org");
    bean.SetTime("2026-12-06 10:00:00");
    bean.SetErrorCode(503);
    bean.SetReplyType(MessageReply_Receipt);
    bean.SetEncryptMsg(true);
    return bean;
}

void ExpectSameFields(const MessageBean& a, const MessageBean& b)
{
    EXPECT_EQ(a.GetFileName(), b.GetFileName());
    EXPECT_EQ(a.GetSender(), b.GetSender());
    EXPECT_EQ(a.GetSenderName(), b.GetSenderName());
    EXPECT_EQ(a.GetSenderDeptName(), b.GetSenderDeptName());
    EXPECT_EQ(a.GetServerType(), b.GetServerType());
    EXPECT_EQ(a.GetBody(), b.GetBody());
    EXPECT_EQ(a.GetSubject(), b.GetSubject());
    EXPECT_EQ(a.GetThread(), b.GetThread());
    EXPECT_EQ(a.GetNumber(), b.GetNumber());
    EXPECT_EQ(a.GetResource(), b.GetResource());
    EXPECT_EQ(a.GetScope(), b.GetScope());
    EXPECT_EQ(a.GetUrl(), b.GetUrl());
    EXPECT_EQ(a.GetOffline(), b.GetOffline());
    EXPECT_EQ(a.GetMessageType(), b.GetMessageType());
    EXPECT_EQ(a.GetRootType(), b.GetRootType());
    EXPECT_EQ(a.GetRootTo(), b.GetRootTo());
    EXPECT_EQ(a.GetRootFrom(), b.GetRootFrom());
    EXPECT_EQ(a.GetRootId(), b.GetRootId());
    EXPECT_EQ(a.GetMode(), b.GetMode());
    EXPECT_EQ(a.GetReceivers(), b.GetReceivers());
    EXPECT_EQ(a.GetTime(), b.GetTime());
    EXPECT_EQ(a.GetErrorCode(), b.GetErrorCode());
    EXPECT_EQ(a.GetReplyType(), b.GetReplyType());
    EXPECT_EQ(a.GetEncryptMsg(), b.GetEncryptMsg());
}

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

TEST(MessageBeanRecord, CopyConstructionLeavesTheXmlPointerOut)
{
    Kel_xml_Message xml;
    const MessageBean source = MakeMessage(&xml);
    MessageBean copy(source);
    ExpectSameFields(copy, source);
    EXPECT_EQ(copy.GetReceivers(), "bob@example.org;carol@example.org");
    EXPECT_EQ(copy.GetXmlMessage(), nullptr);
}

TEST(MessageBeanRecord, AssignmentSharesTheXmlPointer)
{
    Kel_xml_Message xml;
    const MessageBean source = MakeMessage(&xml);
    MessageBean assigned;
    assigned = source;
    ExpectSameFields(assigned, source);
    EXPECT_EQ(assigned.GetXmlMessage(), &xml);

    assigned = assigned;
    ExpectSameFields(assigned, source);
    EXPECT_EQ(assigned.GetXmlMessage(), &xml);

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

TEST(MessagingEvents, JabberEventClonesCarryThePayloadPointers)
{
    Kel_Xml2 xml;
    int data = 7;
    JabberEvent event(wxEVT_COMMAND_BUTTON_CLICKED, 12, &xml, &data);
    event.SetX(3);
    event.SetY(4);
    event.SetString("payload");
    event.SetInt(5);
    event.SetExtraLong(6);
    event.SetClientData(&data);

    std::unique_ptr<wxEvent> clone(event.Clone());
    JabberEvent* copy = dynamic_cast<JabberEvent*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetKelXml(), &xml);
    EXPECT_EQ(copy->GetData(), &data);
    EXPECT_EQ(copy->GetX(), 3);
    EXPECT_EQ(copy->GetY(), 4);
    EXPECT_EQ(copy->GetString(), "payload");
    EXPECT_EQ(copy->GetInt(), 5);
    EXPECT_EQ(copy->GetExtraLong(), 6);
    EXPECT_EQ(copy->GetClientData(), &data);
    EXPECT_EQ(copy->GetId(), 12);
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
    event.SetBean(MakeMessage(&xml));
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
    EXPECT_EQ(copy->GetBean().GetReceivers(), "bob@example.org;carol@example.org");
    ExpectSameFields(copy->GetBean(), event.GetBean());
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
