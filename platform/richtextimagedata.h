// Checks on image data that comes from others, made before the toolkit's
// decoders see it: they trust the sizes and offsets written in the data and
// allocate whatever a header asks for.
#ifndef KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H
#define KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H

#include <wx/buffer.h>
#include <wx/gdicmn.h>

// True for GIF data whose block structure is whole, whose frames lie within
// its logical screen and whose size stays within what a face may take.
bool IsWellFormedGif(const wxMemoryBuffer& bytes);

// True for a picture of `type` (PNG, JPEG or GIF) whose header promises an
// image no larger than a chat picture may be; other types are refused.
bool IsReadablePicture(const wxMemoryBuffer& bytes, wxBitmapType type);

#endif // KELCTRLS_PLATFORM_RICHTEXTIMAGEDATA_H
