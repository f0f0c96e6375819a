// Loads arbitrary bytes as an XRC file and builds every top-level object with the
// resource handlers of the skinned controls.
#include "fuzzsupport.h"

#include <kelctrls/controls.h>

#include <wx/frame.h>
#include <wx/xml/xml.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    KelFuzzInitGui();
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
