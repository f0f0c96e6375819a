// The browser window against the real web engine: pages from files, from
// strings and from a loopback server; the page's external object answering
// synchronously; navigation events and their Cancel; script calls into the
// page.
#include "testsupport.h"
#include "browsertest.h"

#include <kelctrls/browser.h>

#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/sstream.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

using kel::test::LoopbackServer;
using kel::test::Pump;
using kel::test::WaitUntil;

namespace
{

// A browser whose pages may call "Echo", "Join" and "Poke".
class ScriptedHtmlWin : public wxIEHtmlWin
{
public:
    explicit ScriptedHtmlWin(wxWindow* parent)
        : wxIEHtmlWin(parent, wxID_ANY, wxPoint(0, 0), wxSize(600, 400))
    {
    }

    bool JScriptCheck(const wxString& name) override
    {
        return name.IsSameAs("Echo", false) || name.IsSameAs("Join", false) || name.IsSameAs("Poke", false);
    }

    wxString JScriptProcess(const wxString& name, wxArrayString& args) override
    {
        calls.push_back(name);
        if (name.IsSameAs("Echo", false))
            return args.empty() ? wxString("nothing") : args[0];
        if (name.IsSameAs("Poke", false))
            return wxString::Format("%d", CallJScript("poked", args));
        return wxString::Format("%zu:", args.size()) + wxJoin(args, '|', 0);
    }

    std::vector<wxString> calls;
};

class WebViewTest : public kel::test::TempCwdTest
{
protected:
    void SetUp() override
    {
        TempCwdTest::SetUp();
        m_frame = new wxFrame(nullptr, wxID_ANY, "browser", wxDefaultPosition, wxSize(640, 480));
        m_browser = new ScriptedHtmlWin(m_frame);
        m_frame->Bind(wxActiveXEventType("DocumentComplete"),
                      [this](wxActiveXEvent& e)
                      {
                          m_loaded.push_back(e["URL"].GetString());
                          e.Skip();
                      });
        m_frame->Show();
        ASSERT_TRUE(m_browser->HasControl());
        ASSERT_TRUE(WaitForLoads(1, 10000)) << "the initial blank page";
    }

    void TearDown() override
    {
        m_frame->Destroy();
        Pump(50);
        TempCwdTest::TearDown();
    }

    bool WaitForLoads(size_t count, int timeoutMs = 10000)
    {
        return WaitUntil([&] { return m_loaded.size() >= count; }, timeoutMs);
    }

    // Loads `url` and waits until the page is complete.
    bool Load(const wxString& url)
    {
        const size_t before = m_loaded.size();
        m_browser->LoadUrl(url);
        return WaitUntil([&] { return m_loaded.size() > before && m_loaded.back() == url; }, 10000);
    }

    bool LoadHtml(const wxString& html)
    {
        const size_t before = m_loaded.size();
        return m_browser->LoadString(html) && WaitForLoads(before + 1);
    }

    wxString Eval(const wxString& script) { return kel::test::Eval(m_browser->GetWebView(), script); }

    wxString FileUrl(const wxString& relative, const wxString& content)
    {
        WriteFile(relative, content);
        return wxFileName::FileNameToURL(wxFileName(PathOf(relative)));
    }

    wxFrame* m_frame = nullptr;
    ScriptedHtmlWin* m_browser = nullptr;
    std::vector<wxString> m_loaded;
};

const char CallingPage[] = "<html><head><meta charset='utf-8'><script>\n"
                           "var results = [];\n"
                           "results.push(window.external.Echo());\n"
                           "results.push(window.external.join('a b', 2, true, null, 'c&d=\xC3\xBC'));\n"
                           "results.push(window.external.ECHO('upper'));\n"
                           "try { window.external.Launch('x'); results.push('no error'); }\n"
                           "catch (e) { results.push('refused'); }\n"
                           "document.title = results.join(' ; ');\n"
                           "</script></head><body>calls</body></html>";

const char ExpectedCallResults[] = "nothing ; 5:a b|2|true||c&d=\xC3\xBC ; upper ; refused";

} // namespace

TEST_F(WebViewTest, PageFromFileGetsSynchronousAnswers)
{
    const wxString url = FileUrl("calls.html", wxString::FromUTF8(CallingPage));
    ASSERT_TRUE(Load(url));
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetTitle() == wxString::FromUTF8(ExpectedCallResults); }))
        << m_browser->GetTitle();
    EXPECT_EQ(m_browser->calls, (std::vector<wxString>{"Echo", "join", "ECHO"}))
        << "the refused name never reached JScriptProcess";
}

TEST_F(WebViewTest, PageFromLoopbackServerGetsSynchronousAnswers)
{
    LoopbackServer server;
    server.SetPage("/calls.html", CallingPage);
    ASSERT_TRUE(Load(server.Url("/calls.html")));
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetTitle() == wxString::FromUTF8(ExpectedCallResults); }))
        << m_browser->GetTitle();
    EXPECT_EQ(m_browser->GetPropAsString("LocationURL"), server.Url("/calls.html"));
    EXPECT_FALSE(m_browser->GetPropAsBool("Busy"));
    EXPECT_EQ(m_browser->GetPropAsLong("ReadyState"), 4);
}

TEST_F(WebViewTest, AnswerMayCallBackIntoTheWaitingPage)
{
    ASSERT_TRUE(LoadHtml("<body><p>words</p><script>"
                         "function poked(v) { window.pokedWith = v; }"
                         "</script></body>"));
    // The page waits for Poke's answer while Poke calls the page's function:
    // the call runs before the page's call returns, and leaves nothing behind
    // that later runs could take for their own results.
    EXPECT_EQ(Eval("window.external.Poke('later'); String(window.pokedWith)"), "later");
    EXPECT_EQ(Eval("window.external.Poke('again')"), "1");
    EXPECT_EQ(Eval("String(window.pokedWith)"), "again");
    EXPECT_EQ(m_browser->GetText().Trim(), "words");
}

TEST_F(WebViewTest, CancelInBeforeNavigateStopsTheNavigation)
{
    LoopbackServer server;
    server.SetPage("/start.html", "<html><body>start</body></html>");
    server.SetPage("/blocked.html", "<html><body>blocked</body></html>");
    ASSERT_TRUE(Load(server.Url("/start.html")));

    std::vector<wxString> seen;
    m_frame->Bind(wxActiveXEventType("BeforeNavigate2"),
                  [&](wxActiveXEvent& event)
                  {
                      seen.push_back(event["URL"].GetString());
                      EXPECT_EQ(event["pDisp"].GetVoidPtr(), static_cast<void*>(m_browser));
                      if (event["url"].GetString().Contains("blocked"))
                          event["cancel"] = true;
                  });
    m_browser->LoadUrl(server.Url("/blocked.html"));
    Eval("document.body.innerHTML = '<a id=l href=\"/blocked.html?link\">go</a>';"
         "document.getElementById('l').click(); 1");
    ASSERT_TRUE(WaitUntil([&] { return seen.size() >= 2; }));
    Pump(300);
    EXPECT_EQ(server.CountRequests("/blocked.html"), 0u);
    EXPECT_EQ(server.CountRequests("/blocked.html?link"), 0u);
    EXPECT_EQ(m_browser->GetPropAsString("LocationURL"), server.Url("/start.html"));
}

TEST_F(WebViewTest, StringsAndStreamsArePrefixedWithHtml)
{
    ASSERT_TRUE(LoadHtml("<body><p>hello <b>there</b></p></body>"));
    EXPECT_TRUE(m_browser->GetText(true).StartsWith("<html><body><p>hello"));
    EXPECT_EQ(m_browser->GetText(false).Trim(), "hello there");

    wxStringInputStream stream("<title>streamed</title><body>s</body>");
    const size_t before = m_loaded.size();
    ASSERT_TRUE(m_browser->LoadStream(&stream));
    ASSERT_TRUE(WaitForLoads(before + 1));
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetTitle() == "streamed"; }));
}

TEST_F(WebViewTest, CallJScriptWithAndWithoutArguments)
{
    ASSERT_TRUE(
        LoadHtml("<body><script>"
                 "var calls = 0, lastArgs = null;"
                 "function record() { ++calls; lastArgs = Array.prototype.join.call(arguments, '|'); }"
                 "function fails() { throw new Error('x'); }"
                 "</script></body>"));
    EXPECT_EQ(m_browser->CallJScript("record", wxArrayString()), 1);
    EXPECT_EQ(Eval("calls + ':' + lastArgs"), "1:");

    wxArrayString args;
    args.Add("a \"quoted\" \\ line\nbreak");
    args.Add(wxString::FromUTF8("\xE2\x82\xAC"));
    EXPECT_EQ(m_browser->CallJScript("record", args), 1);
    EXPECT_EQ(Eval("lastArgs"), args[0] + "|" + args[1]);

    EXPECT_EQ(m_browser->CallJScript("missing", args), 0);
    EXPECT_EQ(m_browser->CallJScript("fails", args), 0);
    EXPECT_EQ(Eval("calls"), "2");
}

TEST_F(WebViewTest, ScriptTextsAndScriptElementsFromContent)
{
    ASSERT_TRUE(LoadHtml("<head><script>var first = 1;</script></head>"
                         "<body><script type='text/javascript'>var second = '&amp;';</script></body>"));
    wxArrayString texts;
    texts.Add("kept");
    m_browser->GetScriptTexts(texts);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1], "var first = 1;");
    EXPECT_EQ(texts[2], "var second = '&amp;';");

    // A script loaded from a file has no text of its own but still counts.
    ASSERT_TRUE(LoadHtml("<body><script src='none.js'></script></body>"));
    wxArrayString fromFile;
    m_browser->GetScriptTexts(fromFile);
    ASSERT_EQ(fromFile.size(), 1u);
    EXPECT_EQ(fromFile[0], "");

    ASSERT_TRUE(LoadHtml("<body>no scripts</body>"));
    wxArrayString none;
    m_browser->GetScriptTexts(none);
    EXPECT_TRUE(none.empty());

    wxString element = "<SCRIPT language=\"JavaScript\">window.ranByFrame = 40 + 2;</SCRIPT>";
    wxString language;
    ASSERT_TRUE(wxIEHtmlWin::GetScriptLangCode(element, language));
    EXPECT_TRUE(m_browser->RunScriptByFrame(element, language));
    EXPECT_EQ(Eval("window.ranByFrame"), "42");
    EXPECT_FALSE(m_browser->RunScriptByFrame("x = 1", "vbscript"));
}

TEST_F(WebViewTest, PostDataReachesTheServer)
{
    LoopbackServer server;
    server.SetPage("/form", "<html><body>posted</body></html>");
    const size_t before = m_loaded.size();
    ASSERT_TRUE(m_browser->LoadUrl(server.Url("/form"), "name=J%C3%BCrgen&sum=1+2"));
    ASSERT_TRUE(
        WaitUntil([&] { return m_loaded.size() >= before + 2 && m_loaded.back() == server.Url("/form"); }));
    const auto requests = server.GetRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].body, "name=J%C3%BCrgen&sum=1+2");
}

TEST_F(WebViewTest, NavigationEventsPropertiesAndHistory)
{
    LoopbackServer server;
    server.SetPage("/one",
                   "<html><head><title>One</title></head><body><a id=l href='/two'>two</a></body></html>");
    server.SetPage("/two", "<html><head><title>Two</title></head><body>second</body></html>");

    std::vector<wxString> titles;
    std::vector<wxString> completed;
    std::vector<wxString> status;
    m_frame->Bind(wxActiveXEventType("TitleChange"),
                  [&](wxActiveXEvent& e) { titles.push_back(e["Text"].GetString()); });
    m_frame->Bind(wxActiveXEventType("navigatecomplete2"),
                  [&](wxActiveXEvent& e) { completed.push_back(e["URL"].GetString()); });
    m_frame->Bind(wxActiveXEventType(102L),
                  [&](wxActiveXEvent& e) { status.push_back(e["Text"].GetString()); });

    ASSERT_TRUE(Load(server.Url("/one")));
    Eval("document.getElementById('l').dispatchEvent(new MouseEvent('mouseover', {bubbles: true})); 1");
    EXPECT_TRUE(WaitUntil([&] { return !status.empty(); }));
    EXPECT_EQ(status.empty() ? wxString() : status.back(), server.Url("/two"));

    ASSERT_TRUE(Load(server.Url("/two")));
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetPropAsString("LocationName") == "Two"; }));
    EXPECT_TRUE(WaitUntil([&] { return !titles.empty() && titles.back() == "Two"; }));
    EXPECT_NE(std::find(completed.begin(), completed.end(), server.Url("/one")), completed.end());

    const size_t before = m_loaded.size();
    EXPECT_TRUE(m_browser->GoBack());
    ASSERT_TRUE(WaitUntil([&] { return m_browser->GetPropAsString("LocationURL") == server.Url("/one"); }));
    WaitForLoads(before + 1);
    EXPECT_TRUE(m_browser->GoForward());
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetTitle() == "Two"; }));

    m_browser->SetHomePage(server.Url("/one"));
    EXPECT_TRUE(m_browser->GoHome());
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetTitle() == "One"; }));
}

TEST_F(WebViewTest, FailedNavigationShowsTheBrowsersErrorPage)
{
    int port = 0;
    {
        LoopbackServer closed;
        port = closed.GetPort();
    }
    const wxString unreachable = wxString::Format("http://127.0.0.1:%d/gone", port);
    std::vector<wxString> errors;
    std::vector<wxString> navigations;
    m_frame->Bind(wxActiveXEventType("NavigateError"),
                  [&](wxActiveXEvent& e) { errors.push_back(e["URL"].GetString()); });
    m_frame->Bind(wxActiveXEventType("BeforeNavigate2"),
                  [&](wxActiveXEvent& e) { navigations.push_back(e["URL"].GetString()); });
    m_browser->LoadUrl(unreachable);
    ASSERT_TRUE(WaitUntil([&] { return !errors.empty(); }));
    EXPECT_EQ(errors[0], unreachable);
    ASSERT_TRUE(WaitUntil([&] { return navigations.size() >= 2; }));
    EXPECT_TRUE(navigations[1].Contains("shdoclc.dll")) << navigations[1];
    EXPECT_TRUE(navigations[1].EndsWith("#" + unreachable)) << navigations[1];
}

TEST_F(WebViewTest, EditModeAndEditingCommands)
{
    ASSERT_TRUE(LoadHtml("<body><p id=p>select me</p></body>"));
    EXPECT_EQ(Eval("String(document.body.isContentEditable)"), "false");
    m_browser->SetEditMode(true);
    EXPECT_TRUE(m_browser->GetEditMode());
    EXPECT_EQ(Eval("String(document.body.isContentEditable)"), "true");
    m_browser->SetEditMode(false);
    EXPECT_EQ(Eval("String(document.body.isContentEditable)"), "false");

    EXPECT_TRUE(m_browser->ExecWB(17));
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetStringSelection().Trim() == "select me"; }));
    EXPECT_FALSE(m_browser->ExecWB(99)) << "unknown command";

    m_browser->SetEditMode(true);
    EXPECT_TRUE(m_browser->ExecWB(18));
    EXPECT_TRUE(WaitUntil([&] { return Eval("document.body.innerText.trim()").empty(); }))
        << "clear removed the selected text";
}

TEST_F(WebViewTest, CtrlKeysReachTheEditingCommands)
{
    ASSERT_TRUE(LoadHtml("<body><p id=p>select me</p></body>"));
    std::vector<int> commands;
    m_browser->Bind(wxEVT_MENU,
                    [&](wxCommandEvent& e)
                    {
                        commands.push_back(e.GetId());
                        e.Skip();
                    });
    m_browser->SetEditMode(true);
    kel::test::ClickAt(m_browser->GetWebView(), wxPoint(30, 30));
    Pump(200);

    // Keys the engine knows itself it handles; the others become commands.
    wxUIActionSimulator sim;
    sim.Char('a', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return m_browser->GetStringSelection().Trim() == "select me"; }));
    sim.Char('d', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return Eval("document.body.innerText.trim()").empty(); }));
    sim.Char('f', wxMOD_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return commands.size() >= 2; }));
    EXPECT_EQ(commands, (std::vector<int>{wxID_CLEAR, wxID_FIND}));
}

TEST_F(WebViewTest, TitleIsKnownWhenEachPageCompletes)
{
    // Three views load pages with distinct titles from files and strings;
    // each completion handler reads the title, which the title change
    // reported before.
    struct Sequence
    {
        ScriptedHtmlWin* browser = nullptr;
        int loaded = 0;
        bool ready = false;
        wxString expected;
        wxString lastTitleChange;
    };
    const int pagesPerView = 100;
    std::vector<Sequence> sequences(3);
    std::vector<wxString> misses;
    // Events still queued when the test ends find it over.
    const auto running = std::make_shared<bool>(true);

    std::function<void(size_t)> loadNext = [&](size_t index)
    {
        Sequence& sequence = sequences[index];
        sequence.expected = wxString::Format("View %zu page %d", index, sequence.loaded);
        const wxString html =
            "<head><title>" + sequence.expected + "</title></head><body>" + sequence.expected + "</body>";
        if (sequence.loaded % 2)
            sequence.browser->LoadString(html);
        else
            sequence.browser->LoadUrl(
                FileUrl(wxString::Format("v%zu/p%d.html", index, sequence.loaded), html));
    };
    for (size_t index = 0; index < sequences.size(); ++index)
    {
        Sequence& sequence = sequences[index];
        sequence.browser = index == 0 ? m_browser : new ScriptedHtmlWin(m_frame);
        sequence.ready = index == 0;
        sequence.browser->Bind(wxActiveXEventType("TitleChange"),
                               [&sequence, running](wxActiveXEvent& e)
                               {
                                   e.Skip();
                                   if (*running)
                                       sequence.lastTitleChange = e["Text"].GetString();
                               });
        sequence.browser->Bind(wxActiveXEventType("DocumentComplete"),
                               [&, index, running](wxActiveXEvent& e)
                               {
                                   e.Skip();
                                   if (!*running)
                                       return;
                                   Sequence& s = sequences[index];
                                   if (s.expected.empty())
                                   {
                                       s.ready = true;
                                       return;
                                   }
                                   if (s.browser->GetTitle() != s.expected || s.lastTitleChange != s.expected)
                                       misses.push_back(s.expected + ": title '" + s.browser->GetTitle() +
                                                        "', last change '" + s.lastTitleChange + "'");
                                   s.expected.clear();
                                   if (++s.loaded < pagesPerView)
                                       m_frame->CallAfter(
                                           [&loadNext, index, running]
                                           {
                                               if (*running)
                                                   loadNext(index);
                                           });
                               });
    }
    ASSERT_TRUE(WaitUntil([&] { return sequences[1].ready && sequences[2].ready; }, 10000));

    for (size_t index = 0; index < sequences.size(); ++index)
        loadNext(index);
    EXPECT_TRUE(WaitUntil(
        [&]
        {
            return std::all_of(sequences.begin(), sequences.end(),
                               [&](const Sequence& s) { return s.loaded == pagesPerView; });
        },
        300000));
    EXPECT_EQ(misses.size(), 0u) << (misses.empty() ? wxString() : misses.front());
    *running = false;
}
