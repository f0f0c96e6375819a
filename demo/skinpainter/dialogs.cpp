// Images of the dialogs: the confirm button of the password dialog and the
// default head image.
#include "skinpainter.h"

namespace
{

wxBitmap PaintConfirmButton()
{
    return PaintBitmap(72, 26, Palette::WindowBack,
                       [](wxDC& dc)
                       {
                           dc.SetPen(wxPen(Palette::AccentDark));
                           dc.SetBrush(wxBrush(Palette::Accent));
                           dc.DrawRoundedRectangle(0, 0, 72, 26, 4);
                           dc.GradientFillLinear(wxRect(2, 2, 68, 11), Palette::Accent.ChangeLightness(125),
                                                 Palette::Accent, wxSOUTH);
                           dc.SetFont(wxFont(wxFontInfo(10).FaceName("DejaVu Sans").Bold()));
                           dc.SetTextForeground(*wxWHITE);
                           const wxString label = "OK";
                           const wxSize extent = dc.GetTextExtent(label);
                           dc.DrawText(label, (72 - extent.x) / 2, (26 - extent.y) / 2);
                       });
}

// A head and shoulders on a light blue ground: what a contact shows until
// the user picks a picture.
wxBitmap PaintDefaultHead()
{
    return PaintBitmap(96, 96, Palette::AccentLight,
                       [](wxDC& dc)
                       {
                           dc.GradientFillLinear(wxRect(0, 0, 96, 96), Palette::AccentLight,
                                                 Palette::PaneBack, wxSOUTH);
                           const wxColour body = Palette::Accent.ChangeLightness(115);
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(body));
                           dc.DrawEllipse(14, 62, 68, 60);
                           dc.SetBrush(wxBrush(wxColour(0xF3, 0xD9, 0xC4)));
                           dc.DrawCircle(48, 40, 19);
                           dc.SetBrush(wxBrush(wxColour(0x4A, 0x3A, 0x2E)));
                           dc.DrawEllipticArc(28, 19, 40, 26, 0, 180);
                           dc.SetPen(wxPen(Palette::Border));
                           dc.SetBrush(*wxTRANSPARENT_BRUSH);
                           dc.DrawRectangle(0, 0, 96, 96);
                       });
}

SkinPainterRegistration dialogs("dialogs",
                                [](SkinWriter& skin)
                                {
                                    skin.Bitmap("searchframe_ok_bitmap", "searchframe_ok.bmp",
                                                PaintConfirmButton());
                                    skin.Bitmap("defboyimage", "defboyimage.bmp", PaintDefaultHead());
                                });

} // anonymous namespace
