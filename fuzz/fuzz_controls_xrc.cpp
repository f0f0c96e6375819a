// Loads arbitrary bytes as an XRC file and builds every top-level object with the
// resource handlers of the skinned controls.
#include "fuzzsupport.h"

#include <kelctrls/controls.h>

#include <wx/frame.h>
#include <wx/xml/xml.h>

namespace
{

wxAssertHandler_t g_abortOnAssert = nullptr;

// The toolkit's XRC loader checks an object name that starts with '[' (an id
// range without a name) with an assertion and then goes on without the
// range; every other assertion still stops the run.
void ToleratingNamelessIdRanges(const wxString& file, int line, const wxString& func, const wxString& cond,
                                const wxString& msg)
{
    if (msg != "an id-range item without a range name")
        g_abortOnAssert(file, line, func, cond, msg);
}

} // anonymous namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
    if (!g_abortOnAssert)
        g_abortOnAssert = wxSetAssertHandler(ToleratingNamelessIdRanges);
    static wxFrame* parent = new wxFrame(nullptr, wxID_ANY, "xrc");
    static wxXmlResource* resource = []
    {
        wxXmlResource* res = new wxXmlResource(wxXRC_USE_LOCALE);
        res->AddHandler(new KBitmapButtonXmlHandler);
        res->AddHandler(new KelCheckBoxXmlHandler);
        res->AddHandler(new KelStaticTextXmlHandler);
        res->AddHandler(new KELGaugeXmlHandler);
        res->AddHandler(new KelBorderXmlHandler);
        res->AddHandler(new wxLinkTextXmlHandler);
        res->AddHandler(new wxTextLinkCtrlXmlHandler);
        res->AddHandler(new wxFileTransferLinkXmlHandler);
        return res;
    }();

    const wxString path = KelFuzzWriteInput(data, size, "controls.xrc");
    resource->Unload(path);
    if (!resource->Load(path))
        return 0;

    wxXmlDocument doc;
    if (!doc.Load(path) || !doc.GetRoot())
        return 0;
    for (wxXmlNode* node = doc.GetRoot()->GetChildren(); node; node = node->GetNext())
    {
        if (node->GetName() != "object" || !node->HasAttribute("name"))
            continue;
        resource->LoadObject(parent, node->GetAttribute("name"), node->GetAttribute("class"));
    }
    parent->DestroyChildren();
    return 0;
}
