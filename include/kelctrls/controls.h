#ifndef KELCTRLS_CONTROLS_H
#define KELCTRLS_CONTROLS_H

#include <kelctrls/base.h>
#include <kelctrls/controls/tabconfig.h>

#endif
