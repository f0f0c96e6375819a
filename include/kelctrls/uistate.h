/// \file
/// UI state persistence: column records and the keeper that remembers the
/// values of text, combo and check box controls.
#ifndef KELCTRLS_UISTATE_H
#define KELCTRLS_UISTATE_H

#include <kelctrls/base.h>
#include <kelctrls/uistate/records.h>
#include <kelctrls/uistate/uikeeper.h>

#endif
