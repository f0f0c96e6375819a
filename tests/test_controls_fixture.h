// What the control tests share: a shown frame on a plain white panel, solid test faces,
// and XRC loading from a string with the library's handlers.
#ifndef KELCTRLS_TESTS_CONTROLS_FIXTURE_H
#define KELCTRLS_TESTS_CONTROLS_FIXTURE_H

#include "testsupport.h"

#include <kelctrls/controls.h>

#include <wx/dcmemory.h>
#include <wx/filesys.h>
#include <wx/frame.h>
#include <wx/fs_mem.h>
#include <wx/panel.h>
#include <wx/sstream.h>
#include <wx/uiaction.h>
#include <wx/xml/xml.h>
#include <wx/xrc/xmlres.h>

#include <memory>

namespace kel
{
namespace test
{

// Makes `bitmap` loadable from XRC as "memory:<name>".
inline wxString PutInMemoryFs(const wxString& name, const wxBitmap& bitmap)
{
    static bool handlerAdded = false;
    if (!handlerAdded)
    {
        wxFileSystem::AddHandler(new wxMemoryFSHandler);
        handlerAdded = true;
    }
    wxMemoryFSHandler::RemoveFile(name);
    wxMemoryFSHandler::AddFile(name, bitmap, wxBITMAP_TYPE_PNG);
    return "memory:" + name;
}

// Two presses closer than this make a double click (the toolkit's default is 400 ms).
const int DoubleClickPause = 500;

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The pointer is kept away from where the new controls appear.
        wxUIActionSimulator().MouseMove(wxPoint(1200, 1000));
        m_frame = new wxFrame(nullptr, wxID_ANY, "controls", wxPoint(20, 20), wxSize(480, 360));
        m_panel = new wxPanel(m_frame);
        m_panel->SetBackgroundColour(*wxWHITE);
        ShowAndWait(m_frame);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump(20);
    }

    // Loads an XRC document given as its <object> elements and takes the object `name`
    // with the panel as parent. The library's handlers are added to a resource of its own.
    wxObject* LoadFromXrc(const wxString& objects, const wxString& name)
    {
        m_resource.reset(new wxXmlResource(wxXRC_USE_LOCALE));
        AddLibraryHandlers(*m_resource);

        wxStringInputStream input("<?xml version=\"1.0\"?><resource>" + objects + "</resource>");
        wxXmlDocument* doc = new wxXmlDocument(input);
        EXPECT_TRUE(doc->IsOk());
        EXPECT_TRUE(m_resource->LoadDocument(doc, "test.xrc"));
        wxXmlNode* node = doc->GetRoot()->GetChildren();
        while (node && node->GetAttribute("name") != name)
            node = node->GetNext();
        if (!node)
            return nullptr;
        return m_resource->LoadObject(m_panel, name, node->GetAttribute("class"));
    }

    // The toolkit's handlers and the library's.
    static void AddLibraryHandlers(wxXmlResource& resource)
    {
        resource.InitAllHandlers();
        resource.AddHandler(new KBitmapButtonXmlHandler);
        resource.AddHandler(new KelCheckBoxXmlHandler);
        resource.AddHandler(new KelStaticTextXmlHandler);
        resource.AddHandler(new KELGaugeXmlHandler);
        resource.AddHandler(new KelBorderXmlHandler);
        resource.AddHandler(new wxLinkTextXmlHandler);
        resource.AddHandler(new wxTextLinkCtrlXmlHandler);
        resource.AddHandler(new wxFileTransferLinkXmlHandler);
    }

    wxImage Capture(wxWindow* win)
    {
        win->Refresh();
        win->Update();
        Pump(120);
        return CaptureWindow(win);
    }

    wxFrame* m_frame = nullptr;
    wxPanel* m_panel = nullptr;
    std::unique_ptr<wxXmlResource> m_resource;
};

} // namespace test
} // namespace kel

#endif
