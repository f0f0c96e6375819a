// UTF-8 encoding of one character, shared by the packed item texts and the
// label index of the tree list.
#ifndef KELCTRLS_TREELIST_TREELISTUTF8_H
#define KELCTRLS_TREELIST_TREELISTUTF8_H

#include <wx/defs.h>

#include <cstddef>

namespace kel
{

// Writes the one to four bytes of code point c at out and returns how many.
inline size_t EncodeCodePoint(wxUint32 c, unsigned char* out)
{
    if (c < 0x80)
    {
        out[0] = (unsigned char)c;
        return 1;
    }
    if (c < 0x800)
    {
        out[0] = (unsigned char)(0xC0 | (c >> 6));
        out[1] = (unsigned char)(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000)
    {
        out[0] = (unsigned char)(0xE0 | (c >> 12));
        out[1] = (unsigned char)(0x80 | ((c >> 6) & 0x3F));
        out[2] = (unsigned char)(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = (unsigned char)(0xF0 | (c >> 18));
    out[1] = (unsigned char)(0x80 | ((c >> 12) & 0x3F));
    out[2] = (unsigned char)(0x80 | ((c >> 6) & 0x3F));
    out[3] = (unsigned char)(0x80 | (c & 0x3F));
    return 4;
}

} // namespace kel

#endif
