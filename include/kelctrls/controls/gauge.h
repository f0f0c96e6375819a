/// \file
/// The progress gauge with a caption (KELGauge) and its XRC handler.
#ifndef KELCTRLS_CONTROLS_GAUGE_H
#define KELCTRLS_CONTROLS_GAUGE_H

#include <kelctrls/base.h>

#include <wx/gauge.h>
#include <wx/xrc/xmlres.h>

/// The native progress gauge with a text (a percentage, a file name) painted centred over
/// it in the normal stock font.
class KELCTRLS_API KELGauge : public wxGauge
{
public:
    /// For two-step creation; Create must follow.
    KELGauge() : m_styledHeight(0) {}
    /// Creates the gauge (see Create) with `content` as its text.
    KELGauge(wxWindow* parent, wxWindowID id, int range, const wxString& content,
             const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
             long style = wxGA_HORIZONTAL, const wxValidator& validator = wxDefaultValidator,
             const wxString& name = wxASCII_STR(wxGaugeNameStr))
        : m_styledHeight(0)
    {
        Create(parent, id, range, pos, size, style, validator, name);
        m_content = content;
    }

    /// Creates the gauge counting from 0 to `range` (SetValue takes 0 to `range`).
    bool Create(wxWindow* parent, wxWindowID id, int range, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxGA_HORIZONTAL,
                const wxValidator& validator = wxDefaultValidator,
                const wxString& name = wxASCII_STR(wxGaugeNameStr));

    /// Sets the text drawn over the gauge ("" for none) and redraws.
    void SetContent(const wxString& content);
    /// The text drawn over the gauge.
    wxString GetContent() const { return m_content; }

    /// Where the content text starts in a client area of the given size: centred, and
    /// shifted right by the overflow when the text is the wider one.
    static wxPoint GetContentOrigin(const wxSize& client, const wxSize& text);

protected:
    /// Draws the text into `dc`.
    void DrawContent(wxDC& dc);

    /// The text drawn over the gauge.
    wxString m_content;

private:
    void FillHeight();

    int m_styledHeight;

    void OnSize(wxSizeEvent& event);
    void OnDClick(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);

    wxDECLARE_DYNAMIC_CLASS(KELGauge);
    wxDECLARE_EVENT_TABLE();
};

/// XRC handler of class "KELGauge": `range` (default 100; negative values
/// count as 0), `value` (clamped to the range), `style`, `font`. The client
/// adds it with wxXmlResource::AddHandler.
class KELCTRLS_API KELGaugeXmlHandler : public wxXmlResourceHandler
{
public:
    ///@{

    /// The wxXmlResourceHandler interface.
    KELGaugeXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;
    ///@}

private:
    wxDECLARE_DYNAMIC_CLASS(KELGaugeXmlHandler);
};

#endif
