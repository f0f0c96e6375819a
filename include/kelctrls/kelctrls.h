/// \file
/// Everything the KelCtrls library exports.
#ifndef KELCTRLS_KELCTRLS_H
#define KELCTRLS_KELCTRLS_H

#include <kelctrls/base.h>
#include <kelctrls/skin.h>
#include <kelctrls/controls.h>
#include <kelctrls/treelistctrl.h>
#include <kelctrls/messaging.h>
#include <kelctrls/richtext.h>
#include <kelctrls/browser.h>
#include <kelctrls/dialogs.h>
#include <kelctrls/uistate.h>
#include <kelctrls/dnd.h>
#include <kelctrls/datepanel.h>

#endif
