// "Web": the team portal in a browser panel. Its buttons call back into the
// client (FetchUsers and OpenIM answered here through the core library's job
// object, OpenUrl and the pop-up link in browser frames, MakeCall through the
// panel's call-back), the group link comes back as a client event, and
// "Work offline" shows the local error page.
#include "demoregistry.h"

#include <kelctrls/browser.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/skin.h>

#include <wx/checkbox.h>
#include <wx/filename.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace
{

wxString PortalUrl()
{
    return wxFileName::FileNameToURL(wxFileName(KelInstallPath("web/portal.html")));
}

void SetPresence(PTYPE type)
{
    const wxString jid = KelJabberJob::GetInstance()->GetMyJid();
    PresenceManager::GetInstance()->SetMyPresence(Presence(jid, wxString(), type, wxString(), wxString()));
}

class WebPage : public wxPanel, public wxIECallBase
{
public:
    explicit WebPage(wxWindow* parent) : wxPanel(parent)
    {
        SetBackgroundColour(KelSkinResource::GetInstance()->GetColour("color_win_bk"));
        SetPresence(PTYPE_ONLINE);

        m_offline = new wxCheckBox(this, wxID_ANY, _("Work offline"));
        m_status = new wxStaticText(this, wxID_ANY, _("Pages call the client through window.external"));
        m_status->SetForegroundColour(wxColour(0x50, 0x68, 0x80));
        m_browser = new wxIEPanel(this, this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNO_BORDER);

        wxBoxSizer* bar = new wxBoxSizer(wxHORIZONTAL);
        bar->Add(m_offline, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
        bar->Add(m_status, 1, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(bar, 0, wxEXPAND | wxALL, 6);
        sizer->Add(m_browser, 1, wxEXPAND);
        SetSizer(sizer);

        m_offline->Bind(wxEVT_CHECKBOX, &WebPage::OnOffline, this);
        Bind(wxEVT_COMMAND_HTML_URL,
             [this](wxCommandEvent& event) { Report(_("Group space requested: ") + event.GetString()); });
        m_client.Bind(htmlEVT_HTMLCALL_FUNCTION, &WebPage::OnPageCall, this);
        KelJabberJob::GetInstance()->SetEventHandler(&m_client);

        CallAfter([this] { m_browser->OnNavigate(PortalUrl()); });
    }

    ~WebPage() override
    {
        if (KelJabberJob::GetInstance()->GetEventHandler() == &m_client)
            KelJabberJob::GetInstance()->SetEventHandler(nullptr);
    }

    // The portal may also ask for a phone call.
    bool JScriptCheck(const wxString& name) override { return name.IsSameAs("MakeCall", false); }
    wxString JScriptProcess(const wxString& WXUNUSED(name), wxArrayString& args) override
    {
        Report(_("Dialling ") + (args.empty() ? wxString() : args[0]));
        return wxString();
    }

private:
    void OnPageCall(HtmlCallFuncEvent& event)
    {
        if (event.GetFuncname().IsSameAs("FetchUsers", false))
        {
            event.SetResult(
                "Alice Chen|online;Bob Li|away;Carla Diaz|online;Deng Wei|busy;Emma Stone|offline");
            Report(_("FetchUsers ") + wxJoin(event.GetParams(), ','));
        }
        else
        {
            Report(_("OpenIM ") + wxJoin(event.GetParams(), ','));
        }
    }

    void OnOffline(wxCommandEvent& event)
    {
        SetPresence(event.IsChecked() ? PTYPE_OFFLINE : PTYPE_ONLINE);
        m_browser->OnNavigate(PortalUrl());
    }

    void Report(const wxString& text) { m_status->SetLabel(text); }

    wxCheckBox* m_offline = nullptr;
    wxStaticText* m_status = nullptr;
    wxIEPanel* m_browser = nullptr;
    wxEvtHandler m_client;
};

DemoPageRegistration page(60, "Web", [](wxWindow* parent) -> wxWindow* { return new WebPage(parent); });

} // namespace
