#include <kelctrls/skin/windowbases.h>
#include <kelctrls/skin/skinresource.h>
#include <kelctrls/platform/skinengine.h>

#include <wx/statusbr.h>
#include <wx/toplevel.h>

namespace
{

void PaintInSkinColour(wxWindow* win)
{
    win->SetBackgroundColour(KelSkinResource::GetInstance()->GetColour("color_win_bk"));
}

} // anonymous namespace

// ---------------------------------------------------------------------------
// KelFrameBase, KelPanelBase, KelDialogBase
// ---------------------------------------------------------------------------

KelFrameBase::KelFrameBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

KelFrameBase::~KelFrameBase() = default;

bool KelFrameBase::Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                          const wxSize& size, long style, const wxString& name)
{
    if (!wxFrame::Create(parent, id, title, pos, size, style, name))
        return false;
    PaintInSkinColour(this);
    return true;
}

KelPanelBase::KelPanelBase(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                           const wxString& name)
{
    Create(parent, id, pos, size, style, name);
}

KelPanelBase::~KelPanelBase() = default;

bool KelPanelBase::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style,
                          const wxString& name)
{
    if (!wxPanel::Create(parent, id, pos, size, style, name))
        return false;
    PaintInSkinColour(this);
    return true;
}

KelDialogBase::KelDialogBase(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                             const wxSize& size, long style, const wxString& name)
{
    Create(parent, id, title, pos, size, style, name);
}

KelDialogBase::~KelDialogBase() = default;

bool KelDialogBase::Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                           const wxSize& size, long style, const wxString& name)
{
    if (!wxDialog::Create(parent, id, title, pos, size, style, name))
        return false;
    PaintInSkinColour(this);
    return true;
}

// ---------------------------------------------------------------------------
// KelCustomFrame
// ---------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KelCustomFrame, wxFrame);

// clang-format off
wxBEGIN_EVENT_TABLE(KelCustomFrame, wxFrame)
wxEND_EVENT_TABLE()
// clang-format on

KelCustomFrame::KelCustomFrame()
{
    Init();
}

KelCustomFrame::KelCustomFrame(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                               const wxSize& size, long style, const wxString& name)
{
    Init();
    Create(parent, id, title, pos, size, style, name);
}

KelCustomFrame::~KelCustomFrame() = default;

bool KelCustomFrame::Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                            const wxSize& size, long style, const wxString& name)
{
    return wxFrame::Create(parent, id, title, pos, size, style, name);
}

void KelCustomFrame::Attach()
{
    SkinWindowEngine* engine = SkinWindowEngine::Get();
    engine->Attach(this, "Main_Frame", SKIN_KIND_FRAME);
    if (wxStatusBar* status = GetStatusBar())
        engine->Attach(status, "Main_Frame", SKIN_KIND_STATUSBAR);
}

// ---------------------------------------------------------------------------
// KelWindowManager
// ---------------------------------------------------------------------------

KelWindowManager* KelWindowManager::m_instance = nullptr;

KelWindowManager* KelWindowManager::Get()
{
    static KelWindowManager manager;
    m_instance = &manager;
    return m_instance;
}

KelWindowManager::~KelWindowManager()
{
    CloseAll();
    m_instance = nullptr;
}

void KelWindowManager::Register(wxWindow* win)
{
    if (!win || win->GetParent() || IsRegistered(win))
        return;

    if (wxTopLevelWindow* top = dynamic_cast<wxTopLevelWindow*>(win))
        top->SetIcon(KelSkinResource::GetInstance()->GetIcon("ico_taskbar_online"));
    m_windows.Append(win);
    win->Bind(wxEVT_DESTROY, &KelWindowManager::OnDestroy, this);
}

void KelWindowManager::UnRegister(wxWindow* win)
{
    if (m_windows.DeleteObject(win))
        win->Unbind(wxEVT_DESTROY, &KelWindowManager::OnDestroy, this);
}

void KelWindowManager::OnDestroy(wxWindowDestroyEvent& event)
{
    // Skipped so that the other destroy handlers of the window (the skin
    // engine's, the client's) still run.
    event.Skip();
    UnRegister(event.GetWindow());
}

void KelWindowManager::CloseAll()
{
    // A close handler may destroy other registered windows at once; those
    // have left the list through their destroy event and are skipped.
    const wxList windows = m_windows;
    for (wxObject* object : windows)
    {
        wxWindow* win = static_cast<wxWindow*>(object);
        if (IsRegistered(win))
            win->Close(false);
    }
    while (!m_windows.empty())
        UnRegister(static_cast<wxWindow*>(m_windows.GetFirst()->GetData()));
}
