// A device context for laying out rich text: it measures through the same
// drawing surface as the context it is made from, and remembers the
// character metrics of every font it measured.
#ifndef KELCTRLS_PLATFORM_RICHTEXTLAYOUTDC_H
#define KELCTRLS_PLATFORM_RICHTEXTLAYOUTDC_H

#include <wx/dc.h>

#include <memory>

class wxGraphicsContext;

// The paragraph layout asks for the height (and often the width) of a
// character after every run of text it measures, and the graphics context
// answers each time by shaping a sample string. Within one layout pass the
// answer for a font cannot change, so it is asked once per font.
class wxFlagLayoutDC : public wxDC
{
public:
    // A context measuring as `dc` does; null when `dc` draws through no
    // graphics context that can be shared.
    static std::unique_ptr<wxFlagLayoutDC> MeasuringAs(wxDC& dc);

private:
    wxFlagLayoutDC(wxDC& dc, wxGraphicsContext* context);
};

#endif // KELCTRLS_PLATFORM_RICHTEXTLAYOUTDC_H
