/// \file
/// The skinned bitmap push button (KBitmapButton) and its XRC handler.
#ifndef KELCTRLS_CONTROLS_BITMAPBUTTON_H
#define KELCTRLS_CONTROLS_BITMAPBUTTON_H

#include <kelctrls/base.h>

#include <wx/bmpbuttn.h>
#include <wx/xrc/xmlres.h>

/// Button style: draw the label centred onto every face (shares its bit with wxBU_TOP).
#ifndef wxBU_TEXT
#define wxBU_TEXT 0x0080
#endif
/// Button style: stretch the text faces to the button's size (shares its bit with wxBU_RIGHT).
#ifndef wxBU_AUTO_SCALE
#define wxBU_AUTO_SCALE 0x0100
#endif

/// A push button whose whole face is a bitmap: normal, selected (pressed), focus, disabled
/// and hover faces. With wxBU_TEXT the label is drawn centred onto a copy of each face, so
/// that one skin image serves buttons with different captions; with wxBU_AUTO_SCALE as well
/// those text faces are stretched to the button. A click is the ordinary button event.
class KELCTRLS_API KBitmapButton : public wxBitmapButton
{
public:
    /// State bits of the native button, as ChooseFace() reads them.
    enum
    {
        DrawState_Selected = 1,
        DrawState_Focus = 2,
        DrawState_Disabled = 4
    };

    /// For two-step creation; Create must follow.
    KBitmapButton() { Init(); }
    /// Creates the button (see Create).
    KBitmapButton(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxBU_AUTODRAW, const wxValidator& validator = wxDefaultValidator,
                  const wxString& name = wxASCII_STR(wxButtonNameStr))
    {
        Init();
        Create(parent, id, bitmap, pos, size, style, validator, name);
    }

    /// Creates the button with `bitmap` as normal face. The other faces are set
    /// with the wxBitmapButton setters (SetBitmapPressed, SetBitmapFocus,
    /// SetBitmapDisabled, SetBitmapCurrent for hover); `style` may add wxBU_TEXT
    /// and wxBU_AUTO_SCALE to the button styles. Each face is a bundle (a plain
    /// bitmap converts to one): the button draws the bundle's bitmap for its
    /// display scale (KelSkinResource::GetBitmapBundle gives a skin's), and the
    /// face getters (GetBitmapLabel and its relatives) return that bitmap.
    bool Create(wxWindow* parent, wxWindowID id, const wxBitmapBundle& bitmap,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBU_AUTODRAW, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxButtonNameStr));

    /// Sets the label; with wxBU_TEXT the text faces are drawn anew.
    void SetLabel(const wxString& label) override;
    /// Sets the styles; the text faces are drawn anew.
    void SetWindowStyleFlag(long style) override;

    /// The face to show: selected, then hover, then focus, then disabled, each only when
    /// valid and its state holds; otherwise the normal face (which may itself be null).
    static const wxBitmap& ChooseFace(int drawState, bool mouseInside, const wxBitmap& normal,
                                      const wxBitmap& selected, const wxBitmap& focus,
                                      const wxBitmap& disabled, const wxBitmap& hover);

    /// The face the button shows now, from its native state and the pointer position.
    wxBitmap GetCurrentFace() const;

    /// DrawState_* bits of the native button right now.
    int GetDrawState() const;

    /// Whether the pointer is over the button now.
    bool IsMouseInWindow() const;

    /// The disabled text face colour; the other text faces are black.
    static wxColour GetDisabledTextColour() { return wxColour(161, 161, 146); }

protected:
    ///@{

    /// Overridable parts of the drawing: Init sets the fields up; GetTextBitmap
    /// draws `text` in `colour` centred onto a copy of `face` (stretched to `size`
    /// with wxBU_AUTO_SCALE); SetTextBitmap makes the five text faces; DrawButton
    /// paints the button into `dc`; IsFocused tells whether the button has the
    /// focus; OnSetBitmap runs after any face changed.
    virtual void Init();
    virtual wxBitmap GetTextBitmap(const wxBitmap& face, const wxString& text, const wxSize& size,
                                   const wxColour& colour);
    void SetTextBitmap();
    virtual void DrawButton(wxDC& dc);
    virtual bool IsFocused() const { return m_focused; }
    virtual void OnSetBitmap();
    ///@}

    /// Draws the chosen face centred over DrawButton()'s; false when there is none and
    /// the native look stays.
    bool DrawFace(wxDC& dc);

    /// The size of the normal face (or of the label with wxBU_TEXT and no face).
    wxSize DoGetBestSize() const override;

    /// Stores a face and drops the text faces made from the old one.
    void DoSetBitmap(const wxBitmapBundle& bitmap, State which) override;
    /// The face `which` at the button's display scale (null when unset).
    wxBitmap DoGetBitmap(State which) const override;

    ///@{

    /// Whether the button has the focus, and the text faces (the faces with the
    /// label drawn on, made with wxBU_TEXT).
    bool m_focused;
    wxBitmap m_textBmpDisabled;
    wxBitmap m_textBmpSelected;
    wxBitmap m_textBmpFocus;
    wxBitmap m_textBmpNormal;
    wxBitmap m_textBmpHover;
    ///@}

private:
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnMouseEvent(wxMouseEvent& event);
    void OnDPIChanged(wxDPIChangedEvent& event);
    void ClearTextBitmaps();
    void RemoveNativeLook();

    wxBitmapBundle m_faces[State_Max];

    wxDECLARE_DYNAMIC_CLASS(KBitmapButton);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "KBitmapButton": `bitmap` (normal face), `selected`,
/// `focus`, `disabled`, `hover`, `style`, `default`, `label` (with
/// wxBU_TEXT), `font`. The client adds it with wxXmlResource::AddHandler.
class KELCTRLS_API KBitmapButtonXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    KBitmapButtonXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxDECLARE_DYNAMIC_CLASS(KBitmapButtonXmlHandler);
};

#endif
