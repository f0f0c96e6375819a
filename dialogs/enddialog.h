// Ending a dialog whether it runs its own modal loop or is merely shown.
#ifndef KELCTRLS_DIALOGS_ENDDIALOG_H
#define KELCTRLS_DIALOGS_ENDDIALOG_H

#include <wx/dialog.h>

// Ends the modal loop with `code`, or, for a dialog shown without one,
// stores `code` as its return code and hides it.
inline void KelEndDialog(wxDialog* dialog, int code)
{
    if (dialog->IsModal())
    {
        dialog->EndModal(code);
    }
    else
    {
        dialog->SetReturnCode(code);
        dialog->Hide();
    }
}

#endif
