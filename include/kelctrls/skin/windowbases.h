// Frames, panels and dialogs painted in the skin's window colour, the frame
// drawn by the window skin engine, and the manager of the application's
// top-level windows.
#ifndef KELCTRLS_SKIN_WINDOWBASES_H
#define KELCTRLS_SKIN_WINDOWBASES_H

#include <kelctrls/base.h>

#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/list.h>
#include <wx/panel.h>

// The background of the window bases is the skin colour "color_win_bk",
// read once at creation.
class KELCTRLS_API KelFrameBase : public wxFrame
{
public:
    KelFrameBase() = default;
    KelFrameBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                 const wxString& name = wxFrameNameStr);
    ~KelFrameBase() override;

    virtual bool Create(wxWindow* parent, int id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxDEFAULT_FRAME_STYLE, const wxString& name = wxFrameNameStr);
};

class KELCTRLS_API KelPanelBase : public wxPanel
{
public:
    KelPanelBase() = default;
    KelPanelBase(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                 const wxString& name = wxPanelNameStr);
    ~KelPanelBase() override;

    virtual bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                        const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                        const wxString& name = wxPanelNameStr);
};

class KELCTRLS_API KelDialogBase : public wxDialog
{
public:
    KelDialogBase() = default;
    KelDialogBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE,
                  const wxString& name = wxDialogNameStr);
    ~KelDialogBase() override;

    virtual bool Create(wxWindow* parent, int id, const wxString& title,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxDEFAULT_DIALOG_STYLE, const wxString& name = wxDialogNameStr);
};

// A frame whose caption and borders the window skin engine draws once the
// client calls Attach (after creating the status bar, if it wants that one
// skinned too).
class KELCTRLS_API KelCustomFrame : public wxFrame
{
public:
    KelCustomFrame();
    KelCustomFrame(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                   const wxString& name = wxFrameNameStr);
    ~KelCustomFrame() override;

    bool Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxDEFAULT_FRAME_STYLE,
                const wxString& name = wxFrameNameStr);

    void Attach();

private:
    void Init() {}

    wxDECLARE_DYNAMIC_CLASS(KelCustomFrame);
    wxDECLARE_EVENT_TABLE();
};

// Keeps the list of the application's open top-level windows, gives each the
// skin's taskbar icon and can close them all at once.
class KELCTRLS_API KelWindowManager : public wxEvtHandler
{
public:
    static KelWindowManager* Get();

    ~KelWindowManager() override;

    // Top-level windows only; a child window or a window registered already
    // is ignored.
    void Register(wxWindow* win);
    void UnRegister(wxWindow* win);

    // Asks every registered window to close (each may veto), then forgets
    // them all.
    void CloseAll();

    // The registered windows, in registration order.
    const wxList& GetWindows() const { return m_windows; }
    bool IsRegistered(wxWindow* win) const { return m_windows.Find(win) != nullptr; }

private:
    KelWindowManager() = default;

    void OnDestroy(wxWindowDestroyEvent& event);

    wxList m_windows;

    static KelWindowManager* m_instance;
};

#endif
