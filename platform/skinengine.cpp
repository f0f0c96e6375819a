#include <kelctrls/platform/skinengine.h>

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>

namespace
{

const int CaptionButtonSize = 18;
const int CaptionButtonGap = 2;

void DrawGlyph(wxDC& dc, int id, const wxRect& r)
{
    const wxRect g = wxRect(r).Deflate(5);
    switch (id)
    {
    case SKIN_BUTTON_MINIMIZE:
        dc.DrawLine(g.GetLeft(), g.GetBottom(), g.GetRight() + 1, g.GetBottom());
        break;
    case SKIN_BUTTON_MAXIMIZE:
        dc.DrawRectangle(g);
        break;
    case SKIN_BUTTON_RESTORE:
        dc.DrawRectangle(g.x + 2, g.y, g.width - 2, g.height - 2);
        dc.DrawRectangle(g.x, g.y + 2, g.width - 2, g.height - 2);
        break;
    case SKIN_BUTTON_CLOSE:
        dc.DrawLine(g.GetTopLeft(), g.GetBottomRight() + wxPoint(1, 1));
        dc.DrawLine(g.GetLeft(), g.GetBottom(), g.GetRight() + 1, g.GetTop() - 1);
        break;
    }
}

} // anonymous namespace

// ---------------------------------------------------------------------------
// SkinButton, SkinRendererBase
// ---------------------------------------------------------------------------

wxRect SkinButton::GetRect(const wxSize& clientSize) const
{
    const int slot = SKIN_BUTTON_CLOSE - m_id;
    const int right = clientSize.x - CaptionButtonGap - slot * (CaptionButtonSize + CaptionButtonGap);
    return wxRect(right - CaptionButtonSize, CaptionButtonGap, CaptionButtonSize, CaptionButtonSize);
}

SkinRendererBase::~SkinRendererBase() = default;

SkinButton* SkinRendererBase::GetSkinButton(int id)
{
    for (auto& button : m_buttons)
        if (button->GetId() == id)
            return button.get();
    return nullptr;
}

void SkinRendererBase::CreateCaptionButtons()
{
    m_buttons.clear();
    for (int id = SKIN_BUTTON_MINIMIZE; id <= SKIN_BUTTON_CLOSE; ++id)
        m_buttons.push_back(std::make_unique<SkinButton>(id));
}

void SkinRendererBase::DrawCaptionButtons(wxDC& dc, const wxSize& size) const
{
    dc.SetPen(wxPen(SkinWindowEngine::Get()->GetColours().captionText, 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    for (const auto& button : m_buttons)
        if (button->IsShown())
            DrawGlyph(dc, button->GetId(), button->GetRect(size));
}

// ---------------------------------------------------------------------------
// BitmapPanelRenderer
// ---------------------------------------------------------------------------

BitmapPanelRenderer::BitmapPanelRenderer() = default;

BitmapPanelRenderer::~BitmapPanelRenderer()
{
    if (m_panel)
    {
        m_panel->Unbind(wxEVT_PAINT, &BitmapPanelRenderer::OnPaint, this);
        m_panel->Unbind(wxEVT_DESTROY, &BitmapPanelRenderer::OnPanelDestroy, this);
    }
}

void BitmapPanelRenderer::BindPanel(wxWindow* panel, const wxString& skinName, int kind)
{
    if (m_panel)
    {
        m_panel->Unbind(wxEVT_PAINT, &BitmapPanelRenderer::OnPaint, this);
        m_panel->Unbind(wxEVT_DESTROY, &BitmapPanelRenderer::OnPanelDestroy, this);
    }
    m_panel = panel;
    m_skinName = skinName;
    m_kind = kind;
    CreateCaptionButtons();
    if (!panel)
        return;

    panel->SetBackgroundStyle(wxBG_STYLE_PAINT);
    panel->Bind(wxEVT_PAINT, &BitmapPanelRenderer::OnPaint, this);
    panel->Bind(wxEVT_DESTROY, &BitmapPanelRenderer::OnPanelDestroy, this);
    panel->Refresh();
}

void BitmapPanelRenderer::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(m_panel);
    const wxSize size = m_panel->GetClientSize();
    const wxColour base = SkinWindowEngine::Get()->GetColours().background;
    dc.GradientFillLinear(wxRect(size), base.ChangeLightness(112), base, wxSOUTH);
    DrawCaptionButtons(dc, size);
}

void BitmapPanelRenderer::OnPanelDestroy(wxWindowDestroyEvent& event)
{
    event.Skip();
    if (event.GetWindow() == m_panel)
        m_panel = nullptr;
}

// ---------------------------------------------------------------------------
// SkinWindowEngine
// ---------------------------------------------------------------------------

SkinWindowEngine* SkinWindowEngine::Get()
{
    static SkinWindowEngine engine;
    return &engine;
}

void SkinWindowEngine::Attach(wxWindow* win, const wxString& skinName, int kind)
{
    if (!win)
        return;
    if (!IsAttached(win))
        win->Bind(wxEVT_DESTROY, &SkinWindowEngine::OnWindowDestroy, this);
    m_windows[win] = Attachment{skinName, kind};
}

void SkinWindowEngine::Detach(wxWindow* win)
{
    if (m_windows.erase(win))
        win->Unbind(wxEVT_DESTROY, &SkinWindowEngine::OnWindowDestroy, this);
}

bool SkinWindowEngine::IsAttached(wxWindow* win) const
{
    return m_windows.count(win) != 0;
}

wxString SkinWindowEngine::GetSkinName(wxWindow* win) const
{
    auto it = m_windows.find(win);
    return it != m_windows.end() ? it->second.skinName : wxString();
}

int SkinWindowEngine::GetKind(wxWindow* win) const
{
    auto it = m_windows.find(win);
    return it != m_windows.end() ? it->second.kind : 0;
}

void SkinWindowEngine::OnWindowDestroy(wxWindowDestroyEvent& event)
{
    event.Skip();
    m_windows.erase(event.GetWindow());
}
