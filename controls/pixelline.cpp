#include "controls/pixelline.h"

#include <wx/dc.h>

namespace kel
{
void FillPixelLine(wxDC& dc, const wxPoint& from, const wxPoint& to)
{
    const wxBrush brush(dc.GetPen().GetColour());
    wxDCPenChanger noPen(dc, *wxTRANSPARENT_PEN);
    wxDCBrushChanger fill(dc, brush);
    dc.DrawRectangle(wxRect(from, to));
}

void FillPixel(wxDC& dc, int x, int y)
{
    FillPixelLine(dc, wxPoint(x, y), wxPoint(x, y));
}
} // namespace kel
