#ifndef KELCTRLS_CONTROLS_XRCPARAMS_H
#define KELCTRLS_CONTROLS_XRCPARAMS_H

class wxXmlNode;

namespace kel
{
// Removes a "size" from a "font" parameter when it is not a positive number, so that the
// font keeps its default size: the toolkit's font reading (also in SetupWindow) stops the
// program on an assertion for such a size.
void DropInvalidFontSize(wxXmlNode* font);
} // namespace kel

#endif
