// The panel through which the client shows web pages in its own windows:
// it fills the signed-in user's name and key into the addresses of trusted
// origins it opens, shows a local error page instead of failures and while
// offline, hands clicks on the client's built-in pages to the application,
// opens pop-ups in browser frames and answers the client commands of trusted
// pages. Trust is the browser window's (see wxIEHtmlWin; reach it with
// GetIEWindow to read or change the trusted origins).
#ifndef KELCTRLS_BROWSER_IEPANEL_H
#define KELCTRLS_BROWSER_IEPANEL_H

#include <kelctrls/browser/iehtmlwin.h>

#include <wx/scrolwin.h>

#include <functional>

class wxIEPanel;

// Posted to the panel's parent when a link to one of the client's built-in
// pages ("vr_start.htm", "vr_group.htm", "vr_myspace.htm") is clicked; the
// string is the address without its first three characters.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_COMMAND_HTML_URL, wxCommandEvent);

// What the application adds to a panel: answers to the script commands the
// panel does not know itself, and a view of every browser event. The panel
// does not own it; it must outlive the panel.
class KELCTRLS_API wxIECallBase
{
public:
    // Whether a trusted page may call `name`. JScriptProcess is called only
    // for names this accepted, with the page's arguments; its text is the
    // page's answer. A handler may destroy the panel (the answer is then
    // dropped).
    virtual bool JScriptCheck(const wxString& name) = 0;
    virtual wxString JScriptProcess(const wxString& name, wxArrayString& args) = 0;
    virtual ~wxIECallBase() = default;

    // The browser's events as the panel sees them (see wxIEHtmlWin for
    // their parameters); the default bodies do nothing. Title changes come
    // to OnMSHTMLTitleChangeX, before the page's OnMSHTMLDocumentComplete.
    virtual void OnMSHTMLStatusTextChangeX(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLBeforeNavigate2X(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLTitleChangeX(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLNewWindow2X(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLProgressChangeX(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLDownloadComplete(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLDocumentComplete(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnMSHTMLNavigateComplete2(wxIEPanel* panel, wxActiveXEvent& event);
    virtual void OnWebBrowserClose(wxIEPanel* panel, wxActiveXEvent& event);
};

class KELCTRLS_API wxIEPanel : public wxScrolledWindow
{
public:
    // Two-step creation: the default constructor leaves the panel without a
    // window and without a browser until Create (or OnNavigate).
    wxIEPanel() = default;
    wxIEPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxHSCROLL | wxVSCROLL,
              const wxString& name = "wxIEPanel");
    wxIEPanel(wxWindow* parent, wxIECallBase* callBase, wxWindowID id = wxID_ANY,
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
              long style = wxHSCROLL | wxVSCROLL, const wxString& name = "wxIEPanel");

    // Creates the panel and its hidden browser window; `callBase` (may be
    // null, not owned) gets the events and the unknown commands.
    bool Create(wxWindow* parent, wxIECallBase* callBase, wxWindowID id = wxID_ANY,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxHSCROLL | wxVSCROLL, const wxString& name = "wxIEPanel");

    // Creates the (hidden) browser window once, a child the panel owns;
    // `style` is its window style.
    void CreateIE(long style, wxIECallBase* callBase);

    // Opens `url` and shows the browser. With wxIEHTML_TRUST_TARGET (the
    // program's own navigation) the origin of `url` becomes trusted (see
    // wxIEHtmlWin). Into an address of a trusted origin the signed-in
    // user's name and key are filled in ("varnel_user_name",
    // "varnel_user_key"); other addresses are opened as given.
    void OnNavigate(const wxString& url, wxIEHtmlTrust trust = wxIEHTML_TRUST_TARGET);

    // The browser window (owned by the panel; null before creation) and the
    // call-back.
    wxIEHtmlWin* GetIEWindow() const { return m_browser; }
    wxIECallBase* GetCallBase() const { return m_callBase; }
    // The page's text and title (empty without a browser).
    wxString GetText();
    wxString GetTitle();

    // Nothing to clean up here; kept for the client's code.
    static int DelTempFiles();
    void ReleaseIE();

    // `url` with "varnel_user_name" replaced by the signed-in user's name and
    // "varnel_user_key" by the user's key, whatever the address. The panel
    // itself fills them in only for trusted origins.
    static wxString SubstituteUserInfo(const wxString& url);
    // The local error page of the selected language.
    static wxString GetLocalErrorPage();

    // How "OpenIE" opens an address in the desktop's browser (by default
    // wxLaunchDefaultBrowser); clients and tests may replace it.
    //
    // The commands of trusted pages: "FetchUsers" (with arguments) and
    // "OpenIM" send an HtmlCallFuncEvent through the core library's job
    // object and answer with its result; "OpenUrl" opens its http or https
    // address, or a local file this view trusts, in a new browser frame (which
    // trusts the address only when this view does); "OpenIE" hands its http
    // or https address to the launcher, with the user's name and key only for
    // a trusted origin. Other addresses do nothing. Every other name, and
    // "FetchUsers" and "OpenUrl" without arguments, go to the call-back when
    // its JScriptCheck accepts them; otherwise the answer is empty.
    using BrowserLauncher = std::function<bool(const wxString& url)>;
    static void SetDefaultBrowserLauncher(BrowserLauncher launcher);

protected:
    void OnMSHTMLStatusTextChangeX(wxActiveXEvent& event);
    void OnMSHTMLBeforeNavigate2X(wxActiveXEvent& event);
    void OnMSHTMLTitleChangeX(wxActiveXEvent& event);
    void OnMSHTMLNewWindow2X(wxActiveXEvent& event);
    void OnMSHTMLProgressChangeX(wxActiveXEvent& event);
    void OnMSHTMLDownloadComplete(wxActiveXEvent& event);
    void OnMSHTMLDocumentComplete(wxActiveXEvent& event);
    void OnMSHTMLNavigateComplete2(wxActiveXEvent& event);
    void OnWebBrowserClose(wxActiveXEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnChar(wxKeyEvent& event);

private:
    friend class IEPanelHtmlWin;

    bool JScriptCheck(const wxString& name);
    wxString JScriptProcess(const wxString& name, wxArrayString& args);
    wxString SendCallEvent(const wxString& name, const wxArrayString& args);
    void OpenInFrame(const wxString& url);
    wxString FillUserInfo(const wxString& url) const;
    void LoadLocalErrorPage();
    void ShowBrowser();

    wxIEHtmlWin* m_browser = nullptr;
    long m_style = 0;
    wxIECallBase* m_callBase = nullptr;
    // Counts the program's navigations.
    unsigned long m_navigations = 0;

    wxDECLARE_DYNAMIC_CLASS_NO_COPY(wxIEPanel);
    wxDECLARE_EVENT_TABLE();
};

#endif
