// Bitmap files drawn for more than one display scale: "name@2x.ext" beside
// "name.ext" holds the same picture at twice the size.
#ifndef KELCTRLS_SKIN_SCALEDBITMAP_H
#define KELCTRLS_SKIN_SCALEDBITMAP_H

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/string.h>

namespace kel
{

// The "@2x" variant of the bitmap file `path` ("dir/name@2x.ext" for
// "dir/name.ext"); null when there is none. Logs nothing.
wxBitmap LoadDoubleScaleVariant(const wxString& path, wxBitmapType type);

// `normal` at scale 1 and `doubled` at scale 2 (ignored unless exactly twice
// as large). Other sizes are made from the larger of the two that is not
// larger than asked for: by whole factors pixel for pixel, so that the hard
// edges of skin art stay hard; by other factors smoothly.
wxBitmapBundle MakeScaledBundle(const wxBitmap& normal, const wxBitmap& doubled);

// The bitmap file `path` with its "@2x" variant, when there is one; empty
// when `path` does not load. Logs nothing.
wxBitmapBundle LoadScaledBundle(const wxString& path, wxBitmapType type);

} // namespace kel

#endif
