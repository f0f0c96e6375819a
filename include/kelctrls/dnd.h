#ifndef KELCTRLS_DND_H
#define KELCTRLS_DND_H

#include <kelctrls/base.h>

#endif
