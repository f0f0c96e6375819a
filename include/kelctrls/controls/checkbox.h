/// \file
/// The skinned check box (KelCheckBox) and its XRC handler.
#ifndef KELCTRLS_CONTROLS_CHECKBOX_H
#define KELCTRLS_CONTROLS_CHECKBOX_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/xrc/xmlres.h>

/// A check box drawn as a 13x12 sunken box image followed by its label, on whatever the
/// parent paints behind it (it paints no background). A left press toggles it and sends
/// wxEVT_CHECKBOX; the receiver reads the state from the control.
class KELCTRLS_API KelCheckBox : public wxControl
{
public:
    /// For two-step creation; Create must follow.
    KelCheckBox() : m_value(false), m_autoSize(false) {}
    /// Creates the check box (see Create).
    KelCheckBox(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr))
        : m_value(false), m_autoSize(false)
    {
        Create(parent, id, label, pos, size, style, name);
    }

    /// Creates an unchecked check box showing `label`.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    /// Stores the state and sends one wxEVT_CHECKBOX, also when the state is unchanged.
    void SetValue(bool value);
    /// Whether the box is checked.
    bool GetValue() const { return m_value; }
    /// Whether the box is checked.
    bool IsChecked() const { return m_value; }

    /// With true, the control takes the size of box plus label at every draw.
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    /// Whether the control sizes itself to box plus label.
    bool GetAutoSize() const { return m_autoSize; }

    /// Sets the label and redraws.
    void SetLabel(const wxString& label) override;

    /// The 13 x 12 pixel box image, checked or not.
    static wxBitmap GetBoxBitmap(bool checked);

protected:
    /// Draws box and label into `dc`; overridable for other looks.
    virtual void Draw(wxDC& dc);
    /// Box, a 3-pixel gap and the label.
    wxSize DoGetBestSize() const override;

    ///@{

    /// The state, the auto-size flag and the box image in use.
    bool m_value;
    bool m_autoSize;
    wxBitmap m_boxBitmap;
    ///@}

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnMouseEvents(wxMouseEvent& event);
    void OnFocusChange(wxFocusEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelCheckBox);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "KelCheckBox": `label`, `checked`, `tooltip`, `font`,
/// `style`. The client adds it with wxXmlResource::AddHandler.
class KELCTRLS_API KelCheckBoxXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    KelCheckBoxXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxDECLARE_DYNAMIC_CLASS(KelCheckBoxXmlHandler);
};

#endif
