#ifndef KELCTRLS_DIALOGS_H
#define KELCTRLS_DIALOGS_H

#include <kelctrls/base.h>

#endif
