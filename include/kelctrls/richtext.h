#ifndef KELCTRLS_RICHTEXT_H
#define KELCTRLS_RICHTEXT_H

#include <kelctrls/base.h>

#endif
