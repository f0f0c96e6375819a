// Loads arbitrary bytes as a shortcut bar file into a shortcut bar.
#include "fuzzsupport.h"

#include <kelctrls/controls.h>

#include <wx/frame.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    static wxFrame* parent = new wxFrame(nullptr, wxID_ANY, "shortcuts");

    const wxString path = KelFuzzWriteInput(data, size, "shortcutbar.xml");
    KelMainShortCut* bar = new KelMainShortCut(parent, wxID_ANY);
    bar->LoadFile(path);
    bar->SetSize(160, 90);
    bar->Destroy();
    return 0;
}
