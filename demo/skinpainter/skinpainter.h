// The painter of the default skin: each family of controls registers a
// function that paints its images and names its colours and fonts; the
// program writes the images and the skin's resource file.
#ifndef KELCTRLS_DEMO_SKINPAINTER_H
#define KELCTRLS_DEMO_SKINPAINTER_H

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dc.h>
#include <wx/image.h>
#include <wx/string.h>

#include <functional>

// The palette of the default skin.
namespace Palette
{
const wxColour WindowBack(0xEA, 0xF3, 0xFB);
const wxColour PaneBack(0xF6, 0xFA, 0xFE);
const wxColour Accent(0x2F, 0x7F, 0xD8);
const wxColour AccentDark(0x1F, 0x5F, 0xA8);
const wxColour AccentLight(0xCF, 0xE4, 0xF8);
const wxColour Border(0x9C, 0xC3, 0xE8);
const wxColour Text(0x1E, 0x2A, 0x38);
const wxColour TextGrey(0x6B, 0x7A, 0x8C);
const wxColour Online(0x3C, 0xB3, 0x4A);
const wxColour Away(0xF0, 0xA8, 0x30);
const wxColour Busy(0xD9, 0x45, 0x3B);
const wxColour Offline(0xA0, 0xA8, 0xB0);
// Bitmaps are BMP files without alpha; controls that draw them with a mask
// take this colour as transparent.
const wxColour Mask(0xFF, 0x00, 0xFF);
} // namespace Palette

// The display scale the painters draw for: 1 for the images the resource
// file names, 2 for their "@2x" variants beside them. PaintBitmap and
// PaintPanel take sizes and draw in units of the scale-1 image; painters that
// cut pixels out of a painted image multiply by the scale themselves.
int PaintScale();

class SkinWriter
{
public:
    virtual ~SkinWriter() = default;

    // Saves a BMP under images/ and lists it under `key`; at scale 2 saves it
    // as the "@2x" variant of `file` and lists nothing.
    virtual void Bitmap(const wxString& key, const wxString& file, const wxBitmap& bitmap) = 0;
    // Saves an ICO under images/ and lists it under `key`.
    virtual void Icon(const wxString& key, const wxString& file, const wxImage& image) = 0;
    virtual void Colour(const wxString& key, const wxColour& colour) = 0;
    // `description` is "face,size,weight".
    virtual void Font(const wxString& key, const wxString& description) = 0;
};

using SkinPainter = std::function<void(SkinWriter& writer)>;

// Paints of one family of controls, written to the resource file in the
// alphabetical order of the family names.
struct SkinPainterRegistration
{
    SkinPainterRegistration(const wxString& family, SkinPainter painter);
};

// Runs after the resource file is written, with the output folder: for files
// derived from the finished resource file, such as other colour sets.
using SkinOutputHook = std::function<void(const wxString& outputDir)>;

struct SkinOutputHookRegistration
{
    explicit SkinOutputHookRegistration(SkinOutputHook hook);
};

// A bitmap of `width` x `height` filled with `background`, drawn on by
// `paint` through an anti-aliasing DC (or a plain one, for images whose
// background becomes a mask and must keep hard edges).
wxBitmap PaintBitmap(int width, int height, const wxColour& background,
                     const std::function<void(wxDC& dc)>& paint, bool antialias = true);

// A vertical gradient with a one-pixel border (no border when `border` is
// not valid) and corners rounded by `radius`; outside the corners is the
// mask colour.
wxBitmap PaintPanel(int width, int height, const wxColour& top, const wxColour& bottom,
                    const wxColour& border, int radius);

#endif
