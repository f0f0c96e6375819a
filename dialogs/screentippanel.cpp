#include <kelctrls/dialogs/screendlg.h>

#include "skin/librarytext.h"

#include <wx/dcclient.h>
#include <wx/generic/statbmpg.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

ScreenTipPanel::ScreenTipPanel(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
    SetSize(wxRect(FromDIP(wxPoint(8, 8)), FromDIP(wxSize(324, 231))));
    // The fixed layout needs a small font to keep the texts inside it.
    SetFont(wxFont(wxFontInfo(8).FaceName("Tahoma")));
    CreateControls();
    LoadBackground();
}

wxStaticText* ScreenTipPanel::CreateValueLabel(const wxString& name, int id, const wxPoint& pos,
                                               const wxString& text)
{
    return new wxStaticText(this, id, text, pos, wxDefaultSize, 0, name);
}

void ScreenTipPanel::CreateControls()
{
    // Disabled so that it never takes the mouse; the generic control draws
    // the bitmap unchanged when disabled.
    m_zoomBitmap = new wxGenericStaticBitmap(this, ID_ZOOM, wxNullBitmap, FromDIP(wxPoint(182, 77)),
                                             FromDIP(wxSize(132, 132)));
    m_zoomBitmap->Disable();

    // TRANSLATORS: the words in capitals are replaced by numbers; keep them as they are.
    m_cursorTemplate = _("Cursor:(MOUSEX,MOUSEY)");
    m_sizeTemplate = _("Rect size:(WIDTH,HEIGHT)");
    m_vertexTemplate = _("Vertex:(TOPX,TOPY)");
    m_pixelTemplate = _("Pixel RGB(RED,GREEN,BLUE)");
    m_colourTemplate = "(#FFFFFF)";

    m_MousePosition =
        CreateValueLabel("m_MousePosition", ID_MOUSE_POSITION, FromDIP(wxPoint(17, 191)), m_cursorTemplate);
    m_rectSize = CreateValueLabel("m_rectSize", ID_RECT_SIZE, FromDIP(wxPoint(17, 166)), m_sizeTemplate);
    m_TopPosition =
        CreateValueLabel("m_TopPosition", ID_TOP_POSITION, FromDIP(wxPoint(17, 141)), m_vertexTemplate);
    m_ColourHtml =
        CreateValueLabel("m_ColourHtml", ID_COLOUR_HTML, FromDIP(wxPoint(63, 106)), m_colourTemplate);
    m_RgbTipCtrl = CreateValueLabel("m_RgbTipCtrl", ID_RGB, FromDIP(wxPoint(17, 87)), m_pixelTemplate);

    m_groupBox = new wxStaticBox(this, ID_GROUP, _("Capture screen"), FromDIP(wxPoint(7, 66)),
                                 FromDIP(wxSize(312, 151)));

    m_helpText = new wxStaticText(this, wxID_ANY, _("Press ESC or double click non-choose area to quit"),
                                  FromDIP(wxPoint(7, 6)), wxDefaultSize, 0, "WxStaticText1");
    new wxStaticText(this, wxID_ANY, _("Select range by draging mouse"), FromDIP(wxPoint(7, 26)),
                     wxDefaultSize, 0, "WxStaticText1");
    new wxStaticText(this, wxID_ANY, _("Double click in the area you choosed to save the image"),
                     FromDIP(wxPoint(7, 46)), wxDefaultSize, 0, "WxStaticText1");
}

void ScreenTipPanel::LoadBackground()
{
    wxLogNull noLog;
    m_background.LoadFile(KelInstallPath("DEFAULT/screenTipBk.bmp"), wxBITMAP_TYPE_BMP);
    SetBackgroundColour(wxColour(255, 255, 255));
    Bind(wxEVT_PAINT, &ScreenTipPanel::OnPaint, this);
}

void ScreenTipPanel::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    if (!m_background.IsOk())
        return;

    const wxSize size = GetClientSize();
    if (m_background.GetSize() != size && size.x > 0 && size.y > 0)
        m_background = wxBitmap(m_background.ConvertToImage().Scale(size.x, size.y, wxIMAGE_QUALITY_NORMAL));
    dc.DrawBitmap(m_background, 0, 0);
}

wxString ScreenTipPanel::FillTemplate(const wxString& text,
                                      std::initializer_list<std::pair<const char*, int>> values)
{
    wxString filled(text);
    for (const auto& value : values)
        filled.Replace(value.first, wxString::Format("%d", value.second));
    return filled;
}

void ScreenTipPanel::UpdateLabel(wxStaticText* label, const wxString& text)
{
    if (!label->GetLabel().IsSameAs(text, false))
        label->SetLabel(text);
}

void ScreenTipPanel::SetMousePosition(const wxPoint& pos)
{
    UpdateLabel(m_MousePosition, FillTemplate(m_cursorTemplate, {{"MOUSEX", pos.x}, {"MOUSEY", pos.y}}));
}

void ScreenTipPanel::SetSelectRect(const wxRect& rect)
{
    UpdateLabel(m_rectSize, FillTemplate(m_sizeTemplate, {{"WIDTH", rect.width}, {"HEIGHT", rect.height}}));
    UpdateLabel(m_TopPosition, FillTemplate(m_vertexTemplate, {{"TOPX", rect.x}, {"TOPY", rect.y}}));
}

void ScreenTipPanel::SetPixelColour(const wxColour& colour)
{
    UpdateLabel(m_RgbTipCtrl,
                FillTemplate(m_pixelTemplate,
                             {{"RED", colour.Red()}, {"GREEN", colour.Green()}, {"BLUE", colour.Blue()}}));

    wxString html(m_colourTemplate);
    html.Replace("#FFFFFF", wxString::Format("%s", colour.GetAsString(wxC2S_HTML_SYNTAX)));
    UpdateLabel(m_ColourHtml, html);
}

void ScreenTipPanel::SetZoomBitmap(const wxBitmap& bitmap)
{
    m_zoomBitmap->SetBitmap(bitmap);
}

wxSize ScreenTipPanel::GetZoomSize() const
{
    return m_zoomBitmap->GetSize();
}
