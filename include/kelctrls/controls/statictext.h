#ifndef KELCTRLS_CONTROLS_STATICTEXT_H
#define KELCTRLS_CONTROLS_STATICTEXT_H

#include <kelctrls/base.h>

#include <wx/control.h>
#include <wx/xrc/xmlres.h>

// A one-line label in a chosen colour that paints no background of its own, so the skin
// behind it shows through. The text always starts at the left edge.
class KELCTRLS_API KelStaticText : public wxControl
{
public:
    KelStaticText() : m_autoSize(false) {}
    KelStaticText(wxWindow* parent, wxWindowID id, const wxString& label,
                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                  const wxString& name = wxASCII_STR(wxControlNameStr))
        : m_autoSize(false)
    {
        Create(parent, id, label, pos, size, style, name);
    }

    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = 0,
                const wxString& name = wxASCII_STR(wxControlNameStr));

    void SetLabel(const wxString& label) override;

    // Text colour; an unset colour leaves the device context's default.
    void SetFontColour(const wxColour& colour);
    wxColour GetFontColour() const { return m_fontColour; }

    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    bool GetAutoSize() const { return m_autoSize; }

protected:
    wxBorder GetDefaultBorder() const override { return wxBORDER_NONE; }
    virtual void Draw(wxDC& dc);
    wxSize DoGetBestSize() const override;

    wxColour m_fontColour;
    bool m_autoSize;

private:
    void OnSize(wxSizeEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEraseBackground(wxEraseEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KelStaticText);
    wxDECLARE_EVENT_TABLE();
};

class KELCTRLS_API KelStaticTextXmlHandler : public wxXmlResourceHandler
{
public:
    KelStaticTextXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(KelStaticTextXmlHandler);
};

#endif
