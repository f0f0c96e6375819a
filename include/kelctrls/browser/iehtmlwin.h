// The client's web view: pages from addresses, strings and streams,
// navigation, editing commands, text extraction, and the two ways between
// page script and the program.
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

// A page's script call handed to the program as an event: the function name,
// its arguments, and the result text the handler sets for the page.
class KELCTRLS_API HtmlCallFuncEvent : public wxCommandEvent
{
public:
    explicit HtmlCallFuncEvent(int type = wxEVT_NULL);
    HtmlCallFuncEvent(const HtmlCallFuncEvent& other) = default;

    wxEvent* Clone() const override { return new HtmlCallFuncEvent(*this); }

    void SetFunction(const wxString& name, const wxArrayString& params)
    {
        m_funcName = name;
        m_params = params;
    }
    const wxString& GetFuncname() const { return m_funcName; }
    const wxArrayString& GetParams() const { return m_params; }
    void SetResult(const wxString& result) { m_result = result; }
    const wxString& GetResult() const { return m_result; }
    void SetIEWin(wxIEHtmlWin* win) { m_ieWin = win; }
    wxIEHtmlWin* GetIEWin() const { return m_ieWin; }

private:
    wxArrayString m_params;
    wxString m_result;
    wxString m_funcName;
    wxIEHtmlWin* m_ieWin = nullptr;

    wxDECLARE_DYNAMIC_CLASS_NO_ASSIGN(HtmlCallFuncEvent);
};

// A notification from a page with a kind and two parameters. The library
// sends none itself; clients use it between their windows.
class KELCTRLS_API wxHtmlExternalEvent : public wxCommandEvent
{
public:
    wxHtmlExternalEvent(wxEventType type = wxEVT_NULL, int id = 0) : wxCommandEvent(type, id) {}
    wxHtmlExternalEvent(const wxHtmlExternalEvent& other) = default;

    wxEvent* Clone() const override { return new wxHtmlExternalEvent(*this); }

    void SetHtmlEvtTyoe(const wxString& kind) { m_kind = kind; }
    const wxString& GetHtmlEvtTyoe() const { return m_kind; }
    void SetHtmlWParam(const wxString& param) { m_wParam = param; }
    const wxString& GetHtmlWParam() const { return m_wParam; }
    void SetHtmlLParam(const wxString& param) { m_lParam = param; }
    const wxString& GetHtmlLParam() const { return m_lParam; }

private:
    wxString m_kind;
    wxString m_wParam;
    wxString m_lParam;
};

wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, htmlEVT_HTMLCALL_FUNCTION, HtmlCallFuncEvent);
wxDECLARE_EXPORTED_EVENT(KELCTRLS_API, wxEVT_HTML_EXTERNAL, wxHtmlExternalEvent);

// ---------------------------------------------------------------------------
// Stream adaptors
// ---------------------------------------------------------------------------

// A source of page bytes for wxIEHtmlWin::LoadStream. Reads are answered
// first from the prefix text (consumed as it is read), then from the wrapped
// source. Reference counted: it deletes itself on the last Release.
class KELCTRLS_API IStreamAdaptorBase
{
public:
    IStreamAdaptorBase() = default;

    void SetPrefix(const std::string& prefix) { m_prefix = prefix; }
    const std::string& GetPrefix() const { return m_prefix; }

    // Reads up to `size` bytes; returns how many were read (0 at the end).
    size_t Read(void* buffer, size_t size);
    // Everything that is left.
    std::string ReadAll();

    void AddRef() { ++m_refs; }
    void Release();

protected:
    virtual ~IStreamAdaptorBase() = default;
    virtual size_t ReadSource(void* buffer, size_t size) = 0;

private:
    std::string m_prefix;
    std::atomic<int> m_refs{1};

    IStreamAdaptorBase(const IStreamAdaptorBase&) = delete;
    IStreamAdaptorBase& operator=(const IStreamAdaptorBase&) = delete;
};

// Wraps a standard input stream (not owned).
class KELCTRLS_API IStreamAdaptor : public IStreamAdaptorBase
{
public:
    explicit IStreamAdaptor(std::istream* stream) : m_stream(stream) {}

protected:
    size_t ReadSource(void* buffer, size_t size) override;

private:
    std::istream* m_stream;
};

// Wraps a toolkit input stream (not owned).
class KELCTRLS_API IwxStreamAdaptor : public IStreamAdaptorBase
{
public:
    explicit IwxStreamAdaptor(wxInputStream* stream) : m_stream(stream) {}

protected:
    size_t ReadSource(void* buffer, size_t size) override;

private:
    wxInputStream* m_stream;
};

// ---------------------------------------------------------------------------
// The browser window
// ---------------------------------------------------------------------------

enum wxIEHtmlRefreshLevel
{
    wxIEHTML_REFRESH_NORMAL = 0,
    wxIEHTML_REFRESH_IFEXPIRED = 1,
    wxIEHTML_REFRESH_CONTINUE = 2,
    wxIEHTML_REFRESH_COMPLETELY = 3
};

// Whether a load the program starts makes its target trusted.
enum wxIEHtmlTrust
{
    // The program's own navigation: the target's origin becomes trusted.
    wxIEHTML_TRUST_TARGET,
    // A load on behalf of a page: the trusted origins stay as they are.
    wxIEHTML_TRUST_UNCHANGED
};

// The web view of the client.
//
// Trust. Page script reaches the program (the external object, see
// JScriptCheck and JScriptProcess of wxActiveX) only from the top-level
// frame of a trusted page. A page is trusted when it came from LoadString or
// LoadStream, or when its origin is in the view's set of trusted origins:
// "scheme://host[:port]" for http and https addresses, the file itself for a
// local file (see GetOrigin). Every address the program loads (LoadUrl,
// GoHome, GoSearch) adds its origin unless told otherwise; places a page
// sends itself to (links, redirects, script, pop-ups) are not added. The
// client may read and change the set at any time.
//
// What an untrusted page gets: its external calls fail as script errors (an
// exception in the page), no hook runs and no event is sent; the first
// refusal of each page goes to the debug log (log component
// "kelctrls/browser"). The same holds for frames inside any page, for
// resource loads and navigations to the bridge's scheme. The secret that
// ties the bridge's requests to this view is never visible to page script.
//
// Calls. A call's name and arguments arrive decoded exactly; one holding a
// NUL or text that is not UTF-8 fails in the page. Answers and carried
// scripts are sent with every lone surrogate replaced by U+FFFD. A handler
// may destroy this window (or its parent) during a call, directly or from a
// nested event loop; that call's answer is then dropped.
class KELCTRLS_API wxIEHtmlWin : public wxActiveX
{
public:
    wxIEHtmlWin(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0, const wxString& name = "IEHtmlWin");
    ~wxIEHtmlWin() override;

    // Loading. Pages from strings and streams are read as UTF-8, preceded
    // by "<html>", and trusted.
    void LoadUrl(const wxString& url);
    void LoadUrl(const wxString& url, wxIEHtmlTrust trust);
    // Posts `postData` (form-encoded fields, "a=1&b=2") to `url`, whose
    // origin becomes trusted.
    bool LoadUrl(const wxString& url, const wxString& postData);
    bool LoadString(const wxString& html);
    bool LoadStream(IStreamAdaptorBase* adaptor);
    bool LoadStream(wxInputStream* stream);
    bool LoadStream(std::istream* stream);

    // Navigation.
    bool GoBack();
    bool GoForward();
    bool GoHome();
    bool GoSearch();
    using wxActiveX::Refresh;
    bool Refresh(wxIEHtmlRefreshLevel level);
    bool Stop();
    // The pages GoHome and GoSearch open ("about:blank" until set).
    void SetHomePage(const wxString& url);
    void SetSearchPage(const wxString& url);

    // Trust (see the class comment). The origin by which `url` is trusted;
    // empty for addresses that are never trusted (about:, data:,
    // javascript: and every scheme but http, https and file).
    static wxString GetOrigin(const wxString& url);
    // Adds or removes the origin of `url`.
    void TrustUrl(const wxString& url);
    void DistrustUrl(const wxString& url);
    bool IsTrustedUrl(const wxString& url) const;
    // The trusted origins, sorted; setting replaces them by the origins of
    // `urls`.
    wxArrayString GetTrustedOrigins() const;
    void SetTrustedOrigins(const wxArrayString& urls);
    // Whether the page shown now may call the program.
    bool IsPageTrusted() const;

    // Content. The title is the document's from the moment the page reports
    // itself complete (DocumentComplete); the title change comes before.
    wxString GetTitle();
    wxString GetStringSelection(bool asHTML = false);
    wxString GetText(bool asHTML = false);
    // Appends the text of every script element of the page, in page order.
    void GetScriptTexts(wxArrayString& texts);
    void SetCharset(const wxString& charset);

    // In edit mode the page's content can be edited.
    void SetEditMode(bool on);
    bool GetEditMode() const { return m_editMode; }

    // Runs one of the editing commands (11 cut, 12 copy, 13 paste, 15 undo,
    // 16 redo, 17 select all, 18 clear) on the page.
    bool ExecWB(int command, int option = 2, wxAxVariant* in = nullptr, wxAxVariant* out = nullptr);

    // Calls the page's script function `function` with `args` as strings:
    // 1 when it ran, 0 when there is no such function or it failed. While
    // the page waits for the answer to one of its own external calls, the
    // call runs just before the page's call returns, and 1 is returned (as
    // does RunScriptByFrame; the readers of page text then give nothing).
    int CallJScript(const wxString& function, const wxArrayString& args);
    // Runs `code` in the page; `language` "javascript" or "jscript" (or
    // empty). Other script languages are not available and give false.
    bool RunScriptByFrame(const wxString& code, const wxString& language);
    // Splits a complete script element: `text` becomes its body and
    // `language` its language ("javascript", "jscript" or "vbscript").
    static bool GetScriptLangCode(wxString& text, wxString& language);

    bool GetAmbientProperty(long memid, wxAxVariant& value) override;

    // The web view that shows the page (null when it could not be created).
    wxWebView* GetWebView() const;

protected:
    void SetupBrowser();

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

private:
    wxString RunForText(const wxString& script);

    bool m_editMode = false;
    std::unique_ptr<wxFindReplaceData> m_findData;
    wxFindReplaceDialog* m_findDialog = nullptr;

    wxDECLARE_EVENT_TABLE();
};

#endif
