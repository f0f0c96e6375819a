/// \file
/// The transparent one-line label (KelStaticText) and its XRC handler.
#ifndef KELCTRLS_CONTROLS_STATICTEXT_H
#define KELCTRLS_CONTROLS_STATICTEXT_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/xrc/xmlres.h>

/// A one-line label in a chosen colour that paints no background of its own, so the skin
/// behind it shows through. The text always starts at the left edge.
class KELCTRLS_API KelStaticText : public wxControl
{
public:
    /// For two-step creation; Create must follow.
    KelStaticText() : m_autoSize(false) {}
    /// Creates the label (see Create).
    KelStaticText(wxWindow* parent, wxWindowID id, const wxString& label,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                  const wxString& name = wxASCII_STR(wxControlNameStr))
        : m_autoSize(false)
    {
        Create(parent, id, label, pos, size, style, name);
    }

    /// Creates the label showing `label`.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    /// Sets the text and redraws (and resizes, with auto-size).
    void SetLabel(const wxString& label) override;

    /// Text colour; an unset colour leaves the device context's default.
    void SetFontColour(const wxColour& colour);
    /// The text colour; invalid when none was set.
    wxColour GetFontColour() const { return m_fontColour; }

    /// With true, the control takes the size of its text at every draw.
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    /// Whether the control sizes itself to its text.
    bool GetAutoSize() const { return m_autoSize; }

protected:
    /// No border.
    wxBorder GetDefaultBorder() const override { return wxBORDER_NONE; }
    /// Draws the text into `dc`; overridable for other looks.
    virtual void Draw(wxDC& dc);
    /// The extent of the text.
    wxSize DoGetBestSize() const override;

    ///@{

    /// The text colour and the auto-size flag.
    wxColour m_fontColour;
    bool m_autoSize;
    ///@}

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelStaticText);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "KelStaticText": `label`, `color`, `tooltip`, `font`,
/// `style`. The client adds it with wxXmlResource::AddHandler.
class KELCTRLS_API KelStaticTextXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    KelStaticTextXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxDECLARE_DYNAMIC_CLASS(KelStaticTextXmlHandler);
};

#endif
