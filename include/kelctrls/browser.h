#ifndef KELCTRLS_BROWSER_H
#define KELCTRLS_BROWSER_H

#include <kelctrls/base.h>

#endif
