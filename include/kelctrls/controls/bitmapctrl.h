/// \file
/// KelBitmapCtrl: a picture with a font and a text colour that hands out derived
/// pictures (scaled, greyscale, with text, with an overlay, framed).
/// KelImageCtrl: a plain control showing "default.jpg" in colour or in grey.
#ifndef KELCTRLS_CONTROLS_BITMAPCTRL_H
#define KELCTRLS_CONTROLS_BITMAPCTRL_H

#include <kelctrls/base.h>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/control.h>
#include <wx/font.h>
#include <wx/icon.h>
#include <wx/image.h>

/// Alignment bits of KelBitmapCtrl::GetTextBitmap(text, align). Within each
/// direction the lower bit wins when several are set.
enum
{
    KEL_BITMAPTEXT_LEFT = 0x01,
    KEL_BITMAPTEXT_RIGHT = 0x02,
    KEL_BITMAPTEXT_CENTRE_HORIZONTAL = 0x04,
    KEL_BITMAPTEXT_TOP = 0x08,
    KEL_BITMAPTEXT_BOTTOM = 0x10,
    KEL_BITMAPTEXT_CENTRE_VERTICAL = 0x20
};

/// A picture with a font and a text colour that hands out derived pictures.
/// A plain value (not a window): copies share nothing visible.
class KELCTRLS_API KelBitmapCtrl : public wxObject
{
public:
    /// An empty picture.
    KelBitmapCtrl();
    /// An empty file name gives an empty picture, as the default constructor does.
    KelBitmapCtrl(const wxString& file, long type);
    /// Holds a copy of `bitmap` and remembers its size.
    explicit KelBitmapCtrl(const wxBitmap& bitmap);
    /// Copies picture, font, colour and remembered size.
    KelBitmapCtrl(const KelBitmapCtrl& other);
    /// Copies picture, font, colour and remembered size.
    KelBitmapCtrl& operator=(const KelBitmapCtrl& other);
    /// Frees the picture.
    virtual ~KelBitmapCtrl();

    /// Takes the picture and remembered size of `other`.
    void LoadBitmap(const KelBitmapCtrl& other);
    /// Takes `bitmap` and remembers its size.
    void LoadBitmap(const wxBitmap& bitmap);
    /// Loads the picture from a file. With wxBITMAP_TYPE_ANY the type is taken
    /// from the first image handler that knows the file's extension (letter case
    /// ignored). Returns whether a picture was loaded. The remembered size is kept.
    bool LoadBitmap(const wxString& file, long type);

    /// Scales the held picture to `width` x `height` pixels. SetSize(0, 0) goes
    /// back to the remembered size.
    void SetSize(int width, int height);
    /// Same as SetSize(size.x, size.y).
    void SetSize(const wxSize& size);

    /// The held picture.
    wxBitmap GetBitmap() const { return m_bitmap; }
    /// A copy scaled to `width` x `height` pixels.
    wxBitmap GetBitmap(int width, int height) const;
    /// A copy scaled to `size`.
    wxBitmap GetBitmap(const wxSize& size) const;
    /// A greyscale copy.
    wxBitmap GetGreyBitmap() const;
    /// The picture as an icon.
    wxIcon GetIcon() const;
    /// Whether a picture is held.
    bool IsOk() const { return m_bitmap.IsOk(); }
    /// The wxBitmapType the picture was loaded as.
    long GetBitmapType() const { return m_type; }
    /// The size remembered when the picture was taken in (0 x 0 when empty).
    wxSize GetRememberedSize() const { return wxSize(m_width, m_height); }

    /// The derived pictures are drawn on private copies: the held picture never
    /// changes through them. This one writes `text` at (`x`, `y`) in the font and
    /// text colour.
    virtual wxBitmap GetTextBitmap(int x, int y, const wxString& text);
    /// Writes `text` placed by `align` (KEL_BITMAPTEXT_* bits).
    virtual wxBitmap GetTextBitmap(const wxString& text, const unsigned long& align);

    /// The text font, built from its parts.
    virtual void SetFont(int pointSize, wxFontFamily family, int style, wxFontWeight weight,
                         bool underline = false, const wxString& face = wxEmptyString,
                         wxFontEncoding encoding = wxFONTENCODING_DEFAULT);
    /// The text font.
    virtual void SetFont(const wxFont& font);
    /// The text colour.
    virtual void SetFontColour(const wxColour& colour);

    /// Draws the picture of `file` (type detected from its contents) over a
    /// copy of the held one; `depth` is the colour depth of the conversion
    /// (-1 for the display's).
    virtual wxBitmap GetWrapBitmap(int x, int y, const wxString& file, long depth);
    /// Draws `top` at (`x`, `y`) over a copy of the held picture.
    virtual wxBitmap GetWrapBitmap(int x, int y, const wxBitmap& top);
    /// Frames a copy of the picture with lines of the given width and colour.
    virtual wxBitmap GetBorderBitmap(int width, const wxColour& colour);

protected:
    /// The text font; created as 8 points, default family, on first use.
    virtual wxFont GetFont();
    /// The width of `text` in pixels in the text font.
    int GetStrDrawLen(const wxString& text);

private:
    wxBitmap CopyOfPicture() const;
    void TakeRememberedSize();

    wxFont m_font;
    wxColour m_textColour;
    wxBitmap m_bitmap;
    int m_width;
    int m_height;
    long m_type;
};

/// A plain control showing the client's "default.jpg" in colour or in grey.
class KELCTRLS_API KelImageCtrl : public wxControl
{
public:
    /// Creates the control and loads the picture (see LoadFile).
    KelImageCtrl(wxWindow* parent, int id, const wxString& file, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    /// Shows the client's "default.jpg", looked up in "./", then "../", then as
    /// a bare relative name. The argument is kept for callers of the old
    /// signature and is not consulted.
    void LoadFile(const wxString& file);
    /// Shows the picture in grey and redraws.
    void DrawGrey();
    /// Shows the picture in colour and redraws.
    void DrawImage();

    /// Whether the grey picture is shown.
    bool IsGrey() const { return m_mode == ModeGrey; }
    /// The size of the area covered by the coloured picture.
    static wxSize GetPictureArea() { return wxSize(80, 100); }

protected:
    /// Paints the picture.
    void OnPaint(wxPaintEvent& event);

private:
    enum Mode
    {
        ModeColour = 0,
        ModeGrey = 1
    };

    wxBitmap m_bitmap;
    wxBitmap m_greyBitmap;
    int m_mode;
    wxImage m_image;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_NO_COPY_CLASS(KelImageCtrl);
};

#endif
