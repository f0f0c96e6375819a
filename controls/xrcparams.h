#ifndef KELCTRLS_CONTROLS_XRCPARAMS_H
#define KELCTRLS_CONTROLS_XRCPARAMS_H

#include <wx/bmpbndl.h>

class wxXmlNode;

namespace kel
{
// Removes a "size" from a "font" parameter when it is not a positive number, so that the
// font keeps its default size: the toolkit's font reading (also in SetupWindow) stops the
// program on an assertion for such a size.
void DropInvalidFontSize(wxXmlNode* font);

// `bundle` with its images for scales 1 and 2 made now: a bundle of an art
// provider (an XRC stock_id) asks the provider again whenever it is drawn,
// and the client may have removed the provider once its layout was read.
wxBitmapBundle ResolvedBundle(const wxBitmapBundle& bundle);
} // namespace kel

#endif
