#include <kelctrls/messaging/xmppbridge.h>

#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>

wxDEFINE_EVENT(jabEVT_CONNECTION, wxCommandEvent);
wxDEFINE_EVENT(jabEVT_ROSTER, JabberSimpleEvent);
wxDEFINE_EVENT(jabEVT_ROSTER_LOADED, wxCommandEvent);
wxDEFINE_EVENT(jabEVT_PRESENCE, JabberSimpleEvent);
wxDEFINE_EVENT(jabEVT_MESSAGE, JabberMessageEvent);
wxDEFINE_EVENT(jabEVT_SUBSCRIPTION, JabberSimpleEvent);

namespace
{

MessageType MessageTypeOf(const wxString& type)
{
    if (type == "chat")
        return MessageType_Chat;
    if (type == "groupchat")
        return MessageType_GroupChat;
    if (type == "headline")
        return MessageType_Headline;
    return MessageType_Normal;
}

wxString MessageTypeText(MessageType type)
{
    switch (type)
    {
    case MessageType_Normal:
        return "normal";
    case MessageType_GroupChat:
        return "groupchat";
    case MessageType_Headline:
        return "headline";
    default:
        return "chat";
    }
}

} // anonymous namespace

RosterBean::RosterBean(const wxString& jid, const wxString& name, const wxArrayString& groups,
                       const wxString& subscription)
    : m_jid(jid), m_name(name.empty() ? ParseName(jid) : name), m_groups(groups), m_subscription(subscription)
{
}

KelXmppBridge::KelXmppBridge(KelXmppClient* client) : m_client(client)
{
    m_client->AddListener(this);
}

KelXmppBridge::~KelXmppBridge()
{
    m_client->RemoveListener(this);
}

PTYPE KelXmppBridge::TypeOf(const KelXmppPresence& presence)
{
    if (!presence.available)
        return PTYPE_OFFLINE;
    if (presence.show == "away")
        return PTYPE_AWAY;
    if (presence.show == "xa")
        return PTYPE_EXTENDED_AWAY;
    if (presence.show == "dnd")
        return PTYPE_BUSY;
    if (presence.show == "chat")
        return PTYPE_CHAT;
    return PTYPE_ONLINE;
}

wxString KelXmppBridge::ShowOf(PTYPE type)
{
    switch (type)
    {
    case PTYPE_AWAY:
        return "away";
    case PTYPE_EXTENDED_AWAY:
        return "xa";
    case PTYPE_BUSY:
        return "dnd";
    case PTYPE_CHAT:
        return "chat";
    default:
        return wxString();
    }
}

wxString KelXmppBridge::SendMessage(const MessageBean& bean)
{
    KelXmppMessage message;
    message.to = bean.GetReceivers().empty() ? bean.GetRootTo() : bean.GetReceivers();
    message.body = bean.GetBody();
    message.thread = bean.GetThread();
    message.subject = bean.GetSubject().GetText();
    message.type = MessageTypeText(bean.GetMessageType());
    message.id = bean.GetRootId();
    return m_client->SendMessage(message);
}

void KelXmppBridge::ReplayRoster()
{
    for (const auto& contact : m_client->GetRoster())
        OnXmppContact(*m_client, contact.second, false);
    for (const auto& contact : m_client->GetRoster())
    {
        const KelXmppPresence presence = m_client->GetPresence(contact.first);
        if (presence.available)
            OnXmppPresence(*m_client, presence);
    }
    OnXmppRosterLoaded(*m_client);
}

void KelXmppBridge::SetMyPresence(PTYPE type, const wxString& status)
{
    if (type == PTYPE_OFFLINE)
    {
        m_client->SignOut();
        return;
    }
    m_chosen = type;
    m_client->SetPresence(ShowOf(type), status);
    if (m_client->IsOnline())
        UpdateMyPresence(type);
}

void KelXmppBridge::UpdateMyPresence(PTYPE type)
{
    SetNextPresence(type);
    PresenceManager::GetInstance()->SetMyPresence(
        Presence(m_client->GetJid(), wxString(), type, ShowOf(type), wxString()));
}

MessageBean KelXmppBridge::ToBean(const KelXmppMessage& message) const
{
    const wxString sender = KelXmppClient::BareJid(message.from);
    const auto contact = m_client->GetRoster().find(sender);
    MessageBean bean;
    bean.SetSender(sender);
    bean.SetSenderName(contact != m_client->GetRoster().end() && !contact->second.name.empty()
                           ? contact->second.name
                           : ParseName(sender));
    bean.SetResource(message.from.AfterFirst('/'));
    bean.SetRootFrom(message.from);
    bean.SetRootTo(message.to);
    bean.SetReceivers(KelXmppClient::BareJid(message.to));
    bean.SetRootId(message.id);
    bean.SetRootType(message.type);
    bean.SetMessageType(MessageTypeOf(message.type));
    bean.SetBody(message.body);
    bean.SetThread(message.thread);
    bean.SetSubject(Subject(message.subject));
    bean.SetTime(message.stamp);
    return bean;
}

void KelXmppBridge::OnXmppStateChanged(KelXmppClient&, KelXmppState state, const wxString& reason)
{
    UpdateMyPresence(state == KelXmppState::Online ? m_chosen : PTYPE_OFFLINE);
    wxCommandEvent event(jabEVT_CONNECTION);
    event.SetInt(int(state));
    event.SetString(reason);
    KelJabberEventCenter::GetInstance()->Deliver(event);
}

void KelXmppBridge::OnXmppContact(KelXmppClient&, const KelXmppContact& contact, bool removed)
{
    RosterBean bean(contact.jid, contact.name, contact.groups, contact.subscription);
    JabberSimpleEvent event(jabEVT_ROSTER);
    event.SetBean(&bean);
    event.SetInt(removed ? 0 : 1);
    KelJabberEventCenter::GetInstance()->Deliver(event);
}

void KelXmppBridge::OnXmppRosterLoaded(KelXmppClient&)
{
    wxCommandEvent event(jabEVT_ROSTER_LOADED);
    KelJabberEventCenter::GetInstance()->Deliver(event);
}

void KelXmppBridge::OnXmppPresence(KelXmppClient& client, const KelXmppPresence& presence)
{
    // The server also tells the account about its own resources.
    if (presence.jid == KelXmppClient::BareJid(client.GetJid()))
        return;
    const auto contact = client.GetRoster().find(presence.jid);
    Presence bean(presence.jid, client.GetBoundJid(), TypeOf(presence), presence.show,
                  contact != client.GetRoster().end() ? contact->second.subscription : wxString());
    JabberSimpleEvent event(jabEVT_PRESENCE);
    event.SetBean(&bean);
    event.SetString(presence.status);
    KelJabberEventCenter::GetInstance()->Deliver(event);
}

void KelXmppBridge::OnXmppMessage(KelXmppClient&, const KelXmppMessage& message)
{
    JabberMessageEvent event(jabEVT_MESSAGE);
    event.SetBean(ToBean(message));
    KelJabberEventCenter::GetInstance()->Deliver(event);
}

wxString KelXmppBridge::SubscriptionText(KelXmppSubscription kind)
{
    switch (kind)
    {
    case KelXmppSubscription::Subscribe:
        return "subscribe";
    case KelXmppSubscription::Subscribed:
        return "subscribed";
    case KelXmppSubscription::Unsubscribe:
        return "unsubscribe";
    default:
        return "unsubscribed";
    }
}

void KelXmppBridge::OnXmppSubscription(KelXmppClient& client, const wxString& jid, KelXmppSubscription kind,
                                       const wxString& text)
{
    Presence bean(jid, client.GetBoundJid(), PTYPE_OFFLINE, wxString(), SubscriptionText(kind));
    JabberSimpleEvent event(jabEVT_SUBSCRIPTION);
    event.SetBean(&bean);
    event.SetString(text);
    KelJabberEventCenter::GetInstance()->Deliver(event);
}
