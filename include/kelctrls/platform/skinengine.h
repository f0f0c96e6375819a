// The window skin engine: draws the caption, borders and caption buttons of
// skinned windows and the backgrounds of skinned panels.
#ifndef KELCTRLS_PLATFORM_SKINENGINE_H
#define KELCTRLS_PLATFORM_SKINENGINE_H

#include <kelctrls/base.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

#include <map>
#include <memory>
#include <vector>

// The kinds of window the engine knows.
enum
{
    SKIN_KIND_FRAME = 2,
    SKIN_KIND_DIALOG = 3,
    SKIN_KIND_STATUSBAR = 4,
    SKIN_KIND_PANEL = 7
};

// Identifiers of the caption buttons a renderer draws.
enum
{
    SKIN_BUTTON_MINIMIZE = 1001,
    SKIN_BUTTON_MAXIMIZE = 1002,
    SKIN_BUTTON_RESTORE = 1003,
    SKIN_BUTTON_CLOSE = 1004
};

// The colours the engine draws with.
struct KELCTRLS_API SkinColours
{
    wxColour captionText = wxColour(0x1E, 0x2A, 0x38); // caption button glyphs
    wxColour background = wxColour(0xEA, 0xF3, 0xFB);  // panel backgrounds, lightened upwards
};

class KELCTRLS_API SkinButton
{
public:
    explicit SkinButton(int id) : m_id(id) {}

    int GetId() const { return m_id; }
    void Show(bool show) { m_shown = show; }
    bool IsShown() const { return m_shown; }

    // The button's place in the caption of a window of `clientSize`: buttons
    // line up from the right edge, in identifier order from the right.
    wxRect GetRect(const wxSize& clientSize) const;

private:
    int m_id;
    bool m_shown = true;
};

class KELCTRLS_API SkinRendererBase
{
public:
    virtual ~SkinRendererBase();

    // The caption button with that identifier, or null.
    SkinButton* GetSkinButton(int id);

protected:
    void CreateCaptionButtons();
    void DrawCaptionButtons(wxDC& dc, const wxSize& size) const;

    std::vector<std::unique_ptr<SkinButton>> m_buttons;
};

// Paints a panel's background and caption buttons from the moment it is
// bound to it. Meant to be embedded by value in the window that owns the
// panel, so it lives as long as that window.
class KELCTRLS_API BitmapPanelRenderer : public SkinRendererBase
{
public:
    BitmapPanelRenderer();
    ~BitmapPanelRenderer() override;

    virtual void BindPanel(wxWindow* panel, const wxString& skinName, int kind);

    wxWindow* GetPanel() const { return m_panel; }
    const wxString& GetSkinName() const { return m_skinName; }
    int GetKind() const { return m_kind; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnPanelDestroy(wxWindowDestroyEvent& event);

    wxWindow* m_panel = nullptr;
    wxString m_skinName;
    int m_kind = 0;

    BitmapPanelRenderer(const BitmapPanelRenderer&) = delete;
    BitmapPanelRenderer& operator=(const BitmapPanelRenderer&) = delete;
};

// The engine singleton. It remembers every attached window with its skin
// entry name and kind, and forgets a window when it is destroyed.
class KELCTRLS_API SkinWindowEngine
{
public:
    static SkinWindowEngine* Get();

    // The colours renderers draw with; the engine's defaults until the
    // owner of the skin passes others. Windows drawn later use the new ones.
    void SetColours(const SkinColours& colours) { m_colours = colours; }
    const SkinColours& GetColours() const { return m_colours; }

    void Attach(wxWindow* win, const wxString& skinName, int kind);
    void Detach(wxWindow* win);

    bool IsAttached(wxWindow* win) const;
    wxString GetSkinName(wxWindow* win) const;
    int GetKind(wxWindow* win) const; // 0 when not attached
    size_t GetAttachedCount() const { return m_windows.size(); }

private:
    struct Attachment
    {
        wxString skinName;
        int kind;
    };

    SkinWindowEngine() = default;
    void OnWindowDestroy(wxWindowDestroyEvent& event);

    std::map<wxWindow*, Attachment> m_windows;
    SkinColours m_colours;
};

#endif
