// Images and colours of the contact and organisation trees: presence marks,
// group folders, expander buttons and the selection colours.
#include "skinpainter.h"

namespace
{

const int kIcon = 16;
const int kButton = 11;

// A small round head and shoulders in the presence colour.
wxBitmap PaintPerson(const wxColour& colour)
{
    return PaintBitmap(
        kIcon, kIcon, Palette::Mask,
        [&](wxDC& dc)
        {
            dc.SetPen(wxPen(colour.ChangeLightness(70), 1));
            dc.SetBrush(wxBrush(colour));
            dc.DrawEllipse(2, 9, 12, 10);
            dc.DrawCircle(8, 5, 4);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(*wxWHITE_BRUSH);
            dc.DrawCircle(7, 4, 1);
        },
        false);
}

// A folder of the organisation, open or closed.
wxBitmap PaintGroup(bool open)
{
    return PaintBitmap(
        kIcon, kIcon, Palette::Mask,
        [&](wxDC& dc)
        {
            dc.SetPen(wxPen(Palette::AccentDark, 1));
            dc.SetBrush(wxBrush(Palette::AccentLight));
            dc.DrawRectangle(1, 3, 7, 3);
            dc.SetBrush(wxBrush(open ? Palette::AccentLight : Palette::Border));
            dc.DrawRectangle(1, 5, 14, 9);
            if (open)
            {
                const wxPoint flap[] = {wxPoint(3, 8), wxPoint(15, 8), wxPoint(13, 13), wxPoint(1, 13)};
                dc.SetBrush(wxBrush(Palette::Border));
                dc.DrawPolygon(4, flap);
            }
        },
        false);
}

// The four expander images side by side: collapsed, collapsed and selected,
// expanded, expanded and selected.
wxBitmap PaintButtons()
{
    return PaintBitmap(
        4 * kButton, kButton, Palette::Mask,
        [](wxDC& dc)
        {
            for (int i = 0; i < 4; ++i)
            {
                const bool expanded = i >= 2;
                const bool selected = i % 2 == 1;
                const int x = i * kButton;
                dc.SetPen(*wxTRANSPARENT_PEN);
                dc.SetBrush(wxBrush(selected ? Palette::Accent : Palette::AccentDark));
                if (expanded)
                {
                    const wxPoint down[] = {wxPoint(x + 1, 3), wxPoint(x + 9, 3), wxPoint(x + 5, 8)};
                    dc.DrawPolygon(3, down);
                }
                else
                {
                    const wxPoint right[] = {wxPoint(x + 3, 1), wxPoint(x + 8, 5), wxPoint(x + 3, 9)};
                    dc.DrawPolygon(3, right);
                }
            }
        },
        false);
}

SkinPainterRegistration
    treelist("treelist",
             [](SkinWriter& skin)
             {
                 skin.Bitmap("tree_status_online", "tree_status_online.bmp", PaintPerson(Palette::Online));
                 skin.Bitmap("tree_status_away", "tree_status_away.bmp", PaintPerson(Palette::Away));
                 skin.Bitmap("tree_status_busy", "tree_status_busy.bmp", PaintPerson(Palette::Busy));
                 skin.Bitmap("tree_status_offline", "tree_status_offline.bmp", PaintPerson(Palette::Offline));
                 skin.Bitmap("tree_group", "tree_group.bmp", PaintGroup(false));
                 skin.Bitmap("tree_group_open", "tree_group_open.bmp", PaintGroup(true));
                 skin.Bitmap("tree_buttons", "tree_buttons.bmp", PaintButtons());

                 skin.Colour("color_tree_back", *wxWHITE);
                 skin.Colour("color_tree_select", Palette::AccentLight);
                 skin.Colour("color_tree_select_border", Palette::Border);
                 skin.Colour("color_tree_select_text", Palette::Text);
                 skin.Colour("color_tree_group_text", Palette::AccentDark);
             });

} // anonymous namespace
