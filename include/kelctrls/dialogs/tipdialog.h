/// \file
/// "Tip of the Day" dialog fed from a text file of tips.
#ifndef KELCTRLS_DIALOGS_TIPDIALOG_H
#define KELCTRLS_DIALOGS_TIPDIALOG_H

#include <kelctrls/base.h>

#include <wx/dialog.h>
#include <wx/textfile.h>
#include <wx/tipdlg.h>

class WXDLLIMPEXP_FWD_CORE wxCheckBox;
class WXDLLIMPEXP_FWD_CORE wxTextCtrl;

/// Reads tips from a text file, one a line. Lines starting with "#" and blank
/// lines are skipped; a tip written _("text") is looked up in the catalogue.
class KELCTRLS_API KFileTipProvider : public wxTipProvider
{
public:
    /// The tips of `filename` (UTF-8, or with a byte order mark), starting with
    /// line `currentTip` (0 first). A missing file gives a provider without tips.
    KFileTipProvider(const wxString& filename, size_t currentTip);

    /// The next tip, wrapping around at the end of the file; a translated
    /// "Tips not available, sorry!" when the file has none.
    wxString GetTip() override;
    /// Always ""; kept for the client's code.
    wxString GetPreTip() { return wxEmptyString; }

    /// Text of a _("...") tip, with \" turned into "; other tips unchanged.
    static wxString TranslateTip(const wxString& tip);

private:
    wxTextFile m_textfile;
};

/// The "Tip of the Day" dialog: a heading, the tip, a "Show tips at startup"
/// check box and "Next Tip" and close buttons.
class KELCTRLS_API KTipDialog : public wxDialog
{
public:
    /// Id of the "Next Tip" button.
    enum
    {
        ID_NEXT_TIP = 32000
    };

    /// Creates the dialog showing the first tip of `provider` (not owned; it
    /// must outlive the dialog), with the check box set to `showAtStartup`.
    KTipDialog(wxWindow* parent, wxTipProvider* provider, bool showAtStartup);

    /// Shows the provider's next tip.
    void SetTipText();
    /// The state of the check box.
    bool ShowTipsOnStartup() const;
    /// The tip shown.
    wxString GetTipText() const;

private:
    wxSizer* CreateHeading();
    wxTextCtrl* CreateTipCtrl();
    void OnNextTip(wxCommandEvent& event);

    wxTipProvider* m_tipProvider;
    wxTextCtrl* m_text;
    wxCheckBox* m_checkbox;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KTipDialog);
};

/// Shows the tips of `tipFile` starting with line `currentTip`, modally, and
/// returns whether the user wants them shown at start-up.
KELCTRLS_API bool KShowTip(wxWindow* parent, const wxString& tipFile, int currentTip, bool showAtStartup);

#endif // KELCTRLS_DIALOGS_TIPDIALOG_H
