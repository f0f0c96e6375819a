#ifndef KELCTRLS_DIALOGS_H
#define KELCTRLS_DIALOGS_H

#include <kelctrls/base.h>
#include <kelctrls/dialogs/filedialog.h>

#endif
