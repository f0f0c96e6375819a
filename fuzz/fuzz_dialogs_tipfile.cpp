// Reads arbitrary bytes as a tip file and walks its tips from several
// starting points, past the end and round again.
#include "fuzzsupport.h"

#include <kelctrls/dialogs/tipdialog.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    const wxString path = KelFuzzWriteInput(data, size, "tips.txt");
    for (size_t start : {size_t(0), size_t(3), size_t(1000)})
    {
        KFileTipProvider tips(path, start);
        for (int i = 0; i < 8; ++i)
            tips.GetTip();
    }
    return 0;
}
