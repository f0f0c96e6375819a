#ifndef KELCTRLS_CONTROLS_BITMAPBUTTON_H
#define KELCTRLS_CONTROLS_BITMAPBUTTON_H

#include <kelctrls/base.h>

#include <wx/bmpbuttn.h>
#include <wx/xrc/xmlres.h>

// Draw the label centred onto every face (shares its bit with wxBU_TOP).
#ifndef wxBU_TEXT
#define wxBU_TEXT 0x0080
#endif
// Stretch the text faces to the button's size (shares its bit with wxBU_RIGHT).
#ifndef wxBU_AUTO_SCALE
#define wxBU_AUTO_SCALE 0x0100
#endif

// A push button whose whole face is a bitmap: normal, selected (pressed), focus, disabled
// and hover faces. With wxBU_TEXT the label is drawn centred onto a copy of each face, so
// that one skin image serves buttons with different captions; with wxBU_AUTO_SCALE as well
// those text faces are stretched to the button. A click is the ordinary button event.
class KELCTRLS_API KBitmapButton : public wxBitmapButton
{
public:
    // State bits of the native button, as ChooseFace() reads them.
    enum
    {
        DrawState_Selected = 1,
        DrawState_Focus = 2,
        DrawState_Disabled = 4
    };

    KBitmapButton() { Init(); }
    KBitmapButton(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                  long style = wxBU_AUTODRAW, const wxValidator& validator = wxDefaultValidator,
                  const wxString& name = wxASCII_STR(wxButtonNameStr))
    {
        Init();
        Create(parent, id, bitmap, pos, size, style, validator, name);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxBitmap& bitmap,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxBU_AUTODRAW, const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxButtonNameStr));

    void SetLabel(const wxString& label) override;
    void SetWindowStyleFlag(long style) override;

    // The face to show: selected, then hover, then focus, then disabled, each only when
    // valid and its state holds; otherwise the normal face (which may itself be null).
    static const wxBitmap& ChooseFace(int drawState, bool mouseInside, const wxBitmap& normal,
                                      const wxBitmap& selected, const wxBitmap& focus,
                                      const wxBitmap& disabled, const wxBitmap& hover);

    // The face the button shows now, from its native state and the pointer position.
    wxBitmap GetCurrentFace() const;

    // DrawState_* bits of the native button right now.
    int GetDrawState() const;

    bool IsMouseInWindow() const;

    // The disabled text face colour; the other text faces are black.
    static wxColour GetDisabledTextColour() { return wxColour(161, 161, 146); }

protected:
    virtual void Init();
    virtual wxBitmap GetTextBitmap(const wxBitmap& face, const wxString& text, const wxSize& size,
                                   const wxColour& colour);
    void SetTextBitmap();
    virtual void DrawButton(wxDC& dc);
    virtual bool IsFocused() const { return m_focused; }
    virtual void OnSetBitmap();

    // Draws the chosen face centred over DrawButton()'s; false when there is none and
    // the native look stays.
    bool DrawFace(wxDC& dc);

    wxSize DoGetBestSize() const override;

    void DoSetBitmap(const wxBitmapBundle& bitmap, State which) override;

    bool m_focused;
    wxBitmap m_textBmpDisabled;
    wxBitmap m_textBmpSelected;
    wxBitmap m_textBmpFocus;
    wxBitmap m_textBmpNormal;
    wxBitmap m_textBmpHover;

private:
    void OnSize(wxSizeEvent& event);
    void OnSetFocus(wxFocusEvent& event);
    void OnMouseEvent(wxMouseEvent& event);
    void ClearTextBitmaps();
    void RemoveNativeLook();

    wxDECLARE_DYNAMIC_CLASS(KBitmapButton);
    wxDECLARE_EVENT_TABLE();
};

class KELCTRLS_API KBitmapButtonXmlHandler : public wxXmlResourceHandler
{
public:
    KBitmapButtonXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(KBitmapButtonXmlHandler);
};

#endif
