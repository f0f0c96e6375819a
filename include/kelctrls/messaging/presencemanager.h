// The signed-in user's own presence, kept for the windows that change with it
// (the browser panel shows its local error page while it is offline).
#ifndef KELCTRLS_MESSAGING_PRESENCEMANAGER_H
#define KELCTRLS_MESSAGING_PRESENCEMANAGER_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>

class KELCTRLS_API PresenceManager
{
public:
    static PresenceManager* GetInstance();

    // The user's own presence, owned by the manager; offline until the client
    // sets another one.
    Presence* GetMyPresence() { return &m_myPresence; }
    void SetMyPresence(const Presence& presence);

    // The presence kind the user chose last (it may differ from the current
    // one while a change is under way).
    PTYPE GetMySubPrence() const { return m_mySubPresence; }
    void SetMySubPrence(PTYPE type) { m_mySubPresence = type; }

private:
    PresenceManager();

    Presence m_myPresence;
    PTYPE m_mySubPresence;

    static PresenceManager* m_instance;

    wxDECLARE_NO_COPY_CLASS(PresenceManager);
};

#endif
