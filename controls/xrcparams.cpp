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

wxBitmapBundle ResolvedBundle(const wxBitmapBundle& bundle)
{
    if (!bundle.IsOk())
        return bundle;
    const wxSize size = bundle.GetDefaultSize();
    wxVector<wxBitmap> bitmaps;
    for (const wxSize& each : {size, size * 2})
    {
        const wxBitmap bitmap = bundle.GetBitmap(each);
        if (bitmap.IsOk())
            bitmaps.push_back(bitmap);
    }
    return wxBitmapBundle::FromBitmaps(bitmaps);
}
} // namespace kel
