// The default skin's images as the demo's windows draw them: at the display
// scale of the window, with the skin's mask colour made transparent.
#ifndef KELCTRLS_DEMO_SKINART_H
#define KELCTRLS_DEMO_SKINART_H

#include <wx/bmpbndl.h>
#include <wx/string.h>

#include <initializer_list>

class wxImageList;
class wxWindow;

// The skin's bitmap of `key` at scales 1 and 2, magenta transparent; empty
// when the skin has none.
wxBitmapBundle DemoSkinBundle(const wxString& key);

// An image list of `size` (in window units) holding the skin bitmaps of
// `keys` in that order, drawn for the display scale of `window`; a blank
// image stands for a key the skin lacks.
wxImageList* DemoSkinImageList(const wxWindow* window, const wxSize& size,
                               std::initializer_list<const char*> keys);

// An image list of `count` images of `size` cut side by side out of the skin
// bitmap `key`, for the display scale of `window`.
wxImageList* DemoSkinImageStrip(const wxWindow* window, const wxString& key, const wxSize& size, int count);

#endif
