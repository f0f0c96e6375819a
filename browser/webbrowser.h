// The web browser control hosted by wxActiveX: a toolkit web view that
// publishes the browser's events, properties and methods, and answers the
// page's external object through the container's script hooks.
#ifndef KELCTRLS_BROWSER_WEBBROWSER_H
#define KELCTRLS_BROWSER_WEBBROWSER_H

#include <kelctrls/browser/activex.h>

#include <set>
#include <string>
#include <vector>

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

// The origin by which a view trusts `url`: "scheme://host[:port]" (without
// the scheme's default port) for web addresses, "file://" and the decoded
// path for local files (each file stands alone), empty for every other
// address, which is never trusted.
wxString OriginOf(const wxString& url);

// `text` with every lone surrogate replaced by U+FFFD, so that it survives
// the way to the page.
wxString WellFormed(const wxString& text);

// Splits and decodes the body of a bridge request: fields separated by '&',
// each percent-encoded UTF-8. False when an escape is malformed, a field is
// not UTF-8 or holds a NUL: such a call must fail, not run truncated.
bool DecodeBridgeFields(const std::string& body, std::vector<wxString>& fields);

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
    // with a form post. The target's origin becomes trusted unless
    // `trustTarget` is false. An empty address does nothing.
    bool Navigate(const wxString& url, const wxString& postData = wxString(), bool trustTarget = true);
    // Shows `html`; the page is the program's own, so it is trusted.
    void LoadHtml(const wxString& html);

    void SetHomePage(const wxString& url) { m_homePage = url; }
    const wxString& GetHomePage() const { return m_homePage; }
    void SetSearchPage(const wxString& url) { m_searchPage = url; }
    const wxString& GetSearchPage() const { return m_searchPage; }

    // The document's title: the engine's, or while the engine has not
    // reported it yet, the one read from the document when it completed.
    wxString GetTitle() const;

    // Trust: the origins whose pages reach the program (see OriginOf).
    void TrustUrl(const wxString& url);
    void DistrustUrl(const wxString& url);
    bool IsTrustedUrl(const wxString& url) const;
    wxArrayString GetTrustedOrigins() const;
    void SetTrustedOrigins(const wxArrayString& urls);
    // Whether the page shown now is trusted: one from a string, or one of a
    // trusted origin.
    bool IsPageTrusted() const;

    // True while a page's external call is being answered: the page waits
    // for the answer then, so script must not be run in it synchronously.
    bool IsAnsweringScript() const { return !m_answers.empty(); }

    // Runs `code` in the page; false when it failed. While the page waits for
    // an answer, `code` goes with the answer instead (see the bridge), true
    // is returned and `output` is left alone.
    bool RunScript(const wxString& code, wxString* output = nullptr);

    enum CallOutcome
    {
        CALL_ANSWERED,
        CALL_REFUSED,
        // The view was destroyed while the call was answered.
        CALL_DROPPED
    };
    // Answers a page's external call through the container's scripting
    // object. `scripts` are what was run in the page meanwhile. After
    // CALL_DROPPED this object is gone.
    CallOutcome AnswerScriptCall(const wxString& name, const wxArrayString& args, wxString& answer,
                                 wxArrayString& scripts);

    // The live control whose container is `container`, or null.
    static WebBrowserControl* FromContainer(const void* container);

private:
    void FireSimple(long memid, std::vector<wxAxVariant> args);
    wxAxVariant Dispatch() const;
    bool ExecCommand(long command);
    void ShowErrorPage(const wxString& url, const wxString& description);
    wxString ReportedTarget(const wxString& engineUrl);
    void ReportTitle(const wxString& title);
    wxString ReadDocumentTitle();
    void LogRefusal(const wxString& what);

    static void OnBridgeRequest(void* request, void* userData);
    void AnswerBridgeRequest(void* request);

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
    // Ties the bridge's requests and messages to this view; only the bridge
    // in the top-level frame knows it.
    wxString m_secret;
    int m_readyState = READYSTATE_UNINITIALIZED;
    unsigned long m_progressConnection = 0;
    wxString m_statusText;
    wxString m_homePage;
    wxString m_searchPage;
    // The address of the last load the program asked for, until the engine
    // starts it.
    wxString m_requestedUrl;
    std::set<wxString> m_trusted;
    // Set while a page from a string is on its way; the page that commits
    // then is the program's own.
    bool m_loadingHtml = false;
    bool m_programDocument = false;
    bool m_refusalLogged = false;
    wxString m_title;
    // The scripts run while calls are answered, one list per call (nested
    // calls stack up).
    std::vector<wxArrayString> m_answers;
};

} // namespace kel

#endif
