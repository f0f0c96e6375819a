// The web browser control hosted by wxActiveX: a toolkit web view that
// publishes the browser's events, properties and methods, and answers the
// page's external object through the container's script hooks.
#ifndef KELCTRLS_BROWSER_WEBBROWSER_H
#define KELCTRLS_BROWSER_WEBBROWSER_H

#include <kelctrls/browser/activex.h>

class wxWebView;
class wxWebViewEvent;

namespace kel
{

// Member ids the browser publishes.
enum BrowserMember : long
{
    // events
    BROWSER_STATUSTEXTCHANGE = 102,
    BROWSER_DOWNLOADCOMPLETE = 104,
    BROWSER_PROGRESSCHANGE = 108,
    BROWSER_TITLECHANGE = 113,
    BROWSER_BEFORENAVIGATE2 = 250,
    BROWSER_NEWWINDOW2 = 251,
    BROWSER_NAVIGATECOMPLETE2 = 252,
    BROWSER_ONQUIT = 253,
    BROWSER_DOCUMENTCOMPLETE = 259,
    BROWSER_NAVIGATEERROR = 271,
    // properties
    BROWSER_LOCATIONNAME = 210,
    BROWSER_LOCATIONURL = 211,
    BROWSER_BUSY = 212,
    BROWSER_VISIBLE = 402,
    BROWSER_STATUSTEXT = 403,
    BROWSER_READYSTATE = -525,
    // methods
    BROWSER_GOBACK = 100,
    BROWSER_GOFORWARD = 101,
    BROWSER_GOHOME = 102,
    BROWSER_GOSEARCH = 103,
    BROWSER_NAVIGATE = 104,
    BROWSER_REFRESH2 = 105,
    BROWSER_STOP = 106,
    BROWSER_EXECWB = 500,
    BROWSER_REFRESH = -550,
    // ambient properties
    AMBIENT_USERMODE = -709
};

// Commands of ExecWB.
enum BrowserCommand
{
    BROWSER_CMD_CUT = 11,
    BROWSER_CMD_COPY = 12,
    BROWSER_CMD_PASTE = 13,
    BROWSER_CMD_UNDO = 15,
    BROWSER_CMD_REDO = 16,
    BROWSER_CMD_SELECTALL = 17,
    BROWSER_CMD_CLEAR = 18
};

// Ready states.
enum
{
    READYSTATE_UNINITIALIZED = 0,
    READYSTATE_LOADING = 1,
    READYSTATE_INTERACTIVE = 3,
    READYSTATE_COMPLETE = 4
};

// Where the browser shows its own error page; navigations to it carry this
// address followed by '#' and the address that failed.
extern const char BrowserErrorPageUrl[];

class WebBrowserControl : public wxAxHostedControl
{
public:
    static const char ClassId[];
    static const char ProgId[];

    WebBrowserControl();
    ~WebBrowserControl() override;

    bool Create(wxActiveX* container) override;
    wxWindow* GetWindow() const override;
    void DescribeTypes(wxAxTypeInfo& info) const override;
    bool GetProperty(long memid, wxAxVariant& value) override;
    bool SetProperty(long memid, const wxAxVariant& value) override;
    bool Invoke(long memid, std::vector<wxAxVariant>& args, wxAxVariant& result) override;
    void AmbientPropertyChanged(long memid) override;

    wxWebView* GetWebView() const { return m_view; }

    // Loads `url`; with `postData` (form-encoded fields) the page is fetched
    // with a form post. An empty address does nothing.
    bool Navigate(const wxString& url, const wxString& postData = wxString());
    void LoadHtml(const wxString& html);

    void SetHomePage(const wxString& url) { m_homePage = url; }
    const wxString& GetHomePage() const { return m_homePage; }
    void SetSearchPage(const wxString& url) { m_searchPage = url; }
    const wxString& GetSearchPage() const { return m_searchPage; }

    // True while a page's external call is being answered: the page waits
    // for the answer then, so script must not be run in it synchronously.
    bool IsAnsweringScript() const { return m_answering > 0; }

    // Runs `code` in the page; false when it failed. While the page waits for
    // an answer, `code` goes with the answer instead (see the bridge), true
    // is returned and `output` is left alone.
    bool RunScript(const wxString& code, wxString* output = nullptr);

    // Answers a page's external call through the container's scripting
    // object; false when the name is refused. `scripts` are what was run in
    // the page meanwhile.
    bool AnswerScriptCall(const wxString& name, const wxArrayString& args, wxString& answer,
                          wxArrayString& scripts);

    // The live control whose container is `container`, or null.
    static WebBrowserControl* FromContainer(const void* container);
    static WebBrowserControl* FromToken(int token);

private:
    void FireSimple(long memid, std::vector<wxAxVariant> args);
    wxAxVariant Dispatch() const;
    bool ExecCommand(long command);
    void ShowErrorPage(const wxString& url, const wxString& description);
    wxString ReportedTarget(const wxString& engineUrl);

    void OnNavigating(wxWebViewEvent& event);
    void OnNavigated(wxWebViewEvent& event);
    void OnLoaded(wxWebViewEvent& event);
    void OnError(wxWebViewEvent& event);
    void OnTitleChanged(wxWebViewEvent& event);
    void OnNewWindow(wxWebViewEvent& event);
    void OnScriptMessage(wxWebViewEvent& event);
    static void OnProgress(void* view, void* param, void* self);

    wxActiveX* m_container = nullptr;
    wxWebView* m_view = nullptr;
    int m_token = 0;
    int m_answering = 0;
    int m_readyState = READYSTATE_UNINITIALIZED;
    unsigned long m_progressConnection = 0;
    wxString m_statusText;
    wxString m_homePage;
    wxString m_searchPage;
    // The address of the last load the program asked for, until the engine
    // starts it.
    wxString m_requestedUrl;
    wxArrayString m_scriptsForAnswer;
};

} // namespace kel

#endif
