/// \file
/// Asks whether a received file should be opened or saved, with a warning.
#ifndef KELCTRLS_DIALOGS_FILEOPENPROMPT_H
#define KELCTRLS_DIALOGS_FILEOPENPROMPT_H

#include <kelctrls/base.h>

#include <wx/dialog.h>

class WXDLLIMPEXP_FWD_CORE wxButton;
class WXDLLIMPEXP_FWD_CORE wxRadioButton;
class WXDLLIMPEXP_FWD_CORE wxStaticLine;
class WXDLLIMPEXP_FWD_CORE wxStaticText;

/// Asks whether a received file should be opened or saved, with a warning
/// about opening files from others. Modal (ShowModal): OK ends it with
/// wxID_OK and the choice in GetResult, Cancel with wxID_CANCEL, closing the
/// window with wxID_CLOSE (both leave Choice_None).
class KELCTRLS_API KFileOpenPrompt : public wxDialog
{
public:
    /// Ids of the dialog's controls.
    enum
    {
        ID_ICON = 1001,
        ID_OPENING_LABEL = 1002,
        ID_FILE_NAME = 1003,
        ID_LINE = 1004,
        ID_WARNING = 1005,
        ID_QUESTION = 1006,
        ID_OPEN = 1008,
        ID_SAVE = 1009
    };

    /// What the user chose with OK.
    enum Choice
    {
        Choice_None = 0,
        Choice_Open = 1,
        Choice_Save = 2
    };

    /// Creates the prompt for the file `filename`, titled `title`.
    KFileOpenPrompt(wxWindow* parent, const wxString& filename, const wxString& title,
                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                    long style = wxDEFAULT_DIALOG_STYLE);

    /// What the user chose, a Choice.
    int GetResult() const { return m_result; }
    /// The file asked about.
    const wxString& GetFileName() const { return m_filename; }

private:
    void CreateControls();
    wxBitmap GetParentIcon() const;
    void OnOK(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnCloseWindow(wxCloseEvent& event);

    wxButton* m_cancelButton;
    wxButton* m_okButton;
    wxRadioButton* m_saveButton;
    wxRadioButton* m_openButton;
    wxStaticText* m_question;
    wxStaticText* m_warning;
    wxStaticLine* m_line;
    wxStaticText* m_fileNameLabel;
    wxStaticText* m_openingLabel;
    wxString m_filename;
    int m_result;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KFileOpenPrompt);
};

/// Asks how to deal with a received file: 0 when the prompt was not confirmed,
/// 1 to open it, 2 to save it to disk.
KELCTRLS_API int KShowFileDialogTip(wxWindow* parent, const wxString& filename);

#endif // KELCTRLS_DIALOGS_FILEOPENPROMPT_H
