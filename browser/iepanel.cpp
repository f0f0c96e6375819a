#include <kelctrls/browser/iepanel.h>

#include <kelctrls/browser/ieframe.h>
#include <kelctrls/platform/encrypt.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/skin/language.h>

#include <wx/filename.h>
#include <wx/utils.h>

wxDEFINE_EVENT(wxEVT_COMMAND_HTML_URL, wxCommandEvent);

namespace
{

const char LocalErrorPageName[] = "varnel_localerr.html";

wxIEPanel::BrowserLauncher& DefaultBrowserLauncher()
{
    static wxIEPanel::BrowserLauncher launcher = [](const wxString& url)
    { return wxLaunchDefaultBrowser(url); };
    return launcher;
}

bool IsCommand(const wxString& name, const char* command)
{
    return name.IsSameAs(command, false);
}

bool IsCancelled(wxActiveXEvent& event)
{
    const wxVariant& cancel = event["Cancel"];
    return !cancel.IsNull() && cancel.GetBool();
}

bool IsUserOffline()
{
    const Presence* presence = PresenceManager::GetInstance()->GetMyPresence();
    return presence && presence->GetType() == PTYPE_OFFLINE;
}

// The key the client's web server accepts for the signed-in user.
wxString UserKey()
{
    const KelJabberJob* job = KelJabberJob::GetInstance();
    if (job->IsEncryptUserPwd())
        return job->GetMyPassWord();
    const std::string key = zzSimpleEncryptString(job->GetMyPassWord().utf8_string(), std::string());
    return wxString::FromUTF8(key.data(), key.size());
}

bool IsWebAddress(const wxString& url)
{
    const wxString scheme = url.BeforeFirst(':').Lower();
    return url.Contains(":") && (scheme == "http" || scheme == "https");
}

bool IsBuiltInPage(const wxString& url)
{
    return url.Contains("vr_start.htm") || url.Contains("vr_group.htm") || url.Contains("vr_myspace.htm");
}

// An address the browser cannot open: its own error page, or one without
// a host.
bool IsBrokenTarget(const wxString& url)
{
    return url.Contains("shdoclc.dll") || url.Contains("http:///") || url.Contains("http://?");
}

} // namespace

// ---------------------------------------------------------------------------

void wxIECallBase::OnMSHTMLStatusTextChangeX(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLBeforeNavigate2X(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLTitleChangeX(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLNewWindow2X(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLProgressChangeX(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLDownloadComplete(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLDocumentComplete(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnMSHTMLNavigateComplete2(wxIEPanel*, wxActiveXEvent&) {}
void wxIECallBase::OnWebBrowserClose(wxIEPanel*, wxActiveXEvent&) {}

// The browser window of a panel: the page's external calls go to the panel.
class IEPanelHtmlWin : public wxIEHtmlWin
{
public:
    IEPanelHtmlWin(wxIEPanel* panel, long style)
        : wxIEHtmlWin(panel, wxID_ANY, wxPoint(0, 0), panel->GetClientSize(), style, "panel"), m_panel(panel)
    {
    }

    bool JScriptCheck(const wxString& name) override { return m_panel->JScriptCheck(name); }
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        return m_panel->JScriptProcess(name, args);
    }

private:
    wxIEPanel* m_panel;
};

// ---------------------------------------------------------------------------

wxIMPLEMENT_DYNAMIC_CLASS(wxIEPanel, wxScrolledWindow);

// clang-format off
wxBEGIN_EVENT_TABLE(wxIEPanel, wxScrolledWindow)
    EVT_ACTIVEX(wxID_ANY, "BeforeNavigate2", wxIEPanel::OnMSHTMLBeforeNavigate2X)
    EVT_ACTIVEX(wxID_ANY, "TitleChange", wxIEPanel::OnMSHTMLTitleChangeX)
    EVT_ACTIVEX(wxID_ANY, "NewWindow2", wxIEPanel::OnMSHTMLNewWindow2X)
    EVT_ACTIVEX(wxID_ANY, "ProgressChange", wxIEPanel::OnMSHTMLProgressChangeX)
    EVT_ACTIVEX(wxID_ANY, "DownloadComplete", wxIEPanel::OnMSHTMLDownloadComplete)
    EVT_ACTIVEX(wxID_ANY, "DocumentComplete", wxIEPanel::OnMSHTMLDocumentComplete)
    EVT_ACTIVEX(wxID_ANY, "NavigateComplete2", wxIEPanel::OnMSHTMLNavigateComplete2)
    EVT_ACTIVEX(wxID_ANY, "OnQuit", wxIEPanel::OnWebBrowserClose)
    EVT_ACTIVEX_DISPID(wxID_ANY, 102, wxIEPanel::OnMSHTMLStatusTextChangeX)
    EVT_SIZE(wxIEPanel::OnSize)
    EVT_CHAR(wxIEPanel::OnChar)
wxEND_EVENT_TABLE()
// clang-format on

wxIEPanel::wxIEPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                     const wxString& name)
{
    Create(parent, nullptr, id, pos, size, style, name);
}

wxIEPanel::wxIEPanel(wxWindow* parent, wxIECallBase* callBase, wxWindowID id, const wxPoint& pos,
                     const wxSize& size, long style, const wxString& name)
{
    Create(parent, callBase, id, pos, size, style, name);
}

bool wxIEPanel::Create(wxWindow* parent, wxIECallBase* callBase, wxWindowID id, const wxPoint& pos,
                       const wxSize& size, long style, const wxString& name)
{
    if (!wxScrolledWindow::Create(parent, id, pos, size, style, name))
        return false;
    CreateIE(style, callBase);
    return true;
}

void wxIEPanel::CreateIE(long style, wxIECallBase* callBase)
{
    if (!m_browser)
    {
        m_style = style;
        m_callBase = callBase;
        // The browser scrolls its pages itself.
        m_browser = new IEPanelHtmlWin(this, style & ~(wxHSCROLL | wxVSCROLL));
        m_browser->SetBackgroundColour(wxColour(192, 192, 192));
    }
    m_browser->Reparent(this);
    m_browser->Hide();
}

wxString wxIEPanel::SubstituteUserInfo(const wxString& url)
{
    wxString result = url;
    if (result.Contains("varnel_user_name"))
        result.Replace("varnel_user_name", ParseName(KelJabberJob::GetInstance()->GetMyJid()));
    if (result.Contains("varnel_user_key"))
        result.Replace("varnel_user_key", UserKey());
    return result;
}

wxString wxIEPanel::GetLocalErrorPage()
{
    LanguageHandler* languages = LanguageHandler::GetInstance();
    const wxString folder = languages ? languages->GetLanguageLocal(languages->GetSelected()) : wxString();
    return KelInstallPath(folder.empty() ? wxString(LocalErrorPageName) : folder + "/" + LocalErrorPageName);
}

void wxIEPanel::OnNavigate(const wxString& url, wxIEHtmlTrust trust)
{
    if (!m_browser)
        CreateIE(m_style, m_callBase);
    ++m_navigations;
    if (trust == wxIEHTML_TRUST_TARGET)
        m_browser->TrustUrl(url);
    ShowBrowser();
    m_browser->LoadUrl(FillUserInfo(url), wxIEHTML_TRUST_UNCHANGED);
}

wxString wxIEPanel::FillUserInfo(const wxString& url) const
{
    // The user's name and key go only to trusted origins, and may not make
    // the address another origin (as they would in its host).
    const wxString filled = SubstituteUserInfo(url);
    const bool trusted = m_browser && m_browser->IsTrustedUrl(url);
    return trusted && wxIEHtmlWin::GetOrigin(filled) == wxIEHtmlWin::GetOrigin(url) ? filled : url;
}

void wxIEPanel::ShowBrowser()
{
    m_browser->SetSize(wxRect(m_browser->GetPosition(), GetClientSize()));
    m_browser->Show();
}

void wxIEPanel::LoadLocalErrorPage()
{
    // The browser is in the middle of deciding on a navigation; the new
    // one starts once that is over, unless the program has opened another
    // page meanwhile.
    const wxString url = wxFileName::FileNameToURL(wxFileName(GetLocalErrorPage()));
    const unsigned long navigation = m_navigations;
    CallAfter(
        [this, url, navigation]
        {
            if (m_browser && navigation == m_navigations)
                m_browser->LoadUrl(url);
        });
}

wxString wxIEPanel::GetText()
{
    return m_browser ? m_browser->GetText(false) : wxString();
}

wxString wxIEPanel::GetTitle()
{
    return m_browser ? m_browser->GetTitle() : wxString();
}

int wxIEPanel::DelTempFiles()
{
    return 0;
}

void wxIEPanel::ReleaseIE() {}

void wxIEPanel::SetDefaultBrowserLauncher(BrowserLauncher launcher)
{
    DefaultBrowserLauncher() = std::move(launcher);
}

// ---------------------------------------------------------------------------
// Script commands

bool wxIEPanel::JScriptCheck(const wxString& name)
{
    for (const char* command : {"FetchUsers", "OpenUrl", "OpenIM", "OpenIE"})
        if (IsCommand(name, command))
            return true;
    return m_callBase && m_callBase->JScriptCheck(name);
}

wxString wxIEPanel::JScriptProcess(const wxString& name, wxArrayString& args)
{
    // The bridge lets only trusted pages call; this holds for calls the
    // program makes through the script object as well.
    if (!m_browser || !m_browser->IsPageTrusted())
        return wxString();
    const wxString first = args.empty() ? wxString() : args[0];
    if (IsCommand(name, "FetchUsers") && !args.empty())
        return SendCallEvent(name, args);
    if (IsCommand(name, "OpenUrl") && !args.empty())
    {
        OpenInFrame(first);
        return wxString();
    }
    if (IsCommand(name, "OpenIM"))
        return SendCallEvent(name, args);
    if (IsCommand(name, "OpenIE"))
    {
        if (IsWebAddress(first) && DefaultBrowserLauncher())
            DefaultBrowserLauncher()(FillUserInfo(first));
        return wxString();
    }
    return m_callBase && m_callBase->JScriptCheck(name) ? m_callBase->JScriptProcess(name, args) : wxString();
}

void wxIEPanel::OpenInFrame(const wxString& url)
{
    // Web addresses, and local files this view trusts: a web page may not
    // have local files opened.
    const bool trusted = m_browser->IsTrustedUrl(url);
    if (!IsWebAddress(url) && !trusted)
        return;
    wxIEFrame* frame = new wxIEFrame(nullptr);
    frame->LoadUrl(url, trusted ? wxIEHTML_TRUST_TARGET : wxIEHTML_TRUST_UNCHANGED);
    frame->Show();
}

wxString wxIEPanel::SendCallEvent(const wxString& name, const wxArrayString& args)
{
    HtmlCallFuncEvent event(htmlEVT_HTMLCALL_FUNCTION);
    event.SetFunction(name, args);
    event.SetIEWin(m_browser);
    KelJabberJob::GetInstance()->SendEvent(event, 0);
    return event.GetResult();
}

// ---------------------------------------------------------------------------
// Browser events

void wxIEPanel::OnMSHTMLBeforeNavigate2X(wxActiveXEvent& event)
{
    const wxString url = event["URL"].GetString();
    if (url == "about:blank" || !m_browser)
        return;

    if (!url.Contains(LocalErrorPageName))
    {
        if (IsUserOffline() || IsBrokenTarget(url))
        {
            event["cancel"] = true;
            LoadLocalErrorPage();
        }
        else if (!IsCancelled(event) && IsBuiltInPage(url))
        {
            event["cancel"] = true;
            if (GetParent())
            {
                wxCommandEvent click(wxEVT_COMMAND_HTML_URL, 0);
                click.SetString(url.Mid(3));
                GetParent()->GetEventHandler()->AddPendingEvent(click);
            }
        }
    }

    if (m_callBase)
        m_callBase->OnMSHTMLBeforeNavigate2X(this, event);
    event.Skip();
}

void wxIEPanel::OnMSHTMLNewWindow2X(wxActiveXEvent& event)
{
    wxIEFrame* frame = new wxIEFrame(nullptr, wxID_ANY, wxString(), wxPoint(0, 0), wxSize(800, 500));
    event["ppDisp"] = static_cast<void*>(frame->GetIE());
    if (frame->GetIE())
        event["Cancel"] = false;
    frame->Show();
    frame->Centre(wxHORIZONTAL);
    if (m_callBase)
        m_callBase->OnMSHTMLNewWindow2X(this, event);
    event.Skip();
}

void wxIEPanel::OnMSHTMLStatusTextChangeX(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnMSHTMLStatusTextChangeX(this, event);
    event.Skip();
}

// Title changes reach the call-back's own notification (the browser frame
// takes its title from it), not the progress one.
void wxIEPanel::OnMSHTMLTitleChangeX(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnMSHTMLTitleChangeX(this, event);
    event.Skip();
}

void wxIEPanel::OnMSHTMLProgressChangeX(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnMSHTMLProgressChangeX(this, event);
    event.Skip();
}

void wxIEPanel::OnMSHTMLDownloadComplete(wxActiveXEvent& event)
{
    event.Skip();
    if (m_callBase)
        m_callBase->OnMSHTMLDownloadComplete(this, event);
}

void wxIEPanel::OnMSHTMLDocumentComplete(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnMSHTMLDocumentComplete(this, event);
    event.Skip();
}

void wxIEPanel::OnMSHTMLNavigateComplete2(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnMSHTMLNavigateComplete2(this, event);
    event.Skip();
}

void wxIEPanel::OnWebBrowserClose(wxActiveXEvent& event)
{
    if (m_callBase)
        m_callBase->OnWebBrowserClose(this, event);
    event.Skip();
}

void wxIEPanel::OnSize(wxSizeEvent& event)
{
    if (m_browser)
        m_browser->SetSize(wxRect(wxPoint(0, 0), event.GetSize()));
    event.Skip();
}

void wxIEPanel::OnChar(wxKeyEvent& event)
{
    event.Skip();
}
