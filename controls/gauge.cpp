#include <kelctrls/controls/gauge.h>

#include "controls/nativedraw.h"
#include "controls/xrcparams.h"

#include <wx/dc.h>

wxIMPLEMENT_DYNAMIC_CLASS(KELGauge, wxGauge);

// clang-format off
wxBEGIN_EVENT_TABLE(KELGauge, wxGauge)
    EVT_SIZE(KELGauge::OnSize)
    EVT_LEFT_DCLICK(KELGauge::OnDClick)
    EVT_MOUSE_CAPTURE_LOST(KELGauge::OnCaptureLost)
wxEND_EVENT_TABLE()
// clang-format on

bool KELGauge::Create(wxWindow* parent, wxWindowID id, int range, const wxPoint& pos, const wxSize& size,
                      long style, const wxValidator& validator, const wxString& name)
{
    if (!wxGauge::Create(parent, id, range, pos, size, style, validator, name))
        return false;
    kel::ConnectNativePainter(this, kel::NativeDrawOrder::AfterNative,
                              [this](wxDC& dc)
                              {
                                  DrawContent(dc);
                                  return true;
                              });
    FillHeight();
    return true;
}

void KELGauge::SetContent(const wxString& content)
{
    m_content = content;
    Refresh(true);
}

wxPoint KELGauge::GetContentOrigin(const wxSize& client, const wxSize& text)
{
    return wxPoint(std::abs(client.x - text.x) / 2, std::abs(client.y - text.y) / 2);
}

void KELGauge::DrawContent(wxDC& dc)
{
    dc.SetFont(*wxNORMAL_FONT);
    const wxSize text = dc.GetTextExtent(m_content);
    dc.DrawText(m_content, GetContentOrigin(GetClientSize(), text));
}

void KELGauge::OnSize(wxSizeEvent&)
{
    FillHeight();
}

// The theme's bar is a thin line in the middle; a gauge that carries a text fills its height.
void KELGauge::FillHeight()
{
    const int height = GetClientSize().y;
    if (height <= 0 || height == m_styledHeight)
        return;
    m_styledHeight = height;
    const wxString css =
        wxString::Format("progressbar trough, progressbar progress { min-height: %dpx; }", height);
    kel::ApplyNativeCss(this, css.utf8_str());
}

void KELGauge::OnDClick(wxMouseEvent& event)
{
    event.Skip();
}

void KELGauge::OnCaptureLost(wxMouseCaptureLostEvent&) {}

// ----------------------------------------------------------------------------
// KELGaugeXmlHandler
// ----------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(KELGaugeXmlHandler, wxXmlResourceHandler);

KELGaugeXmlHandler::KELGaugeXmlHandler()
{
    XRC_ADD_STYLE(wxGA_HORIZONTAL);
    XRC_ADD_STYLE(wxGA_VERTICAL);
    AddStyle(wxS("wxGA_PROGRESSBAR"), 0);
    XRC_ADD_STYLE(wxGA_SMOOTH);
    AddWindowStyles();
}

bool KELGaugeXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, wxS("KELGauge"));
}

wxObject* KELGaugeXmlHandler::DoCreateResource()
{
    XRC_MAKE_INSTANCE(gauge, KELGauge)

    // The native gauge takes no negative range and no value outside it.
    const int range = wxMax(0, static_cast<int>(GetLong(wxS("range"), 100)));
    gauge->Create(m_parentAsWindow, GetID(), range, GetPosition(), GetSize(), GetStyle(wxS("style"), 0),
                  wxDefaultValidator, GetName());
    if (HasParam(wxS("value")))
        gauge->SetValue(wxMin(range, wxMax(0, static_cast<int>(GetLong(wxS("value"))))));
    // "shadow" and "bezel" are accepted for old layouts; this toolkit's gauge has neither.
    kel::DropInvalidFontSize(GetParamNode(wxS("font")));
    SetupWindow(gauge);
    return gauge;
}
