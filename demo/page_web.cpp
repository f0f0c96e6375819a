// "Web": the team portal in a browser panel. Its buttons call back into the
// client (FetchUsers and OpenIM answered here through the core library's job
// object, OpenUrl and the pop-up link in browser frames, MakeCall through the
// panel's call-back), the group link comes back as a client event, and
// "Work offline" shows the local error page. "Open an untrusted page" shows a
// page served from a loopback address the client never opened itself: its
// calls are refused, which the page and the status line show.
#include "demoregistry.h"
#include "demotext.h"
#include "livesession.h"

#include <kelctrls/browser.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/skin.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stopwatch.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace
{

wxString WebFileUrl(const wxString& name)
{
    return wxFileName::FileNameToURL(wxFileName(KelInstallPath("web/" + name)));
}

// Serves one page on a loopback port of its own, from a thread of its own:
// a web server the client has not opened anything from.
class LoopbackPageServer
{
public:
    explicit LoopbackPageServer(const std::string& page) : m_page(page)
    {
        m_listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        if (bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            listen(m_listener, 8) != 0)
            return;
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LoopbackPageServer()
    {
        shutdown(m_listener, SHUT_RDWR);
        close(m_listener);
        if (m_thread.joinable())
            m_thread.join();
    }

    // The page's address; empty when the server could not start.
    wxString Url() const
    {
        return m_port ? wxString::Format("http://127.0.0.1:%d/page.html", m_port) : wxString();
    }

private:
    void Serve()
    {
        for (int client; (client = accept(m_listener, nullptr, nullptr)) >= 0; close(client))
        {
            char request[2048];
            const ssize_t count = recv(client, request, sizeof(request) - 1, 0);
            const bool isPage =
                count > 0 &&
                std::string(request, static_cast<size_t>(count)).rfind("GET /page.html ", 0) == 0;
            const std::string body = isPage ? m_page : std::string("<html><body>Nothing here.</body></html>");
            const std::string response = std::string("HTTP/1.1 ") + (isPage ? "200 OK" : "404 Not Found") +
                                         "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                                         std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            send(client, response.data(), response.size(), MSG_NOSIGNAL);
        }
    }

    std::string m_page;
    int m_listener = -1;
    int m_port = 0;
    std::thread m_thread;
};

// Hands the browser's own log records (its refusals) to `report`, and passes
// every record on.
class BrowserLogWatch : public wxLog
{
public:
    explicit BrowserLogWatch(std::function<void(const wxString&)> report) : m_report(std::move(report)) {}

protected:
    void DoLogRecord(wxLogLevel WXUNUSED(level), const wxString& message,
                     const wxLogRecordInfo& info) override
    {
        if (wxString(info.component) == "kelctrls/browser")
            m_report(message);
    }

private:
    std::function<void(const wxString&)> m_report;
};

void SetPresence(PTYPE type)
{
    const wxString jid = KelJabberJob::GetInstance()->GetMyJid();
    PresenceManager::GetInstance()->SetMyPresence(Presence(jid, wxString(), type, wxString(), wxString()));
}

wxString PresenceWord(const KelXmppPresence& presence)
{
    switch (KelXmppBridge::TypeOf(presence))
    {
    case PTYPE_OFFLINE:
        return "offline";
    case PTYPE_AWAY:
    case PTYPE_EXTENDED_AWAY:
        return "away";
    case PTYPE_BUSY:
        return "busy";
    default:
        return "online";
    }
}

// The people a page asks for ("group:NAME"), from the live roster: the
// members of that group, or everybody online when there is no such group.
wxString RosterUsers(const KelXmppClient& user, const wxString& request)
{
    const wxString group = request.AfterFirst(':');
    bool groupFound = false;
    for (const auto& contact : user.GetRoster())
        groupFound = groupFound || contact.second.groups.Index(group, false) != wxNOT_FOUND;
    wxString users;
    for (const auto& contact : user.GetRoster())
    {
        const KelXmppPresence presence = user.GetPresence(contact.first);
        const bool wanted =
            groupFound ? contact.second.groups.Index(group, false) != wxNOT_FOUND : presence.available;
        if (wanted)
            users << (contact.second.name.empty() ? contact.first : contact.second.name) << '|'
                  << PresenceWord(presence) << ';';
    }
    return users;
}

class WebPage : public wxPanel, public wxIECallBase
{
public:
    enum Start
    {
        START_WITH_PORTAL,
        START_WITH_UNTRUSTED_PAGE
    };

    WebPage(wxWindow* parent, Start start) : wxPanel(parent)
    {
        SetBackgroundColour(KelSkinResource::GetInstance()->GetColour("color_win_bk"));
        // With the live session the connection decides.
        if (!DemoLiveSession::Get())
            SetPresence(PTYPE_ONLINE);

        m_offline = new wxCheckBox(this, wxID_ANY, _("Work offline"));
        wxButton* untrusted = new wxButton(this, wxID_ANY, _("Open an untrusted page"));
        m_status = new wxStaticText(this, wxID_ANY, _("Pages call the client through window.external"));
        m_status->SetForegroundColour(wxColour(0x50, 0x68, 0x80));
        m_browser = new wxIEPanel(this, this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNO_BORDER);

        wxBoxSizer* bar = new wxBoxSizer(wxHORIZONTAL);
        bar->Add(m_offline, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
        bar->Add(untrusted, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 16);
        bar->Add(m_status, 1, wxALIGN_CENTER_VERTICAL);
        wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(bar, 0, wxEXPAND | wxALL, 6);
        sizer->Add(m_browser, 1, wxEXPAND);
        SetSizer(sizer);

        m_offline->Bind(wxEVT_CHECKBOX, &WebPage::OnOffline, this);
        untrusted->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OpenUntrustedPage(); });
        Bind(wxEVT_COMMAND_HTML_URL,
             [this](wxCommandEvent& event) { Report(_("Group space requested: ") + event.GetString()); });
        m_client.Bind(htmlEVT_HTMLCALL_FUNCTION, &WebPage::OnPageCall, this);
        KelJabberJob::GetInstance()->SetEventHandler(&m_client);

        // The portal opens the news page in a browser frame; the browser
        // trusts only the files the client opens itself, so say so.
        m_browser->GetIEWindow()->TrustUrl(WebFileUrl("news.html"));
        // The browser logs its refusals at debug level, which the program
        // shows only when asked.
        wxLog::SetComponentLevel("kelctrls/browser", wxLOG_Debug);
        m_logWatch =
            new wxLogChain(new BrowserLogWatch([this](const wxString& message) { Report(message); }));

        if (start == START_WITH_UNTRUSTED_PAGE)
            OpenUntrustedPage();
        else
            CallAfter([this] { m_browser->OnNavigate(WebFileUrl("portal.html")); });
    }

    ~WebPage() override
    {
        delete m_logWatch;
        if (KelJabberJob::GetInstance()->GetEventHandler() == &m_client)
            KelJabberJob::GetInstance()->SetEventHandler(nullptr);
    }

    const wxString& GetReport() const { return m_report; }
    wxString GetPageText() { return m_browser->GetText(); }

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
            if (DemoLiveSession* session = DemoLiveSession::Get())
                event.SetResult(RosterUsers(session->GetUser(),
                                            event.GetParams().empty() ? wxString() : event.GetParams()[0]));
            else
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
        m_browser->OnNavigate(WebFileUrl("portal.html"));
    }

    // The page comes from a server the client has not opened anything from
    // and the panel is sent there as a page would send it: not trusted.
    void OpenUntrustedPage()
    {
        if (!m_untrustedServer)
        {
            wxString page;
            wxFFile(KelInstallPath("web/untrusted.html")).ReadAll(&page, wxConvUTF8);
            m_untrustedServer.reset(new LoopbackPageServer(page.utf8_string()));
        }
        Report(_("Opening ") + m_untrustedServer->Url());
        m_browser->OnNavigate(m_untrustedServer->Url(), wxIEHTML_TRUST_UNCHANGED);
    }

    void Report(const wxString& text)
    {
        m_report = text;
        m_status->SetLabel(text);
    }

    std::unique_ptr<LoopbackPageServer> m_untrustedServer;
    wxLogChain* m_logWatch = nullptr;
    wxString m_report;
    wxCheckBox* m_offline = nullptr;
    wxStaticText* m_status = nullptr;
    wxIEPanel* m_browser = nullptr;
    wxEvtHandler m_client;
};

DemoPageRegistration page(60, wxTRANSLATE("Web"),
                          [](wxWindow* parent) -> wxWindow*
                          { return new WebPage(parent, WebPage::START_WITH_PORTAL); });

// Screenshot mode: the untrusted page, once it has tried its calls.
DemoShotRegistration
    untrustedShot(70, "web-untrusted-page",
                  [](wxWindow* WXUNUSED(mainFrame)) -> wxTopLevelWindow*
                  {
                      wxFrame* frame =
                          new wxFrame(nullptr, wxID_ANY, _("Web: an untrusted page"), wxDefaultPosition,
                                      wxWindow::FromDIP(wxSize(900, 520), nullptr));
                      WebPage* page = new WebPage(frame, WebPage::START_WITH_UNTRUSTED_PAGE);
                      frame->Show();
                      wxStopWatch watch;
                      while (watch.Time() < 20000 && !(page->GetReport().StartsWith("Refused") &&
                                                       page->GetPageText().Contains("refused (")))
                      {
                          wxYield();
                          wxMilliSleep(20);
                      }
                      return frame;
                  });

} // namespace
