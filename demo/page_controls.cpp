// "Controls": the skinned controls of a chat client (sign-in card, file transfers,
// shortcuts), laid out in an XRC file and built by the library's resource handlers, with
// faces and images from the loaded skin.
#include "demoregistry.h"
#include "demotext.h"
#include "skinart.h"

#include <kelctrls/controls.h>
#include <kelctrls/skin.h>

#include <wx/artprov.h>
#include <wx/xrc/xmlres.h>

namespace
{

// Serves the skin's bitmaps to XRC files by key: <bitmap stock_id="btn_face_normal"/>.
class SkinArtProvider : public wxArtProvider
{
protected:
    wxBitmapBundle CreateBitmapBundle(const wxArtID& id, const wxArtClient&, const wxSize&) override
    {
        return DemoSkinBundle(id);
    }
};

// The client adds the handlers it wants before it loads its layouts.
wxXmlResource* ControlsResource()
{
    static wxXmlResource* resource = nullptr;
    if (resource)
        return resource;

    wxArtProvider::Push(new SkinArtProvider);
    resource = new wxXmlResource(wxXRC_USE_LOCALE);
    resource->InitAllHandlers();
    resource->AddHandler(new KBitmapButtonXmlHandler);
    resource->AddHandler(new KelCheckBoxXmlHandler);
    resource->AddHandler(new KelStaticTextXmlHandler);
    resource->AddHandler(new KELGaugeXmlHandler);
    resource->AddHandler(new KelBorderXmlHandler);
    resource->AddHandler(new wxLinkTextXmlHandler);
    resource->AddHandler(new wxTextLinkCtrlXmlHandler);
    resource->AddHandler(new wxFileTransferLinkXmlHandler);
    resource->SetDomain(DEMO_TEXT_DOMAIN);
    resource->Load(KelInstallPath("xrc/controls.xrc"));
    return resource;
}

template <typename T>
T* Find(wxWindow* page, const char* name)
{
    return wxDynamicCast(page->FindWindow(XRCID(name)), T);
}

// What XRC cannot say: link colours, dotted frames, gauge texts, disabled actions.
void FinishPage(wxWindow* page)
{
    KelSkinResource* skin = KelSkinResource::GetInstance();
    for (const char* name : {"IncomingFile", "SentFile", "History", "GroupChat", "Notice"})
        if (wxLinkText* link = Find<wxLinkText>(page, name))
        {
            link->SetNormalColour(skin->GetColour("color_link"));
            link->SetMousePressedColour(skin->GetColour("color_link_pressed"));
            link->SetDisableColour(skin->GetColour("color_link_disabled"));
        }
    if (wxLinkText* group = Find<wxLinkText>(page, "GroupChat"))
        group->SetBitmapButton(wxID_ANY, DemoSkinBundle("link_arrow_down").GetBitmapFor(group), 14);

    for (const char* name : {"ShortcutFrame", "GroupFrame"})
        if (KelBorder* frame = Find<KelBorder>(page, name))
            frame->SetBorderColour(skin->GetColour("color_accent"), true);

    if (KELGauge* receiving = Find<KELGauge>(page, "Receiving"))
        receiving->SetContent(wxString::Format(_("%d%%  -  1.5 of 2.4 MB"), receiving->GetValue()));
    if (KELGauge* sent = Find<KELGauge>(page, "Sent"))
        sent->SetContent(_("Completed"));

    for (const char* name : {"SaveAs", "OpenFolder", "CancelTransfer", "OpenSent", "ResendFile"})
        if (FileTransferLink* link = Find<FileTransferLink>(page, name))
        {
            link->SetEnabledColour(skin->GetColour("color_link"));
            link->SetDisabledColour(skin->GetColour("color_link_disabled"));
            link->SetHoverColour(skin->GetColour("color_link_hover"));
            link->Enable(true);
        }
    // Nothing to send again until the peer asks for it.
    if (FileTransferLink* resend = Find<FileTransferLink>(page, "ResendFile"))
        resend->Enable(false);

    page->Bind(wxEVT_FILETRNSFER_LEFT_CLICK,
               [page](wxFileTransferLinkEvent& event)
               {
                   if (KelStaticText* status = Find<KelStaticText>(page, "SentStatus"))
                   {
                       const wxWindow* link = static_cast<wxWindow*>(event.GetEventObject());
                       status->SetLabel(link->GetLabel() + " ...");
                       status->Refresh();
                   }
               });
}

DemoPageRegistration controlsPage(30, wxTRANSLATE("Controls"),
                                  [](wxWindow* parent) -> wxWindow*
                                  {
                                      wxPanel* page = ControlsResource()->LoadPanel(parent, "ControlsPage");
                                      if (!page)
                                          return new wxPanel(parent);
                                      FinishPage(page);
                                      return page;
                                  });

} // anonymous namespace
