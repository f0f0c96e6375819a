// The window colours, fonts and taskbar icons of the default skin.
#include "skinpainter.h"

#include <wx/dcmemory.h>

namespace
{

// A round speech bubble with a small person in it, the client's emblem.
wxImage PaintEmblem(int size, const wxColour& fill)
{
    wxBitmap bitmap = PaintBitmap(
        size, size, Palette::Mask,
        [&](wxDC& dc)
        {
            const double s = size / 32.0;
            dc.SetPen(wxPen(fill.ChangeLightness(70), 1));
            dc.SetBrush(wxBrush(fill));
            dc.DrawEllipse(wxRound(1 * s), wxRound(1 * s), wxRound(30 * s), wxRound(26 * s));
            const wxPoint tail[] = {wxPoint(wxRound(8 * s), wxRound(22 * s)),
                                    wxPoint(wxRound(6 * s), wxRound(31 * s)),
                                    wxPoint(wxRound(15 * s), wxRound(25 * s))};
            dc.DrawPolygon(3, tail);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(*wxWHITE_BRUSH);
            dc.DrawCircle(wxRound(16 * s), wxRound(10 * s), wxRound(4.5 * s));
            dc.DrawEllipticArc(wxRound(8 * s), wxRound(14 * s), wxRound(16 * s), wxRound(14 * s), 0, 180);
        },
        false);
    wxImage image = bitmap.ConvertToImage();
    image.SetMaskColour(Palette::Mask.Red(), Palette::Mask.Green(), Palette::Mask.Blue());
    return image;
}

SkinPainterRegistration
    windows("skin",
            [](SkinWriter& skin)
            {
                skin.Colour("color_win_bk", Palette::WindowBack);
                skin.Colour("color_pane_bk", Palette::PaneBack);
                skin.Colour("color_caption_text", Palette::Text);
                skin.Colour("color_text", Palette::Text);
                skin.Colour("color_text_grey", Palette::TextGrey);
                skin.Colour("color_user_name", Palette::AccentDark);
                skin.Colour("color_accent", Palette::Accent);
                skin.Colour("color_border", Palette::Border);

                skin.Font("font_normal", "DejaVu Sans,9");
                skin.Font("font_user_name", "DejaVu Sans,11,2");
                skin.Font("font_caption", "DejaVu Sans,10,2");

                skin.Icon("ico_taskbar_online", "taskbar_online.ico", PaintEmblem(32, Palette::Accent));
                skin.Icon("ico_taskbar_offline", "taskbar_offline.ico", PaintEmblem(32, Palette::Offline));
                wxImage logo = PaintEmblem(48, Palette::Accent);
                logo.SetMask(false);
                skin.Bitmap("logo_emblem", "logo_emblem.bmp", wxBitmap(logo));
            });

} // anonymous namespace
