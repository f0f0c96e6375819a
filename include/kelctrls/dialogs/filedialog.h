// A file dialog that remembers, per purpose, the folder the user last used
// ("CONFIG/fileSelect.ini" below the installation folder, group "FILEPATH").
#ifndef KELCTRLS_DIALOGS_FILEDIALOG_H
#define KELCTRLS_DIALOGS_FILEDIALOG_H

#include <kelctrls/base.h>

#include <wx/filedlg.h>

class wxFileConfig;

class KELCTRLS_API KelFileDialog : public wxFileDialog
{
public:
    KelFileDialog(wxWindow* parent, const wxString& message = wxFileSelectorPromptStr,
                  const wxString& defaultDir = wxString(), const wxString& defaultFile = wxString(),
                  const wxString& wildcard = wxFileSelectorDefaultWildcardStr,
                  long style = wxFD_DEFAULT_STYLE, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, const wxString& name = wxFileDialogNameStr);

    using wxFileDialog::ShowModal;
    // Opens in the folder remembered for key (when there is one) and
    // remembers the folder shown last, whether the user confirmed or not.
    virtual int ShowModal(const wxString& key);

    // The folder remembered for key, empty when there is none.
    static wxString GetDefaultPath(const wxString& key);
    // Remembers the folder for key and saves the file at once; a save that
    // fails leaves the file as it was and is reported through the log.
    static void SetDefaultPath(const wxString& key, const wxString& path);

private:
    static wxFileConfig* GetConfig();

    static wxFileConfig* config;
};

#endif
