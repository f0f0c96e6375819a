/// \file
/// A skinned, always-on-top message window that blocks the rest of the
/// application until one of its buttons is pressed. KelMessageBox returns at
/// once; the window destroys itself when it is answered.
#ifndef KELCTRLS_DIALOGS_MESSAGEBOX_H
#define KELCTRLS_DIALOGS_MESSAGEBOX_H

#include <kelctrls/base.h>
#include <kelctrls/platform/skinengine.h>

#include <wx/frame.h>

class WXDLLIMPEXP_FWD_CORE wxPanel;
class WXDLLIMPEXP_FWD_CORE wxSizer;
class WXDLLIMPEXP_FWD_CORE wxWindowDisabler;

/// Which buttons the message window offers.
enum KelMessageBox_Style
{
    KelMessageBox_OK,
    KelMessageBox_OKCancel,
    KelMessageBox_YesNo,
    KelMessageBox_YesNoCancel
};

/// The icon beside the message.
enum KelMessageBox_Icon
{
    KelMessageBox_IconNone,
    KelMessageBox_IconInformation,
    KelMessageBox_IconWarning,
    KelMessageBox_IconError,
    KelMessageBox_IconQuestion
};

/// The message window itself; KelMessageBox makes and shows one.
class KELCTRLS_API KelMessageBoxFrame : public wxFrame
{
public:
    /// Button identifiers: OK or Yes is always 1001.
    enum
    {
        ID_BUTTON_OK = 1001,
        ID_BUTTON_CANCEL = 1002,
        ID_BUTTON_NO = 1003,
        ID_BUTTON_CLOSE = 1004
    };

    /// A window with `message`, titled `caption`, offering the buttons of `style`
    /// beside `icon`. Show it with ShowApplicationModal.
    KelMessageBoxFrame(wxWindow* parent, const wxString& message, const wxString& caption,
                       KelMessageBox_Style style, KelMessageBox_Icon icon);
    /// Re-enables the other windows if still needed.
    virtual ~KelMessageBoxFrame();

    /// Shows the window above all others and disables every other top-level
    /// window until it is answered or closed.
    void ShowApplicationModal();
    /// Whether the window keeps the others disabled now.
    bool IsApplicationModal() const { return m_disabler != nullptr; }

    /// The buttons offered.
    KelMessageBox_Style GetStyle() const { return m_style; }
    /// The icon shown.
    KelMessageBox_Icon GetMessageIcon() const { return m_icon; }
    /// The title.
    const wxString& GetCaption() const { return m_caption; }
    /// The message.
    const wxString& GetMessage() const { return m_message; }
    /// wxID_OK once button 1001 was pressed, else wxID_NONE.
    int GetResult() const { return m_result; }
    /// The panel holding message, icon and buttons, a child window.
    wxPanel* GetContentPanel() const { return m_panel; }

private:
    void CreateControls();
    void HideSkinButtons();
    wxSizer* CreateButtons();
    wxBitmap GetIconBitmap() const;
    void EndApplicationModal();
    void OnButton(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    wxPanel* m_panel;
    BitmapPanelRenderer m_renderer;
    KelMessageBox_Style m_style;
    KelMessageBox_Icon m_icon;
    wxString m_caption;
    wxString m_message;
    int m_result;
    wxWindowDisabler* m_disabler;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KelMessageBoxFrame);
};

/// Shows a message window over `parent` (centred on it; on the screen when
/// null) and returns at once, without the answer; the window disables the
/// other windows until it is answered or closed, then destroys itself.
KELCTRLS_API void KelMessageBox(wxWindow* parent, const wxString& message, const wxString& caption,
                                KelMessageBox_Style style = KelMessageBox_OK,
                                KelMessageBox_Icon icon = KelMessageBox_IconInformation);
/// Same, without a parent.
KELCTRLS_API void KelMessageBox(const wxString& message, const wxString& caption,
                                KelMessageBox_Style style = KelMessageBox_OK,
                                KelMessageBox_Icon icon = KelMessageBox_IconInformation);

#endif // KELCTRLS_DIALOGS_MESSAGEBOX_H
