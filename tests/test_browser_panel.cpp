// The browser panel and frame against the real web engine: user name and key
// in addresses, the local error page offline and on failures, built-in page
// clicks, the client's script commands, pop-ups and the frame's behaviour.
#include "testsupport.h"
#include "browsertest.h"

#include <kelctrls/browser.h>
#include <kelctrls/messaging/handlers.h>
#include <kelctrls/platform/encrypt.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/platform/skinengine.h>
#include <kelctrls/skin/windowbases.h>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/webview.h>

using kel::test::LoopbackServer;
using kel::test::OpenBrowserFrames;
using kel::test::Pump;
using kel::test::WaitUntil;

namespace
{

const char ErrorPageHtml[] = "<html><head><title>Local error</title></head><body>offline</body></html>";

// The installation folder for the whole program: the language list is read
// once, by the first user of the language handler.
class InstallFolder : public ::testing::Environment
{
public:
    void SetUp() override
    {
        char pattern[] = "/tmp/kelctrls-browser-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        ASSERT_TRUE(wxFileName::Mkdir(m_dir + "/locale/en", wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL));
        ASSERT_TRUE(
            KelWriteTextAtomically(m_dir + "/locale/Language.xml",
                                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Languages>\n"
                                   "  <Language id=\"1\" path=\"locale/en\" name=\"English\" select=\"1\"/>\n"
                                   "</Languages>\n"));
        ASSERT_TRUE(KelWriteTextAtomically(m_dir + "/locale/en/varnel_localerr.html", ErrorPageHtml));
        m_oldCwd = wxGetCwd();
        ASSERT_TRUE(wxSetWorkingDirectory(m_dir));
    }

    void TearDown() override
    {
        wxSetWorkingDirectory(m_oldCwd);
        wxFileName::Rmdir(m_dir, wxPATH_RMDIR_RECURSIVE);
    }

private:
    wxString m_dir;
    wxString m_oldCwd;
};

const auto* const installFolder = ::testing::AddGlobalTestEnvironment(new InstallFolder);

void SetOnline(bool online)
{
    PresenceManager::GetInstance()->SetMyPresence(Presence(
        "alice@example.org/desk", wxString(), online ? PTYPE_ONLINE : PTYPE_OFFLINE, wxString(), wxString()));
}

class RecordingCallBase : public wxIECallBase
{
public:
    bool JScriptCheck(const wxString& name) override { return name == "Extra" || name == "fetchusers"; }
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        return "callback:" + name + ":" + wxJoin(args, ',');
    }
    void OnMSHTMLBeforeNavigate2X(wxIEPanel*, wxActiveXEvent& event) override
    {
        navigations.push_back(event["URL"].GetString());
        cancelled.push_back(event["Cancel"].GetBool());
    }
    void OnMSHTMLDocumentComplete(wxIEPanel*, wxActiveXEvent& event) override
    {
        completed.push_back(event["URL"].GetString());
    }

    std::vector<wxString> navigations;
    std::vector<bool> cancelled;
    std::vector<wxString> completed;
};

class PhoneRecorder : public PhoneCallBase
{
public:
    void MakeCall(const wxString& number) override { numbers.push_back(number); }
    std::vector<wxString> numbers;
};

// Answers the panel's call events as the client would.
class ClientHandler : public wxEvtHandler
{
public:
    ClientHandler()
    {
        Bind(htmlEVT_HTMLCALL_FUNCTION,
             [this](HtmlCallFuncEvent& event)
             {
                 events.push_back(event.GetFuncname() + "(" + wxJoin(event.GetParams(), ',') + ")");
                 window = event.GetIEWin();
                 event.SetResult("client:" + event.GetFuncname());
             });
    }
    std::vector<wxString> events;
    wxIEHtmlWin* window = nullptr;
};

class PanelTest : public kel::test::BrowserPanelTest
{
protected:
    void SetUp() override
    {
        SetOnline(true);
        OpenPanel("panel host", &m_callBase, &m_client, "s3cret", false);
        m_frame->Bind(wxEVT_COMMAND_HTML_URL,
                      [this](wxCommandEvent& e)
                      {
                          EXPECT_EQ(e.GetId(), 0);
                          m_clicks.push_back(e.GetString());
                      });
        m_server.SetPage("/page", "<html><head><title>Page</title></head><body>page</body></html>");
    }

    bool Completed(const wxString& urlPart)
    {
        return WaitUntil(
            [&]
            {
                for (const wxString& url : m_callBase.completed)
                    if (url.Contains(urlPart))
                        return true;
                return false;
            },
            10000);
    }

    bool Navigate(const wxString& url)
    {
        m_panel->OnNavigate(url);
        return Completed(url);
    }

    // Clicks the element with the id through the X server.
    void ClickElement(const wxString& id)
    {
        const wxString centre = Eval("(function () { var r = document.getElementById('" + id +
                                     "')"
                                     ".getBoundingClientRect(); return Math.round(r.left + r.width / 2) + ','"
                                     " + Math.round(r.top + r.height / 2); })()");
        long x = 0, y = 0;
        ASSERT_TRUE(centre.BeforeFirst(',').ToLong(&x) && centre.AfterFirst(',').ToLong(&y)) << centre;
        kel::test::ClickAt(View(), wxPoint(x, y));
    }

    LoopbackServer m_server;
    RecordingCallBase m_callBase;
    ClientHandler m_client;
    std::vector<wxString> m_clicks;
};

} // namespace

TEST_F(PanelTest, CreatedHiddenAndShownByTheFirstNavigation)
{
    wxIEHtmlWin* browser = m_panel->GetIEWindow();
    ASSERT_NE(browser, nullptr);
    EXPECT_FALSE(browser->IsShown());
    EXPECT_EQ(browser->GetName(), "panel");
    EXPECT_EQ(browser->GetBackgroundColour(), wxColour(192, 192, 192));

    ASSERT_TRUE(Navigate(m_server.Url("/page")));
    EXPECT_TRUE(browser->IsShown());
    EXPECT_EQ(browser->GetSize(), m_panel->GetClientSize());
    EXPECT_TRUE(WaitUntil([&] { return m_panel->GetTitle() == "Page"; }));
    EXPECT_EQ(m_panel->GetText().Trim(), "page");

    m_panel->SetSize(500, 300);
    EXPECT_EQ(browser->GetRect(), wxRect(0, 0, 500, 300));
    // The browser takes the size the event reports, not the client area.
    wxSizeEvent resized(wxSize(321, 123), m_panel->GetId());
    resized.SetEventObject(m_panel);
    m_panel->GetEventHandler()->ProcessEvent(resized);
    EXPECT_EQ(browser->GetRect(), wxRect(0, 0, 321, 123));

    wxIEPanel* later = new wxIEPanel;
    EXPECT_EQ(later->GetIEWindow(), nullptr);
    EXPECT_TRUE(later->Create(m_frame, nullptr));
    EXPECT_NE(later->GetIEWindow(), nullptr);
    EXPECT_TRUE(wxString(later->GetClassInfo()->GetClassName()) == "wxIEPanel");
}

TEST_F(PanelTest, UserNameAndKeyFillEveryPlaceholder)
{
    const std::string key = zzSimpleEncryptString("s3cret", std::string());
    EXPECT_EQ(wxIEPanel::SubstituteUserInfo("u=varnel_user_name&k=varnel_user_key&again=varnel_user_name"),
              "u=alice&k=" + wxString(key) + "&again=alice");

    KelJabberJob::GetInstance()->SetMyPassWord("ALREADYENCRYPTED", true);
    EXPECT_EQ(wxIEPanel::SubstituteUserInfo("k=varnel_user_key"), "k=ALREADYENCRYPTED");
    EXPECT_EQ(wxIEPanel::SubstituteUserInfo("http://host/plain"), "http://host/plain");

    m_panel->OnNavigate(m_server.Url("/page?user=varnel_user_name&key=varnel_user_key"));
    ASSERT_TRUE(Completed("/page?user=alice"));
    EXPECT_EQ(m_server.CountRequests("/page?user=alice&key=ALREADYENCRYPTED"), 1u);
}

TEST_F(PanelTest, BlankPageReachesNeitherRulesNorCallBack)
{
    SetOnline(false);
    const size_t before = m_callBase.completed.size();
    m_panel->OnNavigate("about:blank");
    ASSERT_TRUE(WaitUntil([&] { return m_callBase.completed.size() > before; }));
    Pump(200);
    EXPECT_TRUE(m_callBase.navigations.empty());
    EXPECT_EQ(m_panel->GetIEWindow()->GetPropAsString("LocationURL"), "about:blank")
        << "no error page for the blank page, even offline";
}

TEST_F(PanelTest, OfflineEveryNavigationEndsOnTheLocalErrorPage)
{
    SetOnline(false);
    m_panel->OnNavigate(m_server.Url("/page"));
    ASSERT_TRUE(Completed("varnel_localerr.html"));
    EXPECT_EQ(m_server.CountRequests("/page"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return m_panel->GetTitle() == "Local error"; }));

    ASSERT_EQ(m_callBase.navigations.size(), 2u);
    EXPECT_EQ(m_callBase.navigations[0], m_server.Url("/page"));
    EXPECT_TRUE(m_callBase.cancelled[0]);
    EXPECT_TRUE(m_callBase.navigations[1].EndsWith("/locale/en/varnel_localerr.html"));
    EXPECT_FALSE(m_callBase.cancelled[1]) << "the error page itself loads";
    EXPECT_EQ(wxIEPanel::GetLocalErrorPage(), wxGetCwd() + "/locale/en/varnel_localerr.html");
}

TEST_F(PanelTest, FailuresAndAddressesWithoutHostShowTheLocalErrorPage)
{
    int port = 0;
    {
        LoopbackServer closed;
        port = closed.GetPort();
    }
    m_panel->OnNavigate(wxString::Format("http://127.0.0.1:%d/gone", port));
    ASSERT_TRUE(Completed("varnel_localerr.html"));
    EXPECT_TRUE(std::any_of(m_callBase.navigations.begin(), m_callBase.navigations.end(),
                            [](const wxString& url) { return url.Contains("shdoclc.dll"); }));

    // An address without host is judged as given, before the engine makes
    // "vr_start.htm" its host.
    m_callBase = RecordingCallBase();
    m_panel->OnNavigate("http:///vr_start.htm");
    ASSERT_TRUE(Completed("varnel_localerr.html"));
    const auto& seen = m_callBase.navigations;
    const auto asGiven = std::find(seen.begin(), seen.end(), "http:///vr_start.htm");
    ASSERT_NE(asGiven, seen.end());
    EXPECT_TRUE(m_callBase.cancelled[asGiven - seen.begin()]);
    Pump(200);
    EXPECT_TRUE(m_clicks.empty());
}

TEST_F(PanelTest, BuiltInPageClickPostsOneEventInsteadOfNavigating)
{
    m_server.SetPage("/links", "<html><body style='margin:20px'>"
                               "<a id=group href='/vr_group.htm?id=7'>group</a></body></html>");
    ASSERT_TRUE(Navigate(m_server.Url("/links")));
    ClickElement("group");
    ASSERT_TRUE(WaitUntil([&] { return !m_clicks.empty(); }));
    Pump(300);
    ASSERT_EQ(m_clicks.size(), 1u);
    EXPECT_EQ(m_clicks[0], wxString(m_server.Url("/vr_group.htm?id=7")).Mid(3));
    EXPECT_EQ(m_server.CountRequests("/vr_group.htm?id=7"), 0u);
    EXPECT_EQ(m_panel->GetIEWindow()->GetPropAsString("LocationURL"), m_server.Url("/links"));
}

TEST_F(PanelTest, NavigationCancelledEarlierPostsNoEvent)
{
    m_server.SetPage("/links", "<html><body><a id=start href='/vr_start.htm'>start</a></body></html>");
    ASSERT_TRUE(Navigate(m_server.Url("/links")));
    m_panel->GetIEWindow()->Bind(wxActiveXEventType("BeforeNavigate2"),
                                 [](wxActiveXEvent& event)
                                 {
                                     event["Cancel"] = true;
                                     event.Skip();
                                 });
    ClickElement("start");
    ASSERT_TRUE(WaitUntil([&] { return m_callBase.navigations.back().Contains("vr_start.htm"); }));
    Pump(300);
    EXPECT_TRUE(m_clicks.empty());
    EXPECT_EQ(m_server.CountRequests("/vr_start.htm"), 0u);
}

TEST_F(PanelTest, ScriptCommandsAnswerThePage)
{
    wxString launched;
    int launches = 0;
    wxIEPanel::SetDefaultBrowserLauncher(
        [&](const wxString& url)
        {
            launched = url;
            ++launches;
            return true;
        });
    ASSERT_TRUE(Navigate(m_server.Url("/page")));

    EXPECT_EQ(Eval("window.external.FetchUsers('g1', 'g2')"), "client:FetchUsers");
    EXPECT_EQ(Eval("window.external.fetchusers()"), "callback:fetchusers:")
        << "without arguments it falls through to the call-back";
    EXPECT_EQ(Eval("window.external.FetchUsers()"), "") << "which must accept it itself";
    EXPECT_EQ(Eval("window.external.OpenIM()"), "client:OpenIM");
    EXPECT_EQ(m_client.events, (std::vector<wxString>{"FetchUsers(g1,g2)", "OpenIM()"}));
    EXPECT_EQ(m_client.window, m_panel->GetIEWindow());

    EXPECT_EQ(Eval("window.external.OpenIE()"), "");
    EXPECT_EQ(launches, 0);
    EXPECT_EQ(Eval("window.external.OpenIE('" + m_server.Url("/?u=varnel_user_name") + "')"), "");
    EXPECT_EQ(launched, m_server.Url("/?u=alice"));
    Eval("window.external.OpenIE('http://elsewhere.example/?u=varnel_user_name')");
    EXPECT_EQ(launched, "http://elsewhere.example/?u=varnel_user_name") << "no user name for other origins";

    EXPECT_EQ(Eval("window.external.Extra(1, 2)"), "callback:Extra:1,2");
    EXPECT_EQ(Eval("(function () { try { window.external.Other(); return 'answered'; }"
                   " catch (e) { return 'refused'; } })()"),
              "refused");
}

TEST_F(PanelTest, WithoutCallBackUnknownCommandsAreRefused)
{
    wxIEPanel* bare = new wxIEPanel(m_frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    bare->OnNavigate(m_server.Url("/page"));
    wxWebView* view = bare->GetIEWindow()->GetWebView();
    ASSERT_TRUE(WaitUntil([&] { return bare->GetTitle() == "Page"; }, 10000));
    wxString answer;
    view->RunScript("window.external.FetchUsers()", &answer);
    EXPECT_EQ(answer, "");
    view->RunScript("(function () { try { window.external.Extra(); return 'answered'; }"
                    " catch (e) { return 'refused'; } })()",
                    &answer);
    EXPECT_EQ(answer, "refused");
}

TEST_F(PanelTest, OpenUrlAndPopupsOpenInBrowserFrames)
{
    m_server.SetPage("/popup", "<html><head><title>Popup</title></head><body>popup</body></html>");
    m_server.SetPage("/opener",
                     "<html><body><a id=pop target=_blank href='/popup?link'>pop</a></body></html>");
    ASSERT_TRUE(Navigate(m_server.Url("/opener")));

    ClickElement("pop");
    ASSERT_TRUE(WaitUntil([&] { return m_server.CountRequests("/popup?link") == 1; }, 10000));
    ASSERT_EQ(OpenBrowserFrames().size(), 1u);
    wxIEFrame* popup = OpenBrowserFrames()[0];
    EXPECT_TRUE(popup->IsShown());
    EXPECT_EQ(popup->GetSize(), wxSize(800, 500));
    EXPECT_TRUE(WaitUntil([&] { return popup->GetTitle() == "Popup"; }, 10000))
        << "the frame follows the page title";

    EXPECT_EQ(Eval("window.external.OpenUrl('" + m_server.Url("/popup?command") + "')"), "");
    ASSERT_TRUE(WaitUntil([&] { return m_server.CountRequests("/popup?command") == 1; }, 10000));
    ASSERT_EQ(OpenBrowserFrames().size(), 2u);
    EXPECT_TRUE(OpenBrowserFrames()[1]->IsShown());
    EXPECT_EQ(m_panel->GetIEWindow()->GetPropAsString("LocationURL"), m_server.Url("/opener"));
}

TEST_F(PanelTest, FrameDialsThroughThePhoneHandler)
{
    PhoneRecorder phone;
    wxIEFrame::RegisterPhoneHandler(&phone);
    wxIEFrame* frame = new wxIEFrame(m_server.Url("/page"), nullptr, wxID_ANY, "phone");
    EXPECT_TRUE(KelWindowManager::Get()->IsRegistered(frame));
    EXPECT_EQ(SkinWindowEngine::Get()->GetSkinName(frame), "IE_Frame");
    frame->Show();
    wxWebView* view = frame->GetIE()->GetWebView();
    ASSERT_TRUE(WaitUntil([&] { return frame->GetIE()->GetTitle() == "Page"; }, 10000));

    wxString answer = "unset";
    view->RunScript("window.external.mAKEcALL()", &answer);
    EXPECT_EQ(answer, "");
    EXPECT_TRUE(phone.numbers.empty());
    view->RunScript("window.external.MakeCall('+49 30 1234', 'ignored')", &answer);
    EXPECT_EQ(answer, "");
    EXPECT_EQ(phone.numbers, (std::vector<wxString>{"+49 30 1234"}));
}

TEST_F(PanelTest, HideWhenCloseKeepsTheFrameAndItsPage)
{
    wxIEFrame* frame = new wxIEFrame(m_server.Url("/page"), nullptr);
    frame->Show();
    ASSERT_TRUE(WaitUntil([&] { return m_server.CountRequests("/page") == 1; }, 10000));

    frame->HideWhenCose(true);
    frame->Close();
    Pump(100);
    ASSERT_EQ(OpenBrowserFrames().size(), 1u) << "only hidden";
    EXPECT_FALSE(frame->IsShown());
    frame->Show();
    Pump(500);
    EXPECT_EQ(m_server.CountRequests("/page"), 1u) << "showing again does not reload";

    frame->LoadUrl(m_server.Url("/page?next"));
    EXPECT_TRUE(WaitUntil([&] { return m_server.CountRequests("/page?next") == 1; }, 10000));

    frame->HideWhenCose(false);
    frame->Close();
    EXPECT_TRUE(WaitUntil([&] { return OpenBrowserFrames().empty(); }));
}

TEST_F(PanelTest, PageClosingItsWindowClosesTheFrame)
{
    wxIEFrame* frame = new wxIEFrame(m_server.Url("/page"), nullptr);
    frame->Show();
    ASSERT_TRUE(WaitUntil([&] { return frame->GetIE()->GetTitle() == "Page"; }, 10000));
    frame->GetIE()->GetWebView()->RunScript("window.close(); 1");
    EXPECT_TRUE(WaitUntil([&] { return OpenBrowserFrames().empty(); }));
}

TEST_F(PanelTest, ClientDecidesWhichOriginsAreTrusted)
{
    LoopbackServer other;
    other.SetPage("/page", "<html><head><title>Other</title></head><body>other</body></html>");
    wxIEHtmlWin* browser = m_panel->GetIEWindow();
    m_panel->OnNavigate(m_server.Url("/page?user=varnel_user_name"));
    ASSERT_TRUE(Completed("/page?user=alice"));
    EXPECT_EQ(browser->GetTrustedOrigins(), wxArrayString(1, wxString(m_server.Url(""))));
    EXPECT_TRUE(browser->IsPageTrusted());
    EXPECT_EQ(Eval("window.external.Extra('a')"), "callback:Extra:a");

    // Taken back: the page's calls fail, and the first refusal is logged.
    const wxString call = "(function () { try { return window.external.Extra('b'); }"
                          " catch (e) { return 'refused'; } })()";
    {
        kel::test::LogCollector log;
        browser->DistrustUrl(m_server.Url("/elsewhere"));
        EXPECT_FALSE(browser->IsPageTrusted());
        EXPECT_EQ(Eval(call), "refused");
        EXPECT_EQ(Eval(call), "refused");
        EXPECT_EQ(std::count_if(log.messages.begin(), log.messages.end(),
                                [](const wxString& message)
                                { return message.Contains("not a trusted page"); }),
                  1);
    }

    // An origin the client adds is trusted wherever the page comes from;
    // user name and key are filled in only for trusted origins.
    Eval("location.href = '" + other.Url("/page") + "'; 1");
    ASSERT_TRUE(Completed(other.Url("/page")));
    EXPECT_EQ(Eval(call), "refused");
    browser->TrustUrl(other.Url("/any/path"));
    EXPECT_EQ(Eval(call), "callback:Extra:b");
    m_panel->OnNavigate(m_server.Url("/page?again=varnel_user_name"), wxIEHTML_TRUST_UNCHANGED);
    ASSERT_TRUE(Completed("/page?again="));
    EXPECT_EQ(m_server.CountRequests("/page?again=varnel_user_name"), 1u);
    EXPECT_EQ(m_server.CountRequests("/page?user=alice"), 1u);

    browser->SetTrustedOrigins(wxArrayString(1, other.Url("/")));
    EXPECT_EQ(browser->GetTrustedOrigins(), wxArrayString(1, wxString(other.Url(""))));
    EXPECT_FALSE(browser->IsPageTrusted());
}

TEST_F(PanelTest, PagesFromStringsAreTrustedUntilThePageLeaves)
{
    wxIEHtmlWin* browser = m_panel->GetIEWindow();
    EXPECT_FALSE(browser->IsPageTrusted()) << "the blank page the browser starts with";
    ASSERT_TRUE(browser->LoadString("<body>string page</body>"));
    ASSERT_TRUE(WaitUntil([&] { return browser->IsPageTrusted(); }, 10000));
    EXPECT_EQ(Eval("window.external.Extra('s')"), "callback:Extra:s");

    // A blank page the page itself opens is not the program's.
    Eval("location.href = 'about:blank'; 1");
    ASSERT_TRUE(WaitUntil([&] { return !browser->IsPageTrusted(); }, 10000));
    EXPECT_TRUE(browser->GetTrustedOrigins().empty());
}
