/// \file
/// Frames, panels and dialogs painted in the skin's window colour, the frame
/// drawn by the window skin engine, and the manager of the application's
/// top-level windows.
#ifndef KELCTRLS_SKIN_WINDOWBASES_H
#define KELCTRLS_SKIN_WINDOWBASES_H

#include <kelctrls/base.h>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/list.h>
#include <wx/panel.h>

/// The background of the window bases is the skin colour "color_win_bk",
/// read once at creation.
class KELCTRLS_API KelFrameBase : public wxFrame
{
public:
    /// For two-step creation; Create must follow.
    KelFrameBase() = default;
    /// Creates the frame (see Create).
    KelFrameBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                 const wxString& name = wxFrameNameStr);
    /// Nothing beyond the frame's own clean-up.
    ~KelFrameBase() override;

    /// Creates the frame as wxFrame::Create does and paints its background in
    /// "color_win_bk".
    virtual bool Create(wxWindow* parent, int id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxDEFAULT_FRAME_STYLE, const wxString& name = wxFrameNameStr);
};

/// A panel painted in the skin colour "color_win_bk", read once at creation.
class KELCTRLS_API KelPanelBase : public wxPanel
{
public:
    /// For two-step creation; Create must follow.
    KelPanelBase() = default;
    /// Creates the panel (see Create).
    KelPanelBase(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                 const wxString& name = wxPanelNameStr);
    /// Nothing beyond the panel's own clean-up.
    ~KelPanelBase() override;

    /// Creates the panel as wxPanel::Create does and paints its background in
    /// "color_win_bk".
    virtual bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                        const wxString& name = wxPanelNameStr);
};

/// A dialog painted in the skin colour "color_win_bk", read once at creation.
class KELCTRLS_API KelDialogBase : public wxDialog
{
public:
    /// For two-step creation; Create must follow.
    KelDialogBase() = default;
    /// Creates the dialog (see Create).
    KelDialogBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE,
                  const wxString& name = wxDialogNameStr);
    /// Nothing beyond the dialog's own clean-up.
    ~KelDialogBase() override;

    /// Creates the dialog as wxDialog::Create does and paints its background in
    /// "color_win_bk".
    virtual bool Create(wxWindow* parent, int id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxDEFAULT_DIALOG_STYLE, const wxString& name = wxDialogNameStr);
};

/// A frame whose caption and borders the window skin engine draws once the
/// client calls Attach (after creating the status bar, if it wants that one
/// skinned too).
class KELCTRLS_API KelCustomFrame : public wxFrame
{
public:
    /// For two-step creation; Create must follow.
    KelCustomFrame();
    /// Creates the frame (see Create).
    KelCustomFrame(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                   const wxString& name = wxFrameNameStr);
    /// Nothing beyond the frame's own clean-up.
    ~KelCustomFrame() override;

    /// Creates the frame as wxFrame::Create does; the skin engine draws nothing
    /// until Attach.
    bool Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                const wxString& name = wxFrameNameStr);

    /// Hands the frame (as "Main_Frame") and its status bar, if any, to the
    /// window skin engine (SkinWindowEngine), which draws caption and borders
    /// from then on.
    void Attach();

private:
    void Init() {}

    wxDECLARE_DYNAMIC_CLASS(KelCustomFrame);
    wxDECLARE_EVENT_TABLE();
};

/// Keeps the list of the application's open top-level windows, gives each the
/// skin's taskbar icon and can close them all at once.
class KELCTRLS_API KelWindowManager : public wxEvtHandler
{
public:
    /// The manager, created on first use; it lives until the program ends.
    static KelWindowManager* Get();

    /// Forgets the windows (they are not closed).
    ~KelWindowManager() override;

    /// Adds a window without a parent: a top-level window gets the skin's
    /// taskbar icon ("ico_taskbar_online"); the window is forgotten again when
    /// destroyed. A window with a parent or one registered already is ignored.
    void Register(wxWindow* win);
    /// Forgets a window; an unknown one is ignored.
    void UnRegister(wxWindow* win);

    /// Asks every registered window to close (each may veto), then forgets
    /// them all.
    void CloseAll();

    /// The registered windows, in registration order.
    const wxList& GetWindows() const { return m_windows; }
    /// Whether `win` is registered.
    bool IsRegistered(wxWindow* win) const { return m_windows.Find(win) != nullptr; }

private:
    KelWindowManager() = default;

    void OnDestroy(wxWindowDestroyEvent& event);

    wxList m_windows;

    static KelWindowManager* m_instance;
};

#endif
