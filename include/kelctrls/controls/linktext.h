#ifndef KELCTRLS_CONTROLS_LINKTEXT_H
#define KELCTRLS_CONTROLS_LINKTEXT_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

// Where wxLinkText shows its image: at the left, or at the right edge as well.
#define wxBITMAP_LEFT  0x0001
#define wxBITMAP_RIGHT 0x0002

// A self-drawn text link: an optional left image (bitmap or icon), a tiled background, a
// small image at the right edge and a one-pixel border, with colours for normal, hover,
// pressed and disabled. A label wider than the link wraps character by character. Press
// and release inside sends wxEVT_BUTTON to the parent; a double click also sends
// wxEVT_COMMAND_LEFT_DCLICK.
class KELCTRLS_API wxLinkText : public wxControl
{
public:
    wxLinkText();
    // Both ways of making a link give the same control: black text, green
    // under the pointer, blue while pressed, black when disabled, no border.
    wxLinkText(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize, long style = 0,
               const wxString& name = wxASCII_STR(wxControlNameStr));

    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    void SetNormalColour(const wxColour& colour);
    void SetMouseOverColour(const wxColour& colour) { m_overColour = colour; }
    void SetMousePressedColour(const wxColour& colour) { m_pressedColour = colour; }
    void SetDisableColour(const wxColour& colour) { m_disableColour = colour; }
    wxColour GetCurrentColour() const { return m_curColour; }

    void SetLinkUnderLine(bool underline) { m_underline = underline; }
    void SetBitmapStyle(long style) { m_bitmapStyle = style; }

    void SetBitmap(const wxBitmap& bitmap);
    void SetBkBitmap(const wxBitmap& bitmap);
    void SetIcon(const wxIcon& icon) { m_icon = icon; }
    wxBitmap GetBitmap() const { return m_bitmap; }

    // A small image at rightOffset pixels from the right edge; the id is not used.
    void SetBitmapButton(int id, const wxBitmap& bitmap, int rightOffset);
    void RemoveBitmapButton(int id);

    void DrawBorder(bool draw, const wxColour& colour);

    void SetLabel(const wxString& label) override { SetLabel(label, false); }
    // With resize, the link takes the size of its label, wrapped within the parent.
    void SetLabel(const wxString& label, bool resize);

    // With flags wxSIZE_AUTO the rectangle's size goes through SetSize(width, height).
    void SetSize(const wxRect& rect, int flags = wxSIZE_AUTO);
    void SetSize(const wxSize& size) { SetSize(size.x, size.y); }
    // A height of 0 means: as tall as the wrapped label needs at this width.
    void SetSize(int width, int height);
    void SetSize(int x, int y, int width, int height, int flags = wxSIZE_AUTO)
    {
        SetSize(wxRect(x, y, width, height), flags);
    }

    void ReDraw() { Refresh(false); }

    // The label's size in the window font, one pixel between characters and double
    // width for characters above U+00FF.
    virtual wxSize GetDefaultSize();

    // The font the text is drawn in: 9 points, underlined on request.
    wxFont GetLinkFont() const;

    // Left offset of the text and of continuation lines when an image is shown.
    static const int ImageWidth = 18;

protected:
    wxBorder GetDefaultBorder() const override { return wxBORDER_NONE; }
    virtual void DrawBorder(wxDC* dc);
    virtual void Draw(wxDC* dc);
    virtual void DrawMouseOver();
    virtual void DrawMouseNormal();
    virtual void DrawMousePress();

    wxColour m_overColour;
    wxColour m_curColour;
    wxColour m_borderColour;
    wxColour m_normalColour;
    wxColour m_pressedColour;
    wxColour m_disableColour;
    wxBitmap m_bitmap;
    wxBitmap m_bkBitmap;
    int m_imageTop;
    bool m_drawBorder;
    long m_bitmapStyle;
    bool m_pressed;
    bool m_underline;
    wxIcon m_icon;
    int m_buttonRightOffset;
    wxBitmap m_buttonBitmap;

private:
    bool HasImage() const { return m_bitmap.IsOk() || m_icon.IsOk(); }
    void DrawWrappedLabel(wxDC* dc, int x);
    void SendToParent(wxEventType type);
    void SetState(const wxColour& colour);

    void OnMouseEvent(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(wxLinkText);
    wxDECLARE_EVENT_TABLE();
};

// A native text control that is always read-only and multi-line.
class KELCTRLS_API wxTextLinkCtrl : public wxTextCtrl
{
public:
    wxTextLinkCtrl() {}
    wxTextLinkCtrl(wxWindow* parent, wxWindowID id, const wxString& value = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                   const wxValidator& validator = wxDefaultValidator,
                   const wxString& name = wxASCII_STR(wxTextCtrlNameStr))
    {
        Create(parent, id, value, pos, size, style, validator, name);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxString& value = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxTextCtrlNameStr));

private:
    wxDECLARE_DYNAMIC_CLASS(wxTextLinkCtrl);
};

class KELCTRLS_API wxLinkTextXmlHandler : public wxXmlResourceHandler
{
public:
    wxLinkTextXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(wxLinkTextXmlHandler);
};

class KELCTRLS_API wxTextLinkCtrlXmlHandler : public wxXmlResourceHandler
{
public:
    wxTextLinkCtrlXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(wxTextLinkCtrlXmlHandler);
};

#endif
