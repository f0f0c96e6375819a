// "Tip of the Day" dialog fed from a text file of tips.
#ifndef KELCTRLS_DIALOGS_TIPDIALOG_H
#define KELCTRLS_DIALOGS_TIPDIALOG_H

#include <kelctrls/base.h>

#include <wx/dialog.h>
#include <wx/textfile.h>
#include <wx/tipdlg.h>

class WXDLLIMPEXP_FWD_CORE wxCheckBox;
class WXDLLIMPEXP_FWD_CORE wxTextCtrl;

// Reads tips from a text file, one a line. Lines starting with "#" and blank
// lines are skipped; a tip written _("text") is looked up in the catalogue.
class KELCTRLS_API KFileTipProvider : public wxTipProvider
{
public:
    KFileTipProvider(const wxString& filename, size_t currentTip);

    wxString GetTip() override;
    wxString GetPreTip() { return wxEmptyString; }

    // Text of a _("...") tip, with \" turned into "; other tips unchanged.
    static wxString TranslateTip(const wxString& tip);

private:
    wxTextFile m_textfile;
};

class KELCTRLS_API KTipDialog : public wxDialog
{
public:
    enum
    {
        ID_NEXT_TIP = 32000
    };

    KTipDialog(wxWindow* parent, wxTipProvider* provider, bool showAtStartup);

    // Shows the provider's next tip.
    void SetTipText();
    bool ShowTipsOnStartup() const;
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

// Shows the tips of the file starting with the given one; returns whether
// the user wants them shown at start-up.
KELCTRLS_API bool KShowTip(wxWindow* parent, const wxString& tipFile, int currentTip, bool showAtStartup);

#endif // KELCTRLS_DIALOGS_TIPDIALOG_H
