#include <kelctrls/messaging/presencemanager.h>

PresenceManager* PresenceManager::m_instance = nullptr;

PresenceManager* PresenceManager::GetInstance()
{
    if (!m_instance)
        m_instance = new PresenceManager;
    return m_instance;
}

PresenceManager::PresenceManager() : m_mySubPresence(PTYPE_OFFLINE)
{
    m_myPresence.SetType(PTYPE_OFFLINE);
}

void PresenceManager::SetMyPresence(const Presence& presence)
{
    m_myPresence = presence;
    m_mySubPresence = presence.GetType();
}
