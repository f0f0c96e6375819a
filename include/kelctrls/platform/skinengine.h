/// \file
/// The window skin engine: draws the caption, borders and caption buttons of
/// skinned windows and the backgrounds of skinned panels.
#ifndef KELCTRLS_PLATFORM_SKINENGINE_H
#define KELCTRLS_PLATFORM_SKINENGINE_H

#include <kelctrls/base.h>

#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

#include <map>
#include <memory>
#include <vector>

/// The kinds of window the engine knows.
enum
{
    SKIN_KIND_FRAME = 2,
    SKIN_KIND_DIALOG = 3,
    SKIN_KIND_STATUSBAR = 4,
    SKIN_KIND_PANEL = 7
};

/// Identifiers of the caption buttons a renderer draws.
enum
{
    SKIN_BUTTON_MINIMIZE = 1001,
    SKIN_BUTTON_MAXIMIZE = 1002,
    SKIN_BUTTON_RESTORE = 1003,
    SKIN_BUTTON_CLOSE = 1004
};

/// The colours the engine draws with.
struct KELCTRLS_API SkinColours
{
    wxColour captionText = wxColour(0x1E, 0x2A, 0x38); ///< Caption button glyphs.
    wxColour background = wxColour(0xEA, 0xF3, 0xFB);  ///< Panel backgrounds, lightened upwards.
};

/// One caption button of a skinned window.
class KELCTRLS_API SkinButton
{
public:
    /// A shown button with identifier `id` (SKIN_BUTTON_*).
    explicit SkinButton(int id) : m_id(id) {}

    /// The identifier.
    int GetId() const { return m_id; }
    /// Shows or hides the button (at the next paint).
    void Show(bool show) { m_shown = show; }
    /// Whether the button is shown.
    bool IsShown() const { return m_shown; }

    /// The button's place in the caption of a window of `clientSize`: buttons
    /// line up from the right edge, in identifier order from the right.
    wxRect GetRect(const wxSize& clientSize) const;

private:
    int m_id;
    bool m_shown = true;
};

/// What the engine's renderers share: the caption buttons.
class KELCTRLS_API SkinRendererBase
{
public:
    /// Deletes the buttons.
    virtual ~SkinRendererBase();

    /// The caption button with that identifier, owned by the renderer; null when
    /// there is none.
    SkinButton* GetSkinButton(int id);

protected:
    /// Makes the four caption buttons (minimise, maximise, restore, close), all
    /// shown, replacing any there were.
    void CreateCaptionButtons();
    /// Draws the glyphs of the shown buttons in the caption of a window of `size`.
    void DrawCaptionButtons(wxDC& dc, const wxSize& size) const;

    /// The caption buttons.
    std::vector<std::unique_ptr<SkinButton>> m_buttons;
};

/// Paints a panel's background and caption buttons from the moment it is
/// bound to it. Meant to be embedded by value in the window that owns the
/// panel, so it lives as long as that window.
class KELCTRLS_API BitmapPanelRenderer : public SkinRendererBase
{
public:
    /// A renderer bound to nothing.
    BitmapPanelRenderer();
    /// Stops painting its panel.
    ~BitmapPanelRenderer() override;

    /// Paints `panel` (not owned; null unbinds) from now on, as the skin entry
    /// `skinName` of kind `kind` (SKIN_KIND_*), with caption buttons; a panel
    /// bound before is left alone. Destroying the panel unbinds it.
    virtual void BindPanel(wxWindow* panel, const wxString& skinName, int kind);

    /// The panel painted; null when none.
    wxWindow* GetPanel() const { return m_panel; }
    /// The skin entry name given to BindPanel.
    const wxString& GetSkinName() const { return m_skinName; }
    /// The kind given to BindPanel; 0 when unbound.
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

/// The engine singleton. It remembers every attached window with its skin
/// entry name and kind, and forgets a window when it is destroyed.
class KELCTRLS_API SkinWindowEngine
{
public:
    /// The engine, created on first use; it lives until the program ends.
    static SkinWindowEngine* Get();

    /// The colours renderers draw with; the engine's defaults until the
    /// owner of the skin passes others. Windows drawn later use the new ones.
    void SetColours(const SkinColours& colours) { m_colours = colours; }
    /// The colours renderers draw with.
    const SkinColours& GetColours() const { return m_colours; }

    /// Remembers `win` (not owned) as the skin entry `skinName` of kind `kind`
    /// (SKIN_KIND_*), replacing an earlier attachment of it; null is ignored.
    void Attach(wxWindow* win, const wxString& skinName, int kind);
    /// Forgets `win`; an unknown window is ignored.
    void Detach(wxWindow* win);

    /// Whether `win` is attached.
    bool IsAttached(wxWindow* win) const;
    /// The skin entry name of `win`; "" when not attached.
    wxString GetSkinName(wxWindow* win) const;
    /// The kind of `win`; 0 when not attached.
    int GetKind(wxWindow* win) const;
    /// The number of attached windows.
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
