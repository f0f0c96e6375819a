// Faces of the skinned buttons and the small images of the links: the buttons carry no
// caption (the button draws its label onto the face), the link images sit on the mask.
#include "skinpainter.h"

namespace
{

const int kFaceWidth = 84;
const int kFaceHeight = 26;
const int kRadius = 5;
const int kIcon = 16;

// A rounded face on the window colour (faces are drawn without mask), with a gradient,
// a border and a one-pixel highlight under the top edge.
wxBitmap PaintFace(const wxColour& top, const wxColour& bottom, const wxColour& border,
                   bool focusRing = false)
{
    return PaintBitmap(kFaceWidth, kFaceHeight, Palette::WindowBack,
                       [&](wxDC& dc)
                       {
                           const wxRect all(0, 0, kFaceWidth, kFaceHeight);
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(bottom));
                           dc.DrawRoundedRectangle(all, kRadius);
                           dc.GradientFillLinear(wxRect(2, 1, kFaceWidth - 4, kFaceHeight / 2), top,
                                                 top.ChangeLightness(97), wxSOUTH);
                           dc.GradientFillLinear(
                               wxRect(2, kFaceHeight / 2, kFaceWidth - 4, kFaceHeight / 2 - 1),
                               bottom.ChangeLightness(103), bottom, wxSOUTH);
                           dc.SetBrush(*wxTRANSPARENT_BRUSH);
                           dc.SetPen(wxPen(border));
                           dc.DrawRoundedRectangle(all, kRadius);
                           dc.SetPen(wxPen(top.ChangeLightness(115)));
                           dc.DrawLine(kRadius, 1, kFaceWidth - kRadius, 1);
                           if (focusRing)
                           {
                               dc.SetPen(wxPen(Palette::Accent.ChangeLightness(140), 1, wxPENSTYLE_DOT));
                               dc.DrawRoundedRectangle(wxRect(all).Deflate(3), kRadius - 2);
                           }
                       });
}

wxBitmap PaintIcon(const std::function<void(wxDC& dc)>& paint)
{
    return PaintBitmap(kIcon, kIcon, Palette::Mask, paint, false);
}

// A page with a folded corner and three lines of text.
wxBitmap PaintFileIcon()
{
    return PaintIcon(
        [](wxDC& dc)
        {
            const wxPoint page[] = {wxPoint(3, 1), wxPoint(10, 1), wxPoint(13, 4), wxPoint(13, 14),
                                    wxPoint(3, 14)};
            dc.SetPen(wxPen(Palette::AccentDark));
            dc.SetBrush(*wxWHITE_BRUSH);
            dc.DrawPolygon(5, page);
            dc.DrawLine(10, 1, 10, 4);
            dc.DrawLine(10, 4, 13, 4);
            dc.SetPen(wxPen(Palette::Accent));
            for (int y = 6; y <= 11; y += 2)
                dc.DrawLine(5, y, 11, y);
        });
}

// A clock face: the conversation history.
wxBitmap PaintHistoryIcon()
{
    return PaintIcon(
        [](wxDC& dc)
        {
            dc.SetPen(wxPen(Palette::AccentDark));
            dc.SetBrush(wxBrush(Palette::AccentLight));
            dc.DrawCircle(8, 8, 6);
            dc.DrawLine(8, 8, 8, 4);
            dc.DrawLine(8, 8, 11, 9);
        });
}

// Two speech bubbles: a group conversation.
wxBitmap PaintGroupIcon()
{
    return PaintIcon(
        [](wxDC& dc)
        {
            dc.SetPen(wxPen(Palette::AccentDark));
            dc.SetBrush(wxBrush(Palette::AccentLight));
            dc.DrawRoundedRectangle(1, 2, 10, 7, 2);
            dc.SetBrush(wxBrush(Palette::Accent));
            dc.DrawRoundedRectangle(5, 6, 10, 7, 2);
            const wxPoint tail[] = {wxPoint(11, 12), wxPoint(13, 15), wxPoint(13, 12)};
            dc.DrawPolygon(3, tail);
        });
}

// A megaphone: announcements of the administrator.
wxBitmap PaintNoticeIcon()
{
    return PaintIcon(
        [](wxDC& dc)
        {
            const wxPoint horn[] = {wxPoint(2, 6),   wxPoint(6, 6),  wxPoint(13, 2),
                                    wxPoint(13, 14), wxPoint(6, 10), wxPoint(2, 10)};
            dc.SetPen(wxPen(Palette::Away.ChangeLightness(70)));
            dc.SetBrush(wxBrush(Palette::Away));
            dc.DrawPolygon(6, horn);
            dc.DrawLine(5, 10, 6, 14);
        });
}

// The small arrow at the right edge of a link that opens a menu.
wxBitmap PaintArrow()
{
    return PaintBitmap(
        8, 8, Palette::Mask,
        [](wxDC& dc)
        {
            const wxPoint down[] = {wxPoint(0, 2), wxPoint(7, 2), wxPoint(3, 6)};
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(Palette::TextGrey));
            dc.DrawPolygon(3, down);
        },
        false);
}

SkinPainterRegistration
    controls("controls",
             [](SkinWriter& skin)
             {
                 const wxColour faceTop = wxColour(0xFB, 0xFD, 0xFF);
                 const wxColour faceBottom = Palette::AccentLight;
                 skin.Bitmap("btn_face_normal", "btn_face_normal.bmp",
                             PaintFace(faceTop, faceBottom, Palette::Border));
                 skin.Bitmap("btn_face_hover", "btn_face_hover.bmp",
                             PaintFace(*wxWHITE, faceBottom.ChangeLightness(108), Palette::Accent));
                 skin.Bitmap("btn_face_pressed", "btn_face_pressed.bmp",
                             PaintFace(faceBottom.ChangeLightness(90), Palette::Border, Palette::AccentDark));
                 skin.Bitmap("btn_face_focus", "btn_face_focus.bmp",
                             PaintFace(faceTop, faceBottom, Palette::Accent, true));
                 skin.Bitmap("btn_face_disabled", "btn_face_disabled.bmp",
                             PaintFace(wxColour(0xF4, 0xF6, 0xF8), wxColour(0xE2, 0xE6, 0xEA),
                                       wxColour(0xC4, 0xCA, 0xD0)));

                 skin.Bitmap("link_icon_file", "link_icon_file.bmp", PaintFileIcon());
                 skin.Bitmap("link_icon_history", "link_icon_history.bmp", PaintHistoryIcon());
                 skin.Bitmap("link_icon_group", "link_icon_group.bmp", PaintGroupIcon());
                 skin.Bitmap("link_icon_notice", "link_icon_notice.bmp", PaintNoticeIcon());
                 skin.Bitmap("link_arrow_down", "link_arrow_down.bmp", PaintArrow());

                 skin.Colour("color_link", Palette::AccentDark);
                 skin.Colour("color_link_hover", Palette::Accent);
                 skin.Colour("color_link_pressed", Palette::Text);
                 skin.Colour("color_link_disabled", Palette::Offline);
                 skin.Colour("color_ok", Palette::Online);
             });

} // anonymous namespace
