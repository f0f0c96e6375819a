/// \file
/// A file dialog that remembers, per purpose, the folder the user last used
/// ("CONFIG/fileSelect.ini" below the installation folder, group "FILEPATH").
#ifndef KELCTRLS_DIALOGS_FILEDIALOG_H
#define KELCTRLS_DIALOGS_FILEDIALOG_H

#include <kelctrls/base.h>

#include <wx/filedlg.h>

class wxFileConfig;

/// A wxFileDialog that opens, per purpose (a key the client chooses), in the
/// folder the user last used. The folders are read once, on first use, and
/// written back atomically.
class KELCTRLS_API KelFileDialog : public wxFileDialog
{
public:
    /// Creates the dialog with the arguments of wxFileDialog.
    KelFileDialog(wxWindow* parent, const wxString& message = wxFileSelectorPromptStr,
                  const wxString& defaultDir = wxString(), const wxString& defaultFile = wxString(),
                  const wxString& wildcard = wxFileSelectorDefaultWildcardStr,
                  long style = wxFD_DEFAULT_STYLE, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, const wxString& name = wxFileDialogNameStr);

    /// Shows the dialog without remembering a folder.
    using wxFileDialog::ShowModal;
    /// Opens in the folder remembered for `key` (when there is one) and
    /// remembers the folder shown last, whether the user confirmed or not.
    /// Returns wxID_OK or wxID_CANCEL.
    virtual int ShowModal(const wxString& key);

    /// The folder remembered for key, empty when there is none.
    static wxString GetDefaultPath(const wxString& key);
    /// Remembers the folder for key and saves the file at once; a save that
    /// fails leaves the file as it was and is reported through the log.
    static void SetDefaultPath(const wxString& key, const wxString& path);

private:
    static wxFileConfig* GetConfig();

    static wxFileConfig* config;
};

#endif
