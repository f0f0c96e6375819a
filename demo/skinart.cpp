#include "skinart.h"

#include <kelctrls/skin.h>

#include <wx/imaglist.h>
#include <wx/window.h>

namespace
{

const wxColour kMask(0xFF, 0x00, 0xFF);

wxBitmap Masked(wxBitmap bitmap)
{
    if (bitmap.IsOk())
        bitmap.SetMask(new wxMask(bitmap, kMask));
    return bitmap;
}

// The skin bitmap of `key` drawn for the window's scale, with its scale
// factor set, so that it takes its scale-1 size in window units.
wxBitmap SkinBitmapFor(const wxWindow* window, const wxString& key)
{
    const wxBitmapBundle bundle = DemoSkinBundle(key);
    return bundle.IsOk() ? bundle.GetBitmapFor(window) : wxBitmap();
}

wxBitmap Blank(const wxSize& size, double scale)
{
    wxBitmap blank;
    blank.CreateWithDIPSize(size, scale);
    return blank;
}

} // anonymous namespace

wxBitmapBundle DemoSkinBundle(const wxString& key)
{
    const wxBitmapBundle skin = KelSkinResource::GetInstance()->GetBitmapBundle(key);
    if (!skin.IsOk())
        return wxBitmapBundle();
    const wxSize size = skin.GetDefaultSize();
    wxVector<wxBitmap> bitmaps;
    bitmaps.push_back(Masked(skin.GetBitmap(size)));
    bitmaps.push_back(Masked(skin.GetBitmap(size * 2)));
    return wxBitmapBundle::FromBitmaps(bitmaps);
}

wxImageList* DemoSkinImageList(const wxWindow* window, const wxSize& size,
                               std::initializer_list<const char*> keys)
{
    wxImageList* images = new wxImageList(size.x, size.y, true);
    for (const char* key : keys)
    {
        const wxBitmap bitmap = SkinBitmapFor(window, key);
        images->Add(bitmap.IsOk() ? bitmap : Blank(size, window->GetDPIScaleFactor()));
    }
    return images;
}

wxImageList* DemoSkinImageStrip(const wxWindow* window, const wxString& key, const wxSize& size, int count)
{
    const wxBitmap strip = SkinBitmapFor(window, key);
    const double scale = strip.IsOk() ? strip.GetScaleFactor() : window->GetDPIScaleFactor();
    const wxSize pixels(wxRound(size.x * scale), wxRound(size.y * scale));
    wxImageList* images = new wxImageList(size.x, size.y, true);
    for (int i = 0; i < count; ++i)
    {
        const wxRect piece(wxPoint(i * pixels.x, 0), pixels);
        if (!strip.IsOk() || piece.GetRight() >= strip.GetWidth() || piece.GetBottom() >= strip.GetHeight())
        {
            images->Add(Blank(size, scale));
            continue;
        }
        // Cut from the image: the pixels of a bitmap drawn for a scale are not
        // addressed in window units.
        wxBitmap bitmap(strip.ConvertToImage().GetSubImage(piece));
        bitmap.SetScaleFactor(scale);
        images->Add(bitmap);
    }
    return images;
}
