#ifndef KELCTRLS_CONTROLS_CHECKBOX_H
#define KELCTRLS_CONTROLS_CHECKBOX_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/xrc/xmlres.h>

// A check box drawn as a 13x12 sunken box image followed by its label, on whatever the
// parent paints behind it (it paints no background). A left press toggles it and sends
// wxEVT_CHECKBOX; the receiver reads the state from the control.
class KELCTRLS_API KelCheckBox : public wxControl
{
public:
    KelCheckBox() : m_value(false), m_autoSize(false) {}
    KelCheckBox(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr))
        : m_value(false), m_autoSize(false)
    {
        Create(parent, id, label, pos, size, style, name);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    // Stores the state and sends one wxEVT_CHECKBOX, also when the state is unchanged.
    void SetValue(bool value);
    bool GetValue() const { return m_value; }
    bool IsChecked() const { return m_value; }

    // Size to box plus label at every draw.
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool GetAutoSize() const { return m_autoSize; }

    void SetLabel(const wxString& label) override;

    static wxBitmap GetBoxBitmap(bool checked);

protected:
    virtual void Draw(wxDC& dc);
    wxSize DoGetBestSize() const override;

    bool m_value;
    bool m_autoSize;
    wxBitmap m_boxBitmap;

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);
    void OnMouseEvents(wxMouseEvent& event);
    void OnFocusChange(wxFocusEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelCheckBox);
    wxDECLARE_EVENT_TABLE();
};

class KELCTRLS_API KelCheckBoxXmlHandler : public wxXmlResourceHandler
{
public:
    KelCheckBoxXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(KelCheckBoxXmlHandler);
};

#endif
