#include <kelctrls/controls/bitmapctrl.h>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace
{

// Type of the first registered image handler that knows the extension.
long BitmapTypeForExtension(const wxString& ext)
{
    for (wxList::compatibility_iterator node = wxImage::GetHandlers().GetFirst(); node;
         node = node->GetNext())
    {
        const wxImageHandler* handler = static_cast<wxImageHandler*>(node->GetData());
        if (handler->GetExtension().IsSameAs(ext, false))
            return handler->GetType();
        for (const wxString& alt : handler->GetAltExtensions())
        {
            if (alt.IsSameAs(ext, false))
                return handler->GetType();
        }
    }
    return wxBITMAP_TYPE_ANY;
}

wxBitmap Scaled(const wxBitmap& bitmap, int width, int height)
{
    if (!bitmap.IsOk() || width <= 0 || height <= 0)
        return bitmap;
    return wxBitmap(bitmap.ConvertToImage().Scale(width, height, wxIMAGE_QUALITY_NORMAL));
}

} // namespace

KelBitmapCtrl::KelBitmapCtrl() : m_width(0), m_height(0), m_type(wxBITMAP_TYPE_ANY) {}

KelBitmapCtrl::KelBitmapCtrl(const wxString& file, long type) : KelBitmapCtrl()
{
    if (file.empty())
        return;
    LoadBitmap(file, type);
    TakeRememberedSize();
}

KelBitmapCtrl::KelBitmapCtrl(const wxBitmap& bitmap) : KelBitmapCtrl()
{
    LoadBitmap(bitmap);
}

KelBitmapCtrl::KelBitmapCtrl(const KelBitmapCtrl& other) : wxObject()
{
    LoadBitmap(other);
}

KelBitmapCtrl& KelBitmapCtrl::operator=(const KelBitmapCtrl& other)
{
    LoadBitmap(other);
    return *this;
}

KelBitmapCtrl::~KelBitmapCtrl() {}

void KelBitmapCtrl::LoadBitmap(const KelBitmapCtrl& other)
{
    m_font = other.m_font;
    m_textColour = other.m_textColour;
    m_bitmap = other.m_bitmap;
    m_width = other.m_width;
    m_height = other.m_height;
    m_type = other.m_type;
}

void KelBitmapCtrl::LoadBitmap(const wxBitmap& bitmap)
{
    m_bitmap = bitmap;
    TakeRememberedSize();
}

bool KelBitmapCtrl::LoadBitmap(const wxString& file, long type)
{
    wxLogNull noLog;

    wxBitmapType bitmapType = static_cast<wxBitmapType>(type);
    if (bitmapType == wxBITMAP_TYPE_ANY)
        bitmapType = static_cast<wxBitmapType>(BitmapTypeForExtension(wxFileName(file).GetExt()));

    if (m_bitmap.LoadFile(file, bitmapType))
    {
        m_type = bitmapType;
        return true;
    }

    m_type = wxBITMAP_TYPE_ANY;
    wxImage image;
    if (!image.LoadFile(file, bitmapType))
        return false;
    m_bitmap = wxBitmap(image);
    return m_bitmap.IsOk();
}

void KelBitmapCtrl::TakeRememberedSize()
{
    m_width = m_bitmap.IsOk() ? m_bitmap.GetWidth() : 0;
    m_height = m_bitmap.IsOk() ? m_bitmap.GetHeight() : 0;
}

void KelBitmapCtrl::SetSize(int width, int height)
{
    if (width == 0 && height == 0)
    {
        width = m_width;
        height = m_height;
    }
    m_bitmap = Scaled(m_bitmap, width, height);
}

void KelBitmapCtrl::SetSize(const wxSize& size)
{
    m_bitmap = Scaled(m_bitmap, size.x, size.y);
}

wxBitmap KelBitmapCtrl::GetBitmap(int width, int height) const
{
    return Scaled(m_bitmap, width, height);
}

wxBitmap KelBitmapCtrl::GetBitmap(const wxSize& size) const
{
    return Scaled(m_bitmap, size.x, size.y);
}

wxBitmap KelBitmapCtrl::GetGreyBitmap() const
{
    if (!m_bitmap.IsOk())
        return wxBitmap();
    return wxBitmap(m_bitmap.ConvertToImage().ConvertToGreyscale(0.299, 0.587, 0.114));
}

wxIcon KelBitmapCtrl::GetIcon() const
{
    wxIcon icon;
    if (m_bitmap.IsOk())
        icon.CopyFromBitmap(m_bitmap);
    return icon;
}

void KelBitmapCtrl::SetFont(int pointSize, wxFontFamily family, int style, wxFontWeight weight,
                            bool underline, const wxString& face, wxFontEncoding encoding)
{
    m_font = wxFont(wxFontInfo(pointSize)
                        .Family(family)
                        .Style(static_cast<wxFontStyle>(style))
                        .Weight(weight)
                        .Underlined(underline)
                        .FaceName(face)
                        .Encoding(encoding));
}

void KelBitmapCtrl::SetFont(const wxFont& font)
{
    m_font = font;
}

void KelBitmapCtrl::SetFontColour(const wxColour& colour)
{
    m_textColour = colour;
}

wxFont KelBitmapCtrl::GetFont()
{
    if (!m_font.IsOk())
        m_font = wxFont(wxFontInfo(8).Family(wxFONTFAMILY_DEFAULT));
    return m_font;
}

int KelBitmapCtrl::GetStrDrawLen(const wxString& text)
{
    wxMemoryDC dc;
    dc.SetFont(GetFont());
    return dc.GetTextExtent(text).x;
}

wxBitmap KelBitmapCtrl::CopyOfPicture() const
{
    if (!m_bitmap.IsOk())
        return wxBitmap();
    return m_bitmap.GetSubBitmap(wxRect(0, 0, m_bitmap.GetWidth(), m_bitmap.GetHeight()));
}

wxBitmap KelBitmapCtrl::GetTextBitmap(int x, int y, const wxString& text)
{
    wxBitmap copy = CopyOfPicture();
    if (!copy.IsOk())
        return copy;

    wxMemoryDC dc(copy);
    dc.SetFont(GetFont());
    if (m_textColour.IsOk())
        dc.SetTextForeground(m_textColour);
    dc.DrawText(text, x, y);
    dc.SelectObject(wxNullBitmap);
    return copy;
}

wxBitmap KelBitmapCtrl::GetTextBitmap(const wxString& text, const unsigned long& align)
{
    wxMemoryDC dc;
    dc.SetFont(GetFont());
    const wxSize extent = dc.GetTextExtent(text);
    const int width = m_bitmap.IsOk() ? m_bitmap.GetWidth() : 0;
    const int height = m_bitmap.IsOk() ? m_bitmap.GetHeight() : 0;

    int x = 0;
    if (align & KEL_BITMAPTEXT_LEFT)
        x = 0;
    else if (align & KEL_BITMAPTEXT_RIGHT)
        x = width - extent.x;
    else if (align & KEL_BITMAPTEXT_CENTRE_HORIZONTAL)
        x = (width - extent.x) / 2;

    int y = 0;
    if (align & KEL_BITMAPTEXT_TOP)
        y = 0;
    else if (align & KEL_BITMAPTEXT_BOTTOM)
        y = height - extent.y;
    else if (align & KEL_BITMAPTEXT_CENTRE_VERTICAL)
        y = (height - extent.y) / 2;

    return GetTextBitmap(x, y, text);
}

wxBitmap KelBitmapCtrl::GetWrapBitmap(int x, int y, const wxString& file, long depth)
{
    wxImage image(file, wxBITMAP_TYPE_ANY);
    if (!image.IsOk())
        return CopyOfPicture();
    return GetWrapBitmap(x, y, wxBitmap(image, static_cast<int>(depth)));
}

wxBitmap KelBitmapCtrl::GetWrapBitmap(int x, int y, const wxBitmap& top)
{
    wxBitmap copy = CopyOfPicture();
    if (!copy.IsOk() || !top.IsOk())
        return copy;

    wxMemoryDC dc(copy);
    dc.DrawBitmap(top, x, y, false);
    dc.SelectObject(wxNullBitmap);
    return copy;
}

wxBitmap KelBitmapCtrl::GetBorderBitmap(int width, const wxColour& colour)
{
    wxBitmap copy = CopyOfPicture();
    if (!copy.IsOk())
        return copy;

    const int w = copy.GetWidth();
    const int h = copy.GetHeight();
    wxMemoryDC dc(copy);
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(wxPen(colour, width));
    // The lines lie one past the last column and row, so on the right and at
    // the bottom only the inner half of a wide pen shows.
    dc.DrawLine(0, 0, 0, h);
    dc.DrawLine(0, h, w, h);
    dc.DrawLine(w, h, w, 0);
    dc.DrawLine(w, 0, 0, 0);
    dc.SelectObject(wxNullBitmap);
    return copy;
}

// ----------------------------------------------------------------------------
// KelImageCtrl
// ----------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(KelImageCtrl, wxControl)
    EVT_PAINT(KelImageCtrl::OnPaint)
wxEND_EVENT_TABLE()
// clang-format on

KelImageCtrl::KelImageCtrl(wxWindow* parent, int id, const wxString& file, const wxPoint& pos,
                           const wxSize& size)
    : m_mode(ModeColour)
{
    wxControl::Create(parent, id, pos, size, wxBORDER_SIMPLE);
    LoadFile(file);
    m_mode = ModeColour;
}

void KelImageCtrl::LoadFile(const wxString& WXUNUSED(file))
{
    SetBackgroundColour(*wxBLUE);

    const wxString name = "default.jpg";
    wxString path = name;
    if (wxFileExists("./" + name))
        path = "./" + name;
    else if (wxFileExists("../" + name))
        path = "../" + name;

    m_image = wxImage();
    m_image.LoadFile(path, wxBITMAP_TYPE_ANY);
    m_bitmap = m_image.IsOk() ? wxBitmap(m_image) : wxBitmap();
}

void KelImageCtrl::DrawGrey()
{
    if (!m_greyBitmap.IsOk() && m_image.IsOk())
        m_greyBitmap = wxBitmap(m_image.ConvertToGreyscale(0.299, 0.587, 0.114));
    m_mode = ModeGrey;
    Refresh();
}

void KelImageCtrl::DrawImage()
{
    m_mode = ModeColour;
    Refresh();
}

void KelImageCtrl::OnPaint(wxPaintEvent& WXUNUSED(event))
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    if (!m_bitmap.IsOk())
        return;

    if (m_mode == ModeColour)
    {
        const wxSize area = GetPictureArea();
        wxDCClipper clip(dc, 0, 0, area.x, area.y);
        dc.DrawBitmap(m_bitmap, 0, 0, false);
    }
    else if (m_mode == ModeGrey && m_greyBitmap.IsOk())
    {
        dc.DrawBitmap(m_greyBitmap, 0, 0, false);
    }
}
