// Images and colours of the chat window: tab faces for chat and other tabs,
// their close buttons, the tab row's scroll buttons, the splitter arrows, and
// the icons of the shortcut bar.
#include "skinpainter.h"

#include <wx/dcmemory.h>

namespace
{

const wxColour kTabRow(0xCF, 0xE4, 0xF8);
const wxColour kUnread(0xF2, 0x9A, 0x38);
const int kTabWidth = 40;
const int kTabHeight = 30;
const int kTabCorner = 5;

// A whole tab with rounded top corners, standing on the tab row's colour.
wxImage PaintTabFace(const wxColour& top, const wxColour& bottom, const wxColour& border)
{
    wxBitmap bitmap = PaintBitmap(kTabWidth, kTabHeight, kTabRow,
                                  [&](wxDC& dc)
                                  {
                                      const wxRect body(0, 0, kTabWidth, kTabHeight + kTabCorner * 2);
                                      dc.SetPen(wxPen(border));
                                      dc.SetBrush(wxBrush(bottom));
                                      dc.DrawRoundedRectangle(body, kTabCorner);
                                      dc.GradientFillLinear(wxRect(2, 2, kTabWidth - 4, kTabHeight / 2), top,
                                                            bottom, wxSOUTH);
                                  });
    return bitmap.ConvertToImage();
}

void TabFaces(SkinWriter& skin, const wxString& prefix, const wxString& state, const wxImage& face)
{
    const int piece = kTabCorner + 1;
    auto cut = [&face](int x, int width)
    {
        const int s = PaintScale();
        return wxBitmap(face.GetSubImage(wxRect(x * s, 0, width * s, kTabHeight * s)));
    };
    skin.Bitmap(prefix + state + "_left", prefix + state + "_left.bmp", cut(0, piece));
    skin.Bitmap(prefix + state + "_mid", prefix + state + "_mid.bmp", cut(kTabWidth / 2, 2));
    skin.Bitmap(prefix + state + "_right", prefix + state + "_right.bmp", cut(kTabWidth - piece, piece));
}

void TabFaceSet(SkinWriter& skin, const wxString& prefix, const wxColour& border)
{
    TabFaces(skin, prefix, "normal",
             PaintTabFace(wxColour(0xF4, 0xF9, 0xFE), wxColour(0xDD, 0xEB, 0xF8), border));
    TabFaces(skin, prefix, "hover", PaintTabFace(*wxWHITE, Palette::WindowBack, Palette::Accent));
    TabFaces(skin, prefix, "unread",
             PaintTabFace(kUnread.ChangeLightness(130), kUnread, kUnread.ChangeLightness(75)));
}

// A small cross on a rounded chip.
wxBitmap PaintCloseButton(const wxColour& chip, const wxColour& cross)
{
    return PaintBitmap(13, 13, kTabRow,
                       [&](wxDC& dc)
                       {
                           dc.SetPen(wxPen(chip.ChangeLightness(85)));
                           dc.SetBrush(wxBrush(chip));
                           dc.DrawRoundedRectangle(0, 0, 13, 13, 3);
                           dc.SetPen(wxPen(cross, 2));
                           dc.DrawLine(4, 4, 9, 9);
                           dc.DrawLine(9, 4, 4, 9);
                       });
}

enum Arrow
{
    ArrowLeft,
    ArrowRight,
    ArrowDown
};

wxPoint* ArrowPoints(Arrow arrow, const wxRect& r, wxPoint (&points)[3])
{
    const int cx = r.x + r.width / 2, cy = r.y + r.height / 2;
    switch (arrow)
    {
    case ArrowLeft:
        points[0] = wxPoint(cx + 2, cy - 4);
        points[1] = wxPoint(cx - 2, cy);
        points[2] = wxPoint(cx + 2, cy + 4);
        break;
    case ArrowRight:
        points[0] = wxPoint(cx - 2, cy - 4);
        points[1] = wxPoint(cx + 2, cy);
        points[2] = wxPoint(cx - 2, cy + 4);
        break;
    case ArrowDown:
        points[0] = wxPoint(cx - 4, cy - 2);
        points[1] = wxPoint(cx, cy + 2);
        points[2] = wxPoint(cx + 4, cy - 2);
        break;
    }
    return points;
}

// A button of the tab row: an arrow on a rounded face.
wxBitmap PaintRowButton(Arrow arrow, const wxColour& face, const wxColour& ink)
{
    return PaintBitmap(18, 20, kTabRow,
                       [&](wxDC& dc)
                       {
                           if (face != kTabRow)
                           {
                               dc.SetPen(wxPen(face.ChangeLightness(80)));
                               dc.SetBrush(wxBrush(face));
                               dc.DrawRoundedRectangle(1, 1, 16, 18, 3);
                           }
                           wxPoint points[3];
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(ink));
                           dc.DrawPolygon(3, ArrowPoints(arrow, wxRect(0, 0, 18, 20), points));
                       });
}

void RowButtons(SkinWriter& skin, const wxString& name, Arrow arrow)
{
    const wxString key = "talkfrm_tab_" + name + "_button_";
    skin.Bitmap(key + "normal", key + "normal.bmp", PaintRowButton(arrow, kTabRow, Palette::AccentDark));
    skin.Bitmap(key + "hover", key + "hover.bmp", PaintRowButton(arrow, *wxWHITE, Palette::Accent));
    skin.Bitmap(key + "pressed", key + "pressed.bmp",
                PaintRowButton(arrow, Palette::Border, Palette::AccentDark));
    if (arrow != ArrowDown)
        skin.Bitmap(key + "flash", key + "flash.bmp", PaintRowButton(arrow, kUnread, *wxWHITE));
}

// The splitter's narrow arrow strip.
wxBitmap PaintSplitterArrow(Arrow arrow, bool hover)
{
    return PaintBitmap(9, 56, Palette::WindowBack,
                       [&](wxDC& dc)
                       {
                           dc.SetPen(wxPen(hover ? Palette::Accent : Palette::Border));
                           dc.SetBrush(wxBrush(hover ? Palette::AccentLight : Palette::PaneBack));
                           dc.DrawRoundedRectangle(0, 0, 9, 56, 3);
                           wxPoint points[3];
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(hover ? Palette::AccentDark : Palette::TextGrey));
                           dc.DrawPolygon(3, ArrowPoints(arrow, wxRect(0, 0, 9, 56), points));
                       });
}

// Icons of the shortcut bar, drawn on the side pane's colour.
wxBitmap PaintShortcut(const std::function<void(wxDC& dc)>& paint)
{
    return PaintBitmap(16, 16, Palette::WindowBack, paint);
}

void ShortcutIcons(SkinWriter& skin)
{
    skin.Bitmap("shortcut_mail", "shortcut_mail.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::AccentDark));
                        dc.SetBrush(*wxWHITE_BRUSH);
                        dc.DrawRectangle(1, 3, 14, 10);
                        dc.DrawLine(1, 3, 8, 9);
                        dc.DrawLine(8, 9, 15, 3);
                    }));
    skin.Bitmap("shortcut_calendar", "shortcut_calendar.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::AccentDark));
                        dc.SetBrush(*wxWHITE_BRUSH);
                        dc.DrawRectangle(1, 2, 14, 13);
                        dc.SetBrush(wxBrush(Palette::Busy));
                        dc.DrawRectangle(1, 2, 14, 4);
                        dc.SetPen(wxPen(Palette::TextGrey));
                        for (int y = 8; y < 14; y += 3)
                            for (int x = 3; x < 14; x += 3)
                                dc.DrawPoint(x, y);
                    }));
    skin.Bitmap("shortcut_files", "shortcut_files.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::Away.ChangeLightness(70)));
                        dc.SetBrush(wxBrush(Palette::Away));
                        dc.DrawRoundedRectangle(1, 3, 14, 11, 2);
                        dc.SetBrush(wxBrush(Palette::Away.ChangeLightness(125)));
                        dc.DrawRectangle(1, 6, 14, 8);
                    }));
    skin.Bitmap("shortcut_meeting", "shortcut_meeting.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::Online.ChangeLightness(70)));
                        dc.SetBrush(wxBrush(Palette::Online));
                        dc.DrawCircle(5, 5, 3);
                        dc.DrawEllipse(1, 9, 9, 7);
                        dc.SetBrush(wxBrush(Palette::Accent));
                        dc.SetPen(wxPen(Palette::AccentDark));
                        dc.DrawCircle(11, 5, 3);
                        dc.DrawEllipse(7, 9, 9, 7);
                    }));
    skin.Bitmap("shortcut_sms", "shortcut_sms.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::Text));
                        dc.SetBrush(wxBrush(Palette::AccentLight));
                        dc.DrawRoundedRectangle(4, 1, 8, 14, 2);
                        dc.SetBrush(wxBrush(Palette::Accent));
                        dc.DrawRectangle(5, 3, 6, 7);
                    }));
    skin.Bitmap("shortcut_web", "shortcut_web.bmp",
                PaintShortcut(
                    [](wxDC& dc)
                    {
                        dc.SetPen(wxPen(Palette::AccentDark));
                        dc.SetBrush(wxBrush(Palette::AccentLight));
                        dc.DrawCircle(8, 8, 7);
                        dc.SetBrush(*wxTRANSPARENT_BRUSH);
                        dc.DrawEllipse(5, 1, 6, 14);
                        dc.DrawLine(1, 8, 15, 8);
                    }));
}

SkinPainterRegistration chat(
    "chat",
    [](SkinWriter& skin)
    {
        TabFaceSet(skin, "talkfrm_tab_", Palette::Border);
        TabFaceSet(skin, "talkfrm_othertab_", Palette::Border.ChangeLightness(110));
        skin.Bitmap("talkfrm_tab_bk", "talkfrm_tab_bk.bmp", PaintBitmap(8, 48, kTabRow, [](wxDC&) {}));
        skin.Colour("talkfrm_tab_border", Palette::Border);
        skin.Colour("talkfrm_tab_fontcolor_normal", Palette::Text);
        skin.Colour("talkfrm_tab_fontcolor_hover", Palette::AccentDark);
        skin.Colour("talkfrm_tab_fontcolor_unread", *wxWHITE);

        skin.Bitmap("talkfrm_tab_close_button_normal", "talkfrm_tab_close_normal.bmp",
                    PaintCloseButton(wxColour(0xE6, 0xEE, 0xF6), Palette::TextGrey));
        skin.Bitmap("talkfrm_tab_close_button_hover", "talkfrm_tab_close_hover.bmp",
                    PaintCloseButton(Palette::Busy, *wxWHITE));
        skin.Bitmap("talkfrm_tab_close_button_pressed", "talkfrm_tab_close_pressed.bmp",
                    PaintCloseButton(Palette::Busy.ChangeLightness(75), *wxWHITE));

        RowButtons(skin, "left", ArrowLeft);
        RowButtons(skin, "right", ArrowRight);
        RowButtons(skin, "wlist", ArrowDown);

        skin.Bitmap("splitebtn_leftnormal", "splitebtn_leftnormal.bmp", PaintSplitterArrow(ArrowLeft, false));
        skin.Bitmap("splitebtn_lefthover", "splitebtn_lefthover.bmp", PaintSplitterArrow(ArrowLeft, true));
        skin.Bitmap("splitebtn_rightnormal", "splitebtn_rightnormal.bmp",
                    PaintSplitterArrow(ArrowRight, false));
        skin.Bitmap("splitebtn_righthover", "splitebtn_righthover.bmp", PaintSplitterArrow(ArrowRight, true));

        ShortcutIcons(skin);
    });

} // anonymous namespace
