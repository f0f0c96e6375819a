#ifndef KELCTRLS_UISTATE_H
#define KELCTRLS_UISTATE_H

#include <kelctrls/base.h>

#endif
