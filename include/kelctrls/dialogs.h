/// \file
/// Dialogs: screen capture, message box and progress dialog, tips and the
/// file-open prompt, password change, head image selection.
#ifndef KELCTRLS_DIALOGS_H
#define KELCTRLS_DIALOGS_H

#include <kelctrls/base.h>

#include <kelctrls/dialogs/changepassdlg.h>
#include <kelctrls/dialogs/filedialog.h>
#include <kelctrls/dialogs/fileopenprompt.h>
#include <kelctrls/dialogs/messagebox.h>
#include <kelctrls/dialogs/progressdialog.h>
#include <kelctrls/dialogs/screendlg.h>
#include <kelctrls/dialogs/tipdialog.h>
#include <kelctrls/dialogs/userheadselect.h>

#endif
