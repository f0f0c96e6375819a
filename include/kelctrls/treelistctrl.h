#ifndef KELCTRLS_TREELISTCTRL_H
#define KELCTRLS_TREELISTCTRL_H

#include <kelctrls/base.h>

#endif
