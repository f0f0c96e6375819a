#include "browser/webbrowser.h"

#include "browser/webkitnative.h"

#include <wx/filesys.h>
#include <wx/mstream.h>
#include <wx/tokenzr.h>
#include <wx/uri.h>
#include <wx/webview.h>

#include <map>

namespace kel
{

const char BrowserErrorPageUrl[] = "res://shdoclc.dll/dnserror.htm";
const char WebBrowserControl::ClassId[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";
const char WebBrowserControl::ProgId[] = "KelCtrls.WebBrowser";

namespace
{

// ---------------------------------------------------------------------------
// The page's external object
//
// The engine runs page script in another process and only offers
// asynchronous messages to the program. A page's external call must return
// the program's answer, so the script injected into every page turns a call
// into a synchronous request to the scheme below; the engine hands that
// request to this process's main loop while the page waits, and the answer
// becomes the call's value. A refused name fails the request, and the call
// throws.
//
// While the page waits it can run nothing else, so script the program runs
// in it meanwhile travels with the answer and runs just before the call
// returns. The engine's own asynchronous run is not used: in this toolkit
// version its result can be taken for that of a synchronous run waiting at
// the time, and a result that comes late reaches a web view already gone.
// ---------------------------------------------------------------------------

const char BridgeScheme[] = "kelext";
const char MessageHandlerName[] = "kelctrlsBridge";
// Precedes every answer: the web view cannot hand an empty body to the page.
const char AnswerMark[] = "=";
// Separates the encoded answer from the encoded scripts that follow it.
const char ScriptMark[] = "&";

const char BridgeScript[] = R"JS((function () {
  'use strict';
  var token = '%TOKEN%', AnswerMark = '%MARK%';
  function text(value) { return value === undefined || value === null ? '' : String(value); }
  function call(name, args) {
    var query = encodeURIComponent(name);
    for (var i = 0; i < args.length; ++i)
      query += '&' + encodeURIComponent(text(args[i]));
    var request = new XMLHttpRequest();
    request.open('GET', '%SCHEME%://' + token + '/call?' + query, false);
    try { request.send(null); } catch (e) { request = null; }
    if (!request || request.status !== 200)
      throw new TypeError("Object doesn't support property or method '" + name + "'");
    var parts = request.responseText.substring(AnswerMark.length).split('%SCRIPTMARK%');
    for (var i = 1; i < parts.length; ++i) {
      try { (0, eval)(decodeURIComponent(parts[i])); } catch (e) {}
    }
    return decodeURIComponent(parts[0]);
  }
  var external = new Proxy({}, {
    get: function (target, name) {
      if (typeof name !== 'string')
        return undefined;
      return function () { return call(name, Array.prototype.slice.call(arguments)); };
    }
  });
  Object.defineProperty(window, 'external', { value: external, configurable: true });

  function post(kind, value) {
    try { window.webkit.messageHandlers.%HANDLER%.postMessage(token + '|' + kind + '|' + value); }
    catch (e) {}
  }
  function linkOf(node) {
    return node && node.closest ? node.closest('a[href]') : null;
  }
  window.addEventListener('mouseover', function (e) {
    var link = linkOf(e.target);
    if (link) post('status', link.href);
  }, true);
  window.addEventListener('mouseout', function (e) {
    if (linkOf(e.target)) post('status', '');
  }, true);
  window.close = function () { post('quit', ''); };
})();)JS";

std::map<int, WebBrowserControl*>& LiveControls()
{
    static std::map<int, WebBrowserControl*> controls;
    return controls;
}

class BridgeHandler : public wxWebViewHandler
{
public:
    BridgeHandler() : wxWebViewHandler(BridgeScheme) {}

    // "kelext://<token>/call?<name>&<arg>&<arg>..."
    wxFSFile* GetFile(const wxString& uri) override
    {
        const wxString rest = uri.AfterFirst(':').Mid(2);
        long token = 0;
        if (!rest.BeforeFirst('/').ToLong(&token))
            return nullptr;
        WebBrowserControl* control = WebBrowserControl::FromToken(static_cast<int>(token));
        if (!control)
            return nullptr;

        wxArrayString parts = wxStringTokenize(rest.AfterFirst('?'), "&", wxTOKEN_RET_EMPTY_ALL);
        if (parts.empty())
            return nullptr;
        for (auto& part : parts)
            part = wxURI::Unescape(part);
        const wxString name = parts[0];
        parts.RemoveAt(0);

        wxString answer;
        wxArrayString scripts;
        if (!control->AnswerScriptCall(name, parts, answer, scripts))
            return nullptr;
        wxString body = AnswerMark + EscapeComponent(answer);
        for (const wxString& script : scripts)
            body += ScriptMark + EscapeComponent(script);
        return TextFile(uri, body);
    }

private:
    // `text` as UTF-8 with every byte but ASCII letters and digits as %XX,
    // which the page's decodeURIComponent reverses.
    static wxString EscapeComponent(const wxString& text)
    {
        wxString escaped;
        const wxScopedCharBuffer utf8 = text.utf8_str();
        for (size_t i = 0; i < utf8.length(); ++i)
        {
            const unsigned char byte = static_cast<unsigned char>(utf8.data()[i]);
            if (byte < 0x80 && isalnum(byte))
                escaped += static_cast<char>(byte);
            else
                escaped += wxString::Format("%%%02X", byte);
        }
        return escaped;
    }

    static wxFSFile* TextFile(const wxString& uri, const wxString& text)
    {
        const wxScopedCharBuffer utf8 = text.utf8_str();
        wxMemoryOutputStream buffer;
        buffer.Write(utf8.data(), utf8.length());
        return new wxFSFile(new wxMemoryInputStream(buffer), uri, "text/plain;charset=utf-8", wxString(),
                            wxDateTime::Now());
    }
};

// The engine keeps one handler per scheme for the whole process and calls
// back the web view object that registered it. That object must therefore
// outlive every browser: it is a web view that is never created as a window
// (registering on it reaches the shared browsing context) and never deleted.
void RegisterBridgeOnce()
{
    static wxWebView* const anchor = []
    {
        wxWebView* view = wxWebView::New();
        view->RegisterHandler(wxSharedPtr<wxWebViewHandler>(new BridgeHandler));
        return view;
    }();
    wxUnusedVar(anchor);
}

wxString FormUnescape(wxString text)
{
    text.Replace("+", " ");
    return wxURI::Unescape(text);
}

// A page that posts `postData` (form-encoded fields) to `url` as soon as it
// is loaded.
wxString FormPostPage(const wxString& url, const wxString& postData)
{
    wxString fields;
    for (const wxString& pair : wxStringTokenize(postData, "&"))
    {
        const wxString name = FormUnescape(pair.BeforeFirst('='));
        fields += wxString::Format("<input type=\"hidden\" name=\"%s\" value=\"%s\">", KelEscapeMarkup(name),
                                   KelEscapeMarkup(FormUnescape(pair.AfterFirst('='))));
    }
    return "<html><body onload=\"document.forms[0].submit()\"><form method=\"post\" action=\"" +
           KelEscapeMarkup(url) + "\">" + fields + "</form></body></html>";
}

ParamX Param(const char* name, unsigned short vt, unsigned short flags = wxAX_PARAM_IN)
{
    ParamX param;
    param.name = name;
    param.vt = vt;
    param.flags = flags;
    return param;
}

FuncX Func(const char* name, long memid, std::vector<ParamX> params = {})
{
    FuncX func;
    func.name = name;
    func.memid = memid;
    func.params = std::move(params);
    for (const ParamX& param : func.params)
        func.hasOut = func.hasOut || param.IsOut();
    return func;
}

PropX Prop(const char* name, long memid, unsigned short vt, bool canSet)
{
    PropX prop;
    prop.name = name;
    prop.memid = memid;
    prop.type = Param(name, vt);
    prop.arg = prop.type;
    prop.canGet = true;
    prop.canSet = canSet;
    return prop;
}

const unsigned short OutBool = wxAX_PARAM_IN | wxAX_PARAM_OUT;

} // namespace

// ---------------------------------------------------------------------------

WebBrowserControl::WebBrowserControl() : m_homePage("about:blank"), m_searchPage("about:blank")
{
    static int lastToken = 0;
    m_token = ++lastToken;
    LiveControls()[m_token] = this;
}

WebBrowserControl::~WebBrowserControl()
{
    LiveControls().erase(m_token);
    if (m_view)
    {
        webkit::Disconnect(m_view, m_progressConnection);
        m_view->Unbind(wxEVT_WEBVIEW_NAVIGATING, &WebBrowserControl::OnNavigating, this);
        m_view->Unbind(wxEVT_WEBVIEW_NAVIGATED, &WebBrowserControl::OnNavigated, this);
        m_view->Unbind(wxEVT_WEBVIEW_LOADED, &WebBrowserControl::OnLoaded, this);
        m_view->Unbind(wxEVT_WEBVIEW_ERROR, &WebBrowserControl::OnError, this);
        m_view->Unbind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebBrowserControl::OnTitleChanged, this);
        m_view->Unbind(wxEVT_WEBVIEW_NEWWINDOW, &WebBrowserControl::OnNewWindow, this);
        m_view->Unbind(wxEVT_WEBVIEW_SCRIPT_MESSAGE_RECEIVED, &WebBrowserControl::OnScriptMessage, this);
    }
}

WebBrowserControl* WebBrowserControl::FromToken(int token)
{
    const auto& controls = LiveControls();
    const auto it = controls.find(token);
    return it == controls.end() ? nullptr : it->second;
}

WebBrowserControl* WebBrowserControl::FromContainer(const void* container)
{
    for (const auto& entry : LiveControls())
        if (container && entry.second->m_container == container)
            return entry.second;
    return nullptr;
}

bool WebBrowserControl::Create(wxActiveX* container)
{
    if (!wxWebView::IsBackendAvailable(wxWebViewBackendDefault))
        return false;
    RegisterBridgeOnce();

    m_container = container;
    m_view = wxWebView::New(container, wxID_ANY, "about:blank", wxPoint(0, 0), container->GetClientSize());
    if (!m_view)
        return false;

    wxString script(BridgeScript);
    script.Replace("%TOKEN%", wxString::Format("%d", m_token));
    script.Replace("%SCHEME%", BridgeScheme);
    script.Replace("%HANDLER%", MessageHandlerName);
    script.Replace("%MARK%", AnswerMark);
    script.Replace("%SCRIPTMARK%", ScriptMark);
    m_view->AddScriptMessageHandler(MessageHandlerName);
    m_view->AddUserScript(script);

    m_view->Bind(wxEVT_WEBVIEW_NAVIGATING, &WebBrowserControl::OnNavigating, this);
    m_view->Bind(wxEVT_WEBVIEW_NAVIGATED, &WebBrowserControl::OnNavigated, this);
    m_view->Bind(wxEVT_WEBVIEW_LOADED, &WebBrowserControl::OnLoaded, this);
    m_view->Bind(wxEVT_WEBVIEW_ERROR, &WebBrowserControl::OnError, this);
    m_view->Bind(wxEVT_WEBVIEW_TITLE_CHANGED, &WebBrowserControl::OnTitleChanged, this);
    m_view->Bind(wxEVT_WEBVIEW_NEWWINDOW, &WebBrowserControl::OnNewWindow, this);
    m_view->Bind(wxEVT_WEBVIEW_SCRIPT_MESSAGE_RECEIVED, &WebBrowserControl::OnScriptMessage, this);
    m_progressConnection = webkit::ConnectProgress(m_view, &WebBrowserControl::OnProgress, this);
    return true;
}

wxWindow* WebBrowserControl::GetWindow() const
{
    return m_view;
}

void WebBrowserControl::DescribeTypes(wxAxTypeInfo& info) const
{
    const ParamX dispatch = Param("pDisp", wxAX_VT_DISPATCH);
    const ParamX url = Param("URL", wxAX_VT_BSTR);

    info.events = {
        Func("StatusTextChange", BROWSER_STATUSTEXTCHANGE, {Param("Text", wxAX_VT_BSTR)}),
        Func("ProgressChange", BROWSER_PROGRESSCHANGE,
             {Param("Progress", wxAX_VT_I4), Param("ProgressMax", wxAX_VT_I4)}),
        Func("DownloadComplete", BROWSER_DOWNLOADCOMPLETE),
        Func("TitleChange", BROWSER_TITLECHANGE, {Param("Text", wxAX_VT_BSTR)}),
        Func("BeforeNavigate2", BROWSER_BEFORENAVIGATE2,
             {dispatch, url, Param("Flags", wxAX_VT_I4), Param("TargetFrameName", wxAX_VT_BSTR),
              Param("PostData", wxAX_VT_BSTR), Param("Headers", wxAX_VT_BSTR),
              Param("Cancel", wxAX_VT_BOOL, OutBool)}),
        Func("NewWindow2", BROWSER_NEWWINDOW2,
             {Param("ppDisp", wxAX_VT_DISPATCH, OutBool), Param("Cancel", wxAX_VT_BOOL, OutBool)}),
        Func("NavigateComplete2", BROWSER_NAVIGATECOMPLETE2, {dispatch, url}),
        Func("DocumentComplete", BROWSER_DOCUMENTCOMPLETE, {dispatch, url}),
        Func("OnQuit", BROWSER_ONQUIT),
        Func("NavigateError", BROWSER_NAVIGATEERROR,
             {dispatch, url, Param("Frame", wxAX_VT_BSTR), Param("StatusCode", wxAX_VT_I4),
              Param("Cancel", wxAX_VT_BOOL, OutBool)}),
    };
    info.props = {
        Prop("LocationName", BROWSER_LOCATIONNAME, wxAX_VT_BSTR, false),
        Prop("LocationURL", BROWSER_LOCATIONURL, wxAX_VT_BSTR, false),
        Prop("Busy", BROWSER_BUSY, wxAX_VT_BOOL, false),
        Prop("ReadyState", BROWSER_READYSTATE, wxAX_VT_I4, false),
        Prop("Visible", BROWSER_VISIBLE, wxAX_VT_BOOL, true),
        Prop("StatusText", BROWSER_STATUSTEXT, wxAX_VT_BSTR, true),
    };
    info.methods = {
        Func("GoBack", BROWSER_GOBACK),
        Func("GoForward", BROWSER_GOFORWARD),
        Func("GoHome", BROWSER_GOHOME),
        Func("GoSearch", BROWSER_GOSEARCH),
        Func("Navigate", BROWSER_NAVIGATE,
             {url, Param("Flags", wxAX_VT_I4), Param("TargetFrameName", wxAX_VT_BSTR),
              Param("PostData", wxAX_VT_BSTR), Param("Headers", wxAX_VT_BSTR)}),
        Func("Refresh", BROWSER_REFRESH),
        Func("Refresh2", BROWSER_REFRESH2, {Param("Level", wxAX_VT_I4)}),
        Func("Stop", BROWSER_STOP),
        Func("ExecWB", BROWSER_EXECWB,
             {Param("cmdID", wxAX_VT_I4), Param("cmdexecopt", wxAX_VT_I4), Param("pvaIn", wxAX_VT_VARIANT),
              Param("pvaOut", wxAX_VT_VARIANT, OutBool)}),
    };
}

bool WebBrowserControl::GetProperty(long memid, wxAxVariant& value)
{
    switch (memid)
    {
    case BROWSER_LOCATIONNAME:
        value = wxAxVariant(m_view->GetCurrentTitle());
        return true;
    case BROWSER_LOCATIONURL:
        value = wxAxVariant(m_view->GetCurrentURL());
        return true;
    case BROWSER_BUSY:
        value = wxAxVariant(m_view->IsBusy());
        return true;
    case BROWSER_READYSTATE:
        value = wxAxVariant(static_cast<long>(m_readyState));
        return true;
    case BROWSER_VISIBLE:
        value = wxAxVariant(m_view->IsShown());
        return true;
    case BROWSER_STATUSTEXT:
        value = wxAxVariant(m_statusText);
        return true;
    }
    return false;
}

bool WebBrowserControl::SetProperty(long memid, const wxAxVariant& value)
{
    switch (memid)
    {
    case BROWSER_VISIBLE:
        m_view->Show(value.boolVal);
        return true;
    case BROWSER_STATUSTEXT:
        m_statusText = value.bstrVal;
        FireSimple(BROWSER_STATUSTEXTCHANGE, {wxAxVariant(m_statusText)});
        return true;
    }
    return false;
}

bool WebBrowserControl::Invoke(long memid, std::vector<wxAxVariant>& args, wxAxVariant& result)
{
    const auto arg = [&args](size_t i) { return i < args.size() ? args[i] : wxAxVariant(); };
    bool done = true;
    switch (memid)
    {
    case BROWSER_GOBACK:
        done = m_view->CanGoBack();
        if (done)
            m_view->GoBack();
        break;
    case BROWSER_GOFORWARD:
        done = m_view->CanGoForward();
        if (done)
            m_view->GoForward();
        break;
    case BROWSER_GOHOME:
        done = Navigate(m_homePage);
        break;
    case BROWSER_GOSEARCH:
        done = Navigate(m_searchPage);
        break;
    case BROWSER_NAVIGATE:
        done = Navigate(arg(0).bstrVal, arg(3).bstrVal);
        break;
    case BROWSER_REFRESH:
        m_view->Reload();
        break;
    case BROWSER_REFRESH2:
        // Level 3 is "completely": bypass the cache.
        m_view->Reload(arg(0).lVal == 3 ? wxWEBVIEW_RELOAD_NO_CACHE : wxWEBVIEW_RELOAD_DEFAULT);
        break;
    case BROWSER_STOP:
        m_view->Stop();
        break;
    case BROWSER_EXECWB:
        done = ExecCommand(arg(0).lVal);
        break;
    default:
        return false;
    }
    result = wxAxVariant(done);
    return true;
}

bool WebBrowserControl::ExecCommand(long command)
{
    switch (command)
    {
    case BROWSER_CMD_CUT:
        m_view->Cut();
        return true;
    case BROWSER_CMD_COPY:
        m_view->Copy();
        return true;
    case BROWSER_CMD_PASTE:
        m_view->Paste();
        return true;
    case BROWSER_CMD_UNDO:
        m_view->Undo();
        return true;
    case BROWSER_CMD_REDO:
        m_view->Redo();
        return true;
    case BROWSER_CMD_SELECTALL:
        m_view->SelectAll();
        return true;
    case BROWSER_CMD_CLEAR:
        return RunScript("document.execCommand('delete')");
    }
    return false;
}

void WebBrowserControl::AmbientPropertyChanged(long memid)
{
    wxAxVariant userMode;
    if (memid == AMBIENT_USERMODE && m_container->GetAmbientProperty(memid, userMode))
        m_view->SetEditable(!userMode.boolVal);
}

bool WebBrowserControl::Navigate(const wxString& url, const wxString& postData)
{
    if (url.empty())
        return false;
    if (postData.empty())
    {
        m_requestedUrl = url;
        m_view->LoadURL(url);
    }
    else
        m_view->SetPage(FormPostPage(url, postData), "about:blank");
    return true;
}

void WebBrowserControl::LoadHtml(const wxString& html)
{
    m_view->SetPage(html, "about:blank");
}

bool WebBrowserControl::RunScript(const wxString& code, wxString* output)
{
    if (!IsAnsweringScript())
        return m_view->RunScript(code, output);
    m_scriptsForAnswer.Add(code);
    return true;
}

bool WebBrowserControl::AnswerScriptCall(const wxString& name, const wxArrayString& args, wxString& answer,
                                         wxArrayString& scripts)
{
    // The page is blocked in its call, so no other call of it can come in
    // between: the scripts collected now belong to this answer.
    m_scriptsForAnswer.clear();
    ++m_answering;
    const bool accepted = m_container->GetScriptObject().Call(name, args, answer);
    --m_answering;
    scripts.swap(m_scriptsForAnswer);
    m_scriptsForAnswer.clear();
    return accepted;
}

wxAxVariant WebBrowserControl::Dispatch() const
{
    wxAxVariant dispatch(static_cast<void*>(m_container));
    dispatch.vt = wxAX_VT_DISPATCH;
    return dispatch;
}

void WebBrowserControl::FireSimple(long memid, std::vector<wxAxVariant> args)
{
    m_container->FireEvent(memid, args);
}

void WebBrowserControl::ShowErrorPage(const wxString& url, const wxString& description)
{
    const wxString page = "<html><head><title>Cannot open page</title></head>"
                          "<body style=\"font-family:sans-serif;color:#333;margin:40px\">"
                          "<h2>" +
                          KelEscapeMarkup(_("The page cannot be displayed")) +
                          "</h2>"
                          "<p>" +
                          KelEscapeMarkup(url) + "</p><p>" + KelEscapeMarkup(description) +
                          "</p></body></html>";
    m_view->SetPage(page, wxString(BrowserErrorPageUrl) + "#" + url);
}

// The engine tidies an address before it reports it ("http:///a" becomes
// "http://a/"), which would hide from handlers what the program asked for:
// the start of a load the program asked for reports its address as given.
wxString WebBrowserControl::ReportedTarget(const wxString& engineUrl)
{
    const auto formless = [](wxString url)
    {
        url.Replace("/", wxString());
        return url.Lower();
    };
    wxString requested;
    requested.swap(m_requestedUrl);
    return !requested.empty() && formless(requested) == formless(engineUrl) ? requested : engineUrl;
}

void WebBrowserControl::OnNavigating(wxWebViewEvent& event)
{
    std::vector<wxAxVariant> args = {Dispatch(),
                                     wxAxVariant(ReportedTarget(event.GetURL())),
                                     wxAxVariant(0L),
                                     wxAxVariant(event.GetTarget()),
                                     wxAxVariant(wxString()),
                                     wxAxVariant(wxString()),
                                     wxAxVariant(false)};
    m_container->FireEvent(BROWSER_BEFORENAVIGATE2, args);
    if (args[6].boolVal)
        event.Veto();
    else
        m_readyState = READYSTATE_LOADING;
}

void WebBrowserControl::OnNavigated(wxWebViewEvent& event)
{
    m_readyState = READYSTATE_INTERACTIVE;
    FireSimple(BROWSER_NAVIGATECOMPLETE2, {Dispatch(), wxAxVariant(event.GetURL())});
}

void WebBrowserControl::OnLoaded(wxWebViewEvent& event)
{
    m_readyState = READYSTATE_COMPLETE;
    FireSimple(BROWSER_DOCUMENTCOMPLETE, {Dispatch(), wxAxVariant(event.GetURL())});
    FireSimple(BROWSER_DOWNLOADCOMPLETE, {});
}

void WebBrowserControl::OnError(wxWebViewEvent& event)
{
    m_readyState = READYSTATE_COMPLETE;
    if (event.GetInt() != wxWEBVIEW_NAV_ERR_USER_CANCELLED)
    {
        std::vector<wxAxVariant> args = {Dispatch(), wxAxVariant(event.GetURL()),
                                         wxAxVariant(event.GetTarget()),
                                         wxAxVariant(static_cast<long>(event.GetInt())), wxAxVariant(false)};
        m_container->FireEvent(BROWSER_NAVIGATEERROR, args);
        if (!args[4].boolVal)
            ShowErrorPage(event.GetURL(), event.GetString());
    }
    FireSimple(BROWSER_DOWNLOADCOMPLETE, {});
}

void WebBrowserControl::OnTitleChanged(wxWebViewEvent& event)
{
    FireSimple(BROWSER_TITLECHANGE, {wxAxVariant(event.GetString())});
}

void WebBrowserControl::OnNewWindow(wxWebViewEvent& event)
{
    wxAxVariant target;
    target.vt = wxAX_VT_DISPATCH;
    std::vector<wxAxVariant> args = {target, wxAxVariant(false)};
    m_container->FireEvent(BROWSER_NEWWINDOW2, args);
    if (args[1].boolVal)
        return;
    // A handler that hands over another browser has the page opened there.
    if (WebBrowserControl* other = FromContainer(args[0].byref))
        other->Navigate(event.GetURL());
}

void WebBrowserControl::OnScriptMessage(wxWebViewEvent& event)
{
    const wxString message = event.GetString();
    if (message.BeforeFirst('|') != wxString::Format("%d", m_token))
        return;
    const wxString kind = message.AfterFirst('|').BeforeFirst('|');
    const wxString value = message.AfterFirst('|').AfterFirst('|');
    if (kind == "status")
        FireSimple(BROWSER_STATUSTEXTCHANGE, {wxAxVariant(value)});
    else if (kind == "quit")
        FireSimple(BROWSER_ONQUIT, {});
}

void WebBrowserControl::OnProgress(void* WXUNUSED(view), void* WXUNUSED(param), void* self)
{
    auto* control = static_cast<WebBrowserControl*>(self);
    const long progress = static_cast<long>(webkit::GetProgress(control->m_view) * 100);
    control->FireSimple(BROWSER_PROGRESSCHANGE, {wxAxVariant(progress), wxAxVariant(100L)});
}

namespace
{

const bool registered = []
{
    wxActiveX::RegisterControlClass(WebBrowserControl::ClassId, WebBrowserControl::ProgId,
                                    [] { return new WebBrowserControl; });
    return true;
}();

} // namespace

} // namespace kel
