#include "controls/xrcparams.h"

#include <wx/xml/xml.h>

namespace kel
{
void DropInvalidFontSize(wxXmlNode* font)
{
    if (!font)
        return;
    wxXmlNode* child = font->GetChildren();
    while (child)
    {
        wxXmlNode* next = child->GetNext();
        long size;
        if (child->GetName() == wxS("size") &&
            (!child->GetNodeContent().Trim().Trim(false).ToLong(&size) || size <= 0))
        {
            font->RemoveChild(child);
            delete child;
        }
        child = next;
    }
}
} // namespace kel
