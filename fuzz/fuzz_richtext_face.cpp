// Takes arbitrary bytes as the data of an animated face, the way a received
// document embeds it, and decodes and draws it.
#include "fuzzsupport.h"

#include <kelctrls/platform/richtextbase.h>

#include <wx/dcmemory.h>
#include <wx/sstream.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    wxString hex;
    hex.reserve(size * 2);
    for (size_t i = 0; i < size; ++i)
        hex += wxString::Format("%02X", data[i]);

    wxFlagRichTextAnimation face;
    if (face.ReadHex(hex, int(hex.length()), wxANIMATION_TYPE_GIF))
    {
        wxBitmap canvas(64, 64);
        wxMemoryDC dc(canvas);
        for (unsigned frame = 0; frame < face.GetFrameCount(); ++frame)
            dc.DrawBitmap(face.GetFrameBitmap(frame), 0, 0, true);
        wxStringOutputStream out;
        face.WriteHex(out, wxANIMATION_TYPE_GIF);
    }
    return 0;
}
