// Checks on image data that comes from others, made before the toolkit's
// decoders see it: they trust the sizes and offsets written in the data and
// allocate, and spend time on, whatever a header asks for.
#ifndef KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H
#define KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H

#include <wx/buffer.h>
#include <wx/gdicmn.h>

// Longest side of a picture, in pixels.
constexpr unsigned MaxPictureSide = 4096;

// True for a face: GIF data whose block structure is whole, whose frames lie
// within its logical screen and which decodes to a small animation.
bool IsReadableFace(const wxMemoryBuffer& bytes);

// The pixels a picture of `type` (PNG, JPEG or GIF) decodes to, all frames
// counted, as its header gives them; 0 for data that is not whole, of
// another type, or with a side longer than MaxPictureSide.
wxUint64 PicturePixels(const wxMemoryBuffer& bytes, wxBitmapType type);

#endif // KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H
