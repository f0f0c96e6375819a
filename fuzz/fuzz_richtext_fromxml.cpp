// Reads arbitrary bytes as a chat document into a shown chat text control,
// both as they come (through the stream interface) and as text, then lays the
// control out and writes it again.
#include "fuzzsupport.h"

#include <kelctrls/richtext.h>

#include <wx/frame.h>
#include <wx/mstream.h>

namespace
{

KelRichText* Control()
{
    static KelRichText* text = nullptr;
    if (!text)
    {
        auto frame = new wxFrame(nullptr, wxID_ANY, "fuzz", wxDefaultPosition, wxSize(400, 300));
        text = new KelRichText(frame, wxID_ANY);
        frame->Show();
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    KelRichText* text = Control();
    text->Clear();

    wxFlagRichTextBuffer buffer;
    wxMemoryInputStream in(data, size);
    wxMemoryOutputStream out;
    text->DoGetStream(&buffer, in, &out, true);

    wxString document;
    text->FromXML(wxString::FromUTF8(reinterpret_cast<const char*>(data), size), true, &document);
    text->LayoutContent();
    text->Update();
    text->ShowAnimation(true);
    text->ToXML();
    return 0;
}
