// KelBitmapCtrl: a picture with a font and a text colour that hands out derived
// pictures (scaled, greyscale, with text, with an overlay, framed).
// KelImageCtrl: a plain control showing "default.jpg" in colour or in grey.
#ifndef KELCTRLS_CONTROLS_BITMAPCTRL_H
#define KELCTRLS_CONTROLS_BITMAPCTRL_H

#include <kelctrls/base.h>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/control.h>
#include <wx/font.h>
#include <wx/icon.h>
#include <wx/image.h>

// Alignment bits of KelBitmapCtrl::GetTextBitmap(text, align). Within each
// direction the lower bit wins when several are set.
enum
{
    KEL_BITMAPTEXT_LEFT = 0x01,
    KEL_BITMAPTEXT_RIGHT = 0x02,
    KEL_BITMAPTEXT_CENTRE_HORIZONTAL = 0x04,
    KEL_BITMAPTEXT_TOP = 0x08,
    KEL_BITMAPTEXT_BOTTOM = 0x10,
    KEL_BITMAPTEXT_CENTRE_VERTICAL = 0x20
};

class KELCTRLS_API KelBitmapCtrl : public wxObject
{
public:
    KelBitmapCtrl();
    // An empty file name gives an empty picture, as the default constructor does.
    KelBitmapCtrl(const wxString& file, long type);
    explicit KelBitmapCtrl(const wxBitmap& bitmap);
    KelBitmapCtrl(const KelBitmapCtrl& other);
    KelBitmapCtrl& operator=(const KelBitmapCtrl& other);
    virtual ~KelBitmapCtrl();

    void LoadBitmap(const KelBitmapCtrl& other);
    void LoadBitmap(const wxBitmap& bitmap);
    // Loads the picture from a file. With wxBITMAP_TYPE_ANY the type is taken
    // from the first image handler that knows the file's extension (letter case
    // ignored). Returns whether a picture was loaded. The remembered size is kept.
    bool LoadBitmap(const wxString& file, long type);

    // Scales the held picture. SetSize(0, 0) goes back to the remembered size.
    void SetSize(int width, int height);
    void SetSize(const wxSize& size);

    wxBitmap GetBitmap() const { return m_bitmap; }
    wxBitmap GetBitmap(int width, int height) const;
    wxBitmap GetBitmap(const wxSize& size) const;
    wxBitmap GetGreyBitmap() const;
    wxIcon GetIcon() const;
    bool IsOk() const { return m_bitmap.IsOk(); }
    long GetBitmapType() const { return m_type; }
    // The size remembered when the picture was taken in (0 x 0 when empty).
    wxSize GetRememberedSize() const { return wxSize(m_width, m_height); }

    // The derived pictures below are drawn on private copies: the held
    // picture never changes through them.
    virtual wxBitmap GetTextBitmap(int x, int y, const wxString& text);
    virtual wxBitmap GetTextBitmap(const wxString& text, const unsigned long& align);

    virtual void SetFont(int pointSize, wxFontFamily family, int style, wxFontWeight weight,
                         bool underline = false, const wxString& face = wxEmptyString,
                         wxFontEncoding encoding = wxFONTENCODING_DEFAULT);
    virtual void SetFont(const wxFont& font);
    virtual void SetFontColour(const wxColour& colour);

    // Draws the picture of `file` (type detected from its contents) over a
    // copy of the held one; `depth` is the colour depth of the conversion
    // (-1 for the display's).
    virtual wxBitmap GetWrapBitmap(int x, int y, const wxString& file, long depth);
    virtual wxBitmap GetWrapBitmap(int x, int y, const wxBitmap& top);
    // Frames a copy of the picture with lines of the given width and colour.
    virtual wxBitmap GetBorderBitmap(int width, const wxColour& colour);

protected:
    // The text font; created as 8 points, default family, on first use.
    virtual wxFont GetFont();
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

class KELCTRLS_API KelImageCtrl : public wxControl
{
public:
    KelImageCtrl(wxWindow* parent, int id, const wxString& file, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    // Shows the client's "default.jpg", looked up in "./", then "../", then as
    // a bare relative name. The argument is kept for callers of the old
    // signature and is not consulted.
    void LoadFile(const wxString& file);
    void DrawGrey();
    void DrawImage();

    bool IsGrey() const { return m_mode == ModeGrey; }
    // The size of the area covered by the coloured picture.
    static wxSize GetPictureArea() { return wxSize(80, 100); }

protected:
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
