/// \file
/// The client's web view: pages from addresses, strings and streams,
/// navigation, editing commands, text extraction, and the two ways between
/// page script and the program.
#ifndef KELCTRLS_BROWSER_IEHTMLWIN_H
#define KELCTRLS_BROWSER_IEHTMLWIN_H

#include <kelctrls/browser/activex.h>

#include <wx/stream.h>

#include <atomic>
#include <istream>
#include <memory>
#include <string>

class wxWebView;
class wxFindDialogEvent;
class wxFindReplaceData;
class wxFindReplaceDialog;
class wxIEHtmlWin;

// ---------------------------------------------------------------------------
// Events
// ---------------------------------------------------------------------------

/// A page's script call handed to the program as an event: the function name,
/// its arguments, and the result text the handler sets for the page. The
/// browser panel sends it (type htmlEVT_HTMLCALL_FUNCTION, id -1) for the
/// "FetchUsers" and "OpenIM" commands of trusted pages and waits for the
/// handler; the result is the page's answer.
class KELCTRLS_API HtmlCallFuncEvent : public wxCommandEvent
{
public:
    ///@{

    /// `type` is the event type (htmlEVT_HTMLCALL_FUNCTION); the id is -1.
    explicit HtmlCallFuncEvent(int type = wxEVT_NULL);
    HtmlCallFuncEvent(const HtmlCallFuncEvent& other) = default;
    ///@}

    /// A copy with all four fields.
    wxEvent* Clone() const override { return new HtmlCallFuncEvent(*this); }

    /// The page's function name and its arguments, as the page passed them.
    void SetFunction(const wxString& name, const wxArrayString& params)
    {
        m_funcName = name;
        m_params = params;
    }
    /// The name of the function the page called.
    const wxString& GetFuncname() const { return m_funcName; }
    /// The page's arguments, as strings.
    const wxArrayString& GetParams() const { return m_params; }
    ///@{

    /// The text the page's call returns; empty unless a handler sets it.
    void SetResult(const wxString& result) { m_result = result; }
    const wxString& GetResult() const { return m_result; }
    ///@}
    ///@{

    /// The browser window whose page called (not owned; it lives while the
    /// event is handled, and may be gone after).
    void SetIEWin(wxIEHtmlWin* win) { m_ieWin = win; }
    wxIEHtmlWin* GetIEWin() const { return m_ieWin; }
    ///@}

private:
    wxArrayString m_params;
    wxString m_result;
    wxString m_funcName;
    wxIEHtmlWin* m_ieWin = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(HtmlCallFuncEvent);
};

/// A notification from a page with a kind and two parameters. The library
/// sends none itself; clients use it between their windows.
class KELCTRLS_API wxHtmlExternalEvent : public wxCommandEvent
{
public:
    /// An event of `type` from window `id` with empty fields.
    wxHtmlExternalEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    /// Copies the event with its three fields.
    wxHtmlExternalEvent(const wxHtmlExternalEvent& other) = default;

    /// A copy with all three fields.
    wxEvent* Clone() const override { return new wxHtmlExternalEvent(*this); }

    ///@{

    /// The kind of notification and its two parameters, free text.
    void SetHtmlEvtTyoe(const wxString& kind) { m_kind = kind; }
    const wxString& GetHtmlEvtTyoe() const { return m_kind; }
    void SetHtmlWParam(const wxString& param) { m_wParam = param; }
    const wxString& GetHtmlWParam() const { return m_wParam; }
    void SetHtmlLParam(const wxString& param) { m_lParam = param; }
    const wxString& GetHtmlLParam() const { return m_lParam; }
    ///@}

private:
    wxString m_kind;
    wxString m_wParam;
    wxString m_lParam;
};

/// The types of the two events above.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, htmlEVT_HTMLCALL_FUNCTION, HtmlCallFuncEvent);
/// A page's notification (wxHtmlExternalEvent); the library sends none itself.
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_HTML_EXTERNAL, wxHtmlExternalEvent);

// ---------------------------------------------------------------------------
// Stream adaptors
// ---------------------------------------------------------------------------

/// A source of page bytes for wxIEHtmlWin::LoadStream. Reads are answered
/// first from the prefix text (consumed as it is read), then from the wrapped
/// source. Reference counted: it deletes itself on the last Release.
class KELCTRLS_API IStreamAdaptorBase
{
public:
    IStreamAdaptorBase() = default;

    ///@{

    /// The text read before the source (consumed as it is read).
    void SetPrefix(const std::string& prefix) { m_prefix = prefix; }
    const std::string& GetPrefix() const { return m_prefix; }
    ///@}

    /// Reads up to `size` bytes; returns how many were read (0 at the end).
    size_t Read(void* buffer, size_t size);
    /// Everything that is left.
    std::string ReadAll();

    /// Reference counting: a new adaptor holds one reference; the last
    /// Release deletes it.
    void AddRef() { ++m_refs; }
    /// Gives back one reference; the last one deletes the adaptor.
    void Release();

protected:
    virtual ~IStreamAdaptorBase() = default;
    /// Reads up to `size` bytes of the wrapped source; 0 at its end.
    virtual size_t ReadSource(void* buffer, size_t size) = 0;

private:
    std::string m_prefix;
    std::atomic<int> m_refs{1};

    IStreamAdaptorBase(const IStreamAdaptorBase&) = delete;
    IStreamAdaptorBase& operator=(const IStreamAdaptorBase&) = delete;
};

/// Wraps a standard input stream (not owned).
class KELCTRLS_API IStreamAdaptor : public IStreamAdaptorBase
{
public:
    /// An adaptor reading `stream` (not owned; it must outlive the adaptor).
    explicit IStreamAdaptor(std::istream* stream) : m_stream(stream) {}

protected:
    size_t ReadSource(void* buffer, size_t size) override;

private:
    std::istream* m_stream;
};

/// Wraps a toolkit input stream (not owned).
class KELCTRLS_API IwxStreamAdaptor : public IStreamAdaptorBase
{
public:
    /// An adaptor reading `stream` (not owned; it must outlive the adaptor).
    explicit IwxStreamAdaptor(wxInputStream* stream) : m_stream(stream) {}

protected:
    size_t ReadSource(void* buffer, size_t size) override;

private:
    wxInputStream* m_stream;
};

// ---------------------------------------------------------------------------
// The browser window
// ---------------------------------------------------------------------------

/// How thoroughly Refresh reloads: only COMPLETELY bypasses the cache.
enum wxIEHtmlRefreshLevel
{
    wxIEHTML_REFRESH_NORMAL = 0,
    wxIEHTML_REFRESH_IFEXPIRED = 1,
    wxIEHTML_REFRESH_CONTINUE = 2,
    wxIEHTML_REFRESH_COMPLETELY = 3
};

/// Whether a load the program starts makes its target trusted.
enum wxIEHtmlTrust
{
    /// The program's own navigation: the target's origin becomes trusted.
    wxIEHTML_TRUST_TARGET,
    /// A load on behalf of a page: the trusted origins stay as they are.
    wxIEHTML_TRUST_UNCHANGED
};

/// The web view of the client. It owns its web view (a child window) and
/// shows "about:blank" until the program loads a page.
///
/// Events. The browser's events reach the window's event handler (and, being
/// command events, its parents) as wxActiveXEvent of the types registered by
/// name (see RegisterActiveXEvent): "BeforeNavigate2" (URL, TargetFrameName,
/// Cancel: set Cancel to stop the navigation; handled at once), "NewWindow2"
/// (ppDisp: set it to another wxIEHtmlWin to have the page opened there;
/// Cancel), "NavigateComplete2" (URL), "TitleChange" (Text),
/// "DocumentComplete" (URL), "DownloadComplete", "ProgressChange" (Progress,
/// ProgressMax), "StatusTextChange" (Text, also by its member id 102),
/// "NavigateError" (URL, StatusCode, Cancel: set Cancel to keep the
/// browser's own error page away) and "OnQuit" (the page closed its window).
/// Events without out-parameters are queued. For each page the title change
/// comes before DocumentComplete, and GetTitle gives the document's title in
/// a DocumentComplete handler.
///
/// Trust. Page script reaches the program (the external object, see
/// JScriptCheck and JScriptProcess of wxActiveX) only from the top-level
/// frame of a trusted page. A page is trusted when it came from LoadString or
/// LoadStream, or when its origin is in the view's set of trusted origins:
/// "scheme://host[:port]" for http and https addresses, the file itself for a
/// local file (see GetOrigin). Every address the program loads (LoadUrl,
/// GoHome, GoSearch) adds its origin unless told otherwise; places a page
/// sends itself to (links, redirects, script, pop-ups) are not added. The
/// client may read and change the set at any time.
///
/// What an untrusted page gets: its external calls fail as script errors (an
/// exception in the page), no hook runs and no event is sent; the first
/// refusal of each page goes to the debug log (log component
/// "kelctrls/browser"; a program whose log level is lower shows it after
/// wxLog::SetComponentLevel("kelctrls/browser", wxLOG_Debug)). The same holds for frames inside any page, for
/// resource loads and navigations to the bridge's scheme. The secret that
/// ties the bridge's requests to this view is never visible to page script.
///
/// Calls. A call's name and arguments arrive decoded exactly; one holding a
/// NUL or text that is not UTF-8 fails in the page. Answers and carried
/// scripts are sent with every lone surrogate replaced by U+FFFD. A handler
/// may destroy this window (or its parent) during a call, directly or from a
/// nested event loop; that call's answer is then dropped.
class KELCTRLS_API wxIEHtmlWin : public wxActiveX
{
public:
    /// Creates the web view and the Ctrl accelerators (C copy, V paste, X cut,
    /// Y redo, Z undo, A select all, D clear, F find). Without a web engine
    /// the window stays empty and every operation does nothing.
    wxIEHtmlWin(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0, const wxString& name = "IEHtmlWin");
    ~wxIEHtmlWin() override;

    ///@{

    /// Loading. Each returns at once; DocumentComplete follows. An address's
    /// origin becomes trusted (the program's own navigation) unless `trust`
    /// says wxIEHTML_TRUST_UNCHANGED. An empty address does nothing.
    void LoadUrl(const wxString& url);
    void LoadUrl(const wxString& url, wxIEHtmlTrust trust);
    ///@}
    /// Posts `postData` (form-encoded fields, "a=1&b=2") to `url`, whose
    /// origin becomes trusted; false for an empty address.
    bool LoadUrl(const wxString& url, const wxString& postData);
    ///@{

    /// Pages from strings and streams are read as UTF-8 (bytes that are not
    /// UTF-8 as Latin-1), preceded by "<html>", and trusted. The adaptor and
    /// the streams are not owned; false without a web view or a source.
    bool LoadString(const wxString& html);
    bool LoadStream(IStreamAdaptorBase* adaptor);
    bool LoadStream(wxInputStream* stream);
    bool LoadStream(std::istream* stream);
    ///@}

    /// Navigation; each is false when there is nothing to do (no history,
    /// no web view).
    bool GoBack();
    /// Goes forward in the history.
    bool GoForward();
    /// Opens the home page (SetHomePage).
    bool GoHome();
    /// Opens the search page (SetSearchPage).
    bool GoSearch();
    using wxActiveX::Refresh;
    /// Reloads the page, bypassing the cache with wxIEHTML_REFRESH_COMPLETELY.
    bool Refresh(wxIEHtmlRefreshLevel level);
    /// Stops loading the page.
    bool Stop();
    /// The pages GoHome and GoSearch open ("about:blank" until set).
    void SetHomePage(const wxString& url);
    /// Sets the page GoSearch opens.
    void SetSearchPage(const wxString& url);

    /// Trust (see the class comment). The origin by which `url` is trusted;
    /// empty for addresses that are never trusted (about:, data:,
    /// javascript: and every scheme but http, https and file).
    static wxString GetOrigin(const wxString& url);
    /// Adds the origin of `url` to the trusted origins.
    void TrustUrl(const wxString& url);
    /// Removes the origin of `url` from the trusted origins.
    void DistrustUrl(const wxString& url);
    /// Whether the origin of `url` is trusted.
    bool IsTrustedUrl(const wxString& url) const;
    ///@{

    /// The trusted origins, sorted; setting replaces them by the origins of
    /// `urls`.
    wxArrayString GetTrustedOrigins() const;
    void SetTrustedOrigins(const wxArrayString& urls);
    ///@}
    /// Whether the page shown now may call the program.
    bool IsPageTrusted() const;

    /// Content. The title is the document's from the moment the page reports
    /// itself complete (DocumentComplete); the title change comes before.
    wxString GetTitle();
    /// The selected text, or its markup with `asHTML`.
    wxString GetStringSelection(bool asHTML = false);
    /// The page's text, or its whole markup with `asHTML`.
    wxString GetText(bool asHTML = false);
    /// Appends the text of every script element of the page, in page order
    /// (empty for a script loaded from a file).
    void GetScriptTexts(wxArrayString& texts);
    /// Reads the page's documents in the character set `charset` (empty: as
    /// they declare), and reloads.
    void SetCharset(const wxString& charset);

    ///@{

    /// In edit mode the page's content can be edited.
    void SetEditMode(bool on);
    bool GetEditMode() const { return m_editMode; }
    ///@}

    /// Runs one of the editing commands (11 cut, 12 copy, 13 paste, 15 undo,
    /// 16 redo, 17 select all, 18 clear) on the page; false for other
    /// commands. `option`, `in` and `out` are accepted and not used.
    bool ExecWB(int command, int option = 2, wxAxVariant* in = nullptr, wxAxVariant* out = nullptr);

    /// Calls the page's script function `function` with `args` as strings:
    /// 1 when it ran, 0 when there is no such function or it failed. While
    /// the page waits for the answer to one of its own external calls, the
    /// call runs just before the page's call returns, and 1 is returned (as
    /// does RunScriptByFrame; the readers of page text then give nothing).
    int CallJScript(const wxString& function, const wxArrayString& args);
    /// Runs `code` in the page; `language` "javascript" or "jscript" (or
    /// empty). Other script languages are not available and give false.
    bool RunScriptByFrame(const wxString& code, const wxString& language);
    /// Splits a complete script element: `text` becomes its body and
    /// `language` its language ("javascript", "jscript" or "vbscript").
    static bool GetScriptLangCode(wxString& text, wxString& language);

    /// The user mode (-709) is the opposite of the edit mode; the other
    /// ambient properties are the container's.
    bool GetAmbientProperty(long memid, wxAxVariant& value) override;

    /// The web view that shows the page (null when it could not be created).
    wxWebView* GetWebView() const;

protected:
    /// Creates the web view and binds its events (the constructor calls it).
    void SetupBrowser();

    ///@{

    /// Bound in the event table: the editing commands of the context menu and
    /// keyboard (cut, copy, paste, clear, undo, redo, select all, find), keys and
    /// keyboard navigation.
    void OnCut(wxCommandEvent& event);
    void OnCopy(wxCommandEvent& event);
    void OnPaste(wxCommandEvent& event);
    void OnClear(wxCommandEvent& event);
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnSelectAll(wxCommandEvent& event);
    void OnFind(wxCommandEvent& event);
    void OnFindNext(wxFindDialogEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnNavigationKey(wxNavigationKeyEvent& event);
    ///@}

private:
    wxString RunForText(const wxString& script);

    bool m_editMode = false;
    std::unique_ptr<wxFindReplaceData> m_findData;
    wxFindReplaceDialog* m_findDialog = nullptr;

    wxDECLARE_EVENT_TABLE();
};

#endif
