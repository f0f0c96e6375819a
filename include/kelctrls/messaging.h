// Messaging records and events: the packets, presences, messages and SMS
// outcomes exchanged with the core messaging library, and the events that
// carry them to windows through the core library's event hub.
#ifndef KELCTRLS_MESSAGING_H
#define KELCTRLS_MESSAGING_H

#include <kelctrls/base.h>
#include <kelctrls/messaging/beans.h>
#include <kelctrls/messaging/events.h>
#include <kelctrls/messaging/handlers.h>
#include <kelctrls/messaging/packets.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/messaging/rostertree.h>
#include <kelctrls/messaging/xmppbridge.h>
#include <kelctrls/platform/imcore.h>

#endif
