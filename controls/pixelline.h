#ifndef KELCTRLS_CONTROLS_PIXELLINE_H
#define KELCTRLS_CONTROLS_PIXELLINE_H

#include <wx/gdicmn.h>

class wxDC;

// The toolkit's device contexts draw through cairo, which smooths lines and points across
// pixel edges. The one-pixel frames of the skinned controls are filled as rectangles in
// the current pen's colour instead, so that they land on exactly the pixels meant.
namespace kel
{
void FillPixel(wxDC& dc, int x, int y);

// A horizontal or vertical line with both ends included.
void FillPixelLine(wxDC& dc, const wxPoint& from, const wxPoint& to);
} // namespace kel

#endif
