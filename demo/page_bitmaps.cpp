// "Bitmaps": what the bitmap utility makes of one picture: scaled, grey, as
// an icon, with text aligned nine ways, framed and with a badge on it.
#include "demoregistry.h"
#include "demotext.h"

#include <kelctrls/controls.h>
#include <kelctrls/skin.h>

#include <wx/dcgraph.h>
#include <wx/dcmemory.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace
{

// A small landscape: sky, sun and two hills.
wxBitmap PaintPicture()
{
    wxBitmap bitmap(120, 80, 24);
    wxMemoryDC memory(bitmap);
    memory.GradientFillLinear(wxRect(0, 0, 120, 80), wxColour(0x8C, 0xC8, 0xF5), wxColour(0xEA, 0xF6, 0xFF),
                              wxSOUTH);
    wxGCDC dc(memory);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(0xF6, 0xC3, 0x3C)));
    dc.DrawCircle(90, 22, 12);
    dc.SetBrush(wxBrush(wxColour(0x5D, 0xA8, 0x4E)));
    dc.DrawEllipse(-30, 50, 110, 70);
    dc.SetBrush(wxBrush(wxColour(0x3E, 0x8A, 0x3A)));
    dc.DrawEllipse(40, 56, 120, 60);
    return bitmap;
}

// A round online mark on a white square.
wxBitmap PaintBadge()
{
    wxBitmap bitmap(18, 18, 24);
    wxMemoryDC memory(bitmap);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    wxGCDC dc(memory);
    dc.SetPen(wxPen(wxColour(0x2A, 0x80, 0x36)));
    dc.SetBrush(wxBrush(wxColour(0x3C, 0xB3, 0x4A)));
    dc.DrawCircle(9, 9, 6);
    return bitmap;
}

class BitmapsPage : public KelPanelBase
{
public:
    explicit BitmapsPage(wxWindow* parent) : KelPanelBase(parent)
    {
        KelSkinResource* skin = KelSkinResource::GetInstance();
        KelBitmapCtrl picture(PaintPicture());
        picture.SetFont(9, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_BOLD);
        picture.SetFontColour(wxColour(0x1F, 0x3F, 0x78));

        wxFlexGridSizer* results = new wxFlexGridSizer(4, 18, 24);
        Add(results, picture.GetBitmap(), "The picture");
        Add(results, picture.GetBitmap(60, 40), "Scaled to 60 x 40");
        Add(results, picture.GetGreyBitmap(), _("Grey"));
        wxIcon icon = picture.GetIcon();
        Add(results, wxBitmap(icon), _("As an icon"));
        Add(results, picture.GetBorderBitmap(4, skin->GetColour("color_accent")), "Framed");

        Add(results, picture.GetWrapBitmap(98, 4, PaintBadge()), _("With a presence badge"));
        Add(results, picture.GetTextBitmap(6, 6, "Hello!"), _("Text at (6, 6)"));
        KelBitmapCtrl scaled(picture);
        scaled.SetSize(180, 60);
        Add(results, scaled.GetBitmap(), "Stretched to 180 x 60");

        wxGridSizer* aligned = new wxGridSizer(3, 6, 6);
        const unsigned long horizontal[] = {KEL_BITMAPTEXT_LEFT, KEL_BITMAPTEXT_CENTRE_HORIZONTAL,
                                            KEL_BITMAPTEXT_RIGHT};
        const unsigned long vertical[] = {KEL_BITMAPTEXT_TOP, KEL_BITMAPTEXT_CENTRE_VERTICAL,
                                          KEL_BITMAPTEXT_BOTTOM};
        for (unsigned long v : vertical)
            for (unsigned long h : horizontal)
                aligned->Add(new wxStaticBitmap(this, wxID_ANY, picture.GetTextBitmap("Kel", h | v)));

        wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
        column->Add(results, 0, wxALL, 16);
        wxStaticText* title = new wxStaticText(this, wxID_ANY, _("Text aligned nine ways"));
        title->SetForegroundColour(skin->GetColour("color_text_grey"));
        column->Add(title, 0, wxLEFT, 16);
        column->Add(aligned, 0, wxALL, 16);
        SetSizer(column);
    }

private:
    void Add(wxSizer* sizer, const wxBitmap& bitmap, const wxString& caption)
    {
        wxBoxSizer* cell = new wxBoxSizer(wxVERTICAL);
        cell->Add(new wxStaticBitmap(this, wxID_ANY, bitmap), 0, wxALIGN_CENTRE_HORIZONTAL);
        wxStaticText* text = new wxStaticText(this, wxID_ANY, caption);
        text->SetForegroundColour(KelSkinResource::GetInstance()->GetColour("color_text_grey"));
        cell->Add(text, 0, wxALIGN_CENTRE_HORIZONTAL | wxTOP, 4);
        sizer->Add(cell, 0, wxALIGN_BOTTOM);
    }
};

DemoPageRegistration page(60, wxTRANSLATE("Bitmaps"),
                          [](wxWindow* parent) -> wxWindow* { return new BitmapsPage(parent); });

} // anonymous namespace
