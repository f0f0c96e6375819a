#ifndef KELCTRLS_DATEPANEL_H
#define KELCTRLS_DATEPANEL_H

#include <kelctrls/base.h>

#endif
