#ifndef KELCTRLS_MESSAGING_H
#define KELCTRLS_MESSAGING_H

#include <kelctrls/base.h>

#endif
