#ifndef KELCTRLS_CONTROLS_H
#define KELCTRLS_CONTROLS_H

#include <kelctrls/base.h>

#endif
