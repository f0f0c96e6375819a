#include "browser/webbrowser.h"

#include "browser/webkitnative.h"
#include "skin/librarytext.h"

#include <wx/tokenzr.h>
#include <wx/uri.h>
#include <wx/webview.h>
#include <wx/weakref.h>

#include <sys/random.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <stdexcept>

// Refusals go to the debug log under a component of their own.
#define wxLOG_COMPONENT "kelctrls/browser"

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
// the program's answer, so the script injected into the top-level frame of
// every page turns a call into a synchronous request to the scheme below;
// the engine hands that request to this process's main loop while the page
// waits, and the answer becomes the call's value. A refused call fails the
// request, and the call throws.
//
// The request carries the view's secret in its body. The bridge script
// receives the secret and takes the functions it uses before any page script
// runs, so page script can neither read the secret nor watch a request
// (patched prototypes see nothing; resource lists show the address only).
// Frames get no bridge. A request is answered only by the view whose page
// made it, only with that view's secret, and only while that view shows a
// trusted page.
//
// While the page waits it can run nothing else, so script the program runs
// in it meanwhile travels with the answer and runs just before the call
// returns. The engine's own asynchronous run is not used: in this toolkit
// version its result can be taken for that of a synchronous run waiting at
// the time, and a result that comes late reaches a web view already gone.
// ---------------------------------------------------------------------------

const char BridgeScheme[] = "kelext";
const char BridgeAddress[] = "kelext://bridge/call";
const char MessageHandlerName[] = "kelctrlsBridge";
// Precedes every answer: the web view cannot hand an empty body to the page.
const char AnswerMark[] = "=";
// Separates the fields of requests and answers.
const char FieldMark[] = "&";

const char BridgeScript[] = R"JS((function () {
  'use strict';
  var secret = '%SECRET%';
  var apply = Reflect.apply, bind = Function.prototype.bind, create = Object.create;
  var define = Object.defineProperty, ProxyOf = Proxy, XHR = XMLHttpRequest, TypeErrorOf = TypeError;
  var stringOf = String, encode = encodeURIComponent, decode = decodeURIComponent, run = eval;
  var open = XHR.prototype.open, send = XHR.prototype.send, header = XHR.prototype.setRequestHeader;
  var status = Object.getOwnPropertyDescriptor(XHR.prototype, 'status').get;
  var response = Object.getOwnPropertyDescriptor(XHR.prototype, 'responseText').get;
  var split = String.prototype.split, substring = String.prototype.substring;
  var wellFormed = String.prototype.toWellFormed;
  var listen = EventTarget.prototype.addEventListener, closest = Element.prototype.closest;
  var handlers = window.webkit && window.webkit.messageHandlers;
  var handler = handlers && handlers.%HANDLER%, postMessage = handler && handler.postMessage;

  function text(value) { return value === undefined || value === null ? '' : stringOf(value); }
  function field(value) {
    var s = text(value);
    return encode(wellFormed ? apply(wellFormed, s, []) : s);
  }
  function call(name) {
    var body = secret;
    for (var i = 0; i < arguments.length; ++i)
      body += '%FIELD%' + field(arguments[i]);
    var request = new XHR(), answered = false;
    try {
      apply(open, request, ['POST', '%ADDRESS%', false]);
      apply(header, request, ['Content-Type', 'text/plain']);
      apply(send, request, [body]);
      answered = apply(status, request, []) === 200;
    } catch (e) {}
    if (!answered)
      throw new TypeErrorOf("Object doesn't support property or method '" + text(name) + "'");
    var parts = apply(split, apply(substring, apply(response, request, []), [%MARKLENGTH%]), ['%FIELD%']);
    for (var j = 1; j < parts.length; ++j) {
      try { run(decode(parts[j])); } catch (e) {}
    }
    return decode(parts[0]);
  }
  var traps = create(null);
  traps.get = function (target, name) {
    return typeof name === 'string' ? apply(bind, call, [null, name]) : undefined;
  };
  define(window, 'external', { value: new ProxyOf(create(null), traps), configurable: true });

  function post(kind, value) {
    try { apply(postMessage, handler, [secret + '|' + kind + '|' + value]); } catch (e) {}
  }
  function linkOf(node) {
    try { return apply(closest, node, ['a[href]']); } catch (e) { return null; }
  }
  apply(listen, window, ['mouseover', function (e) {
    var link = linkOf(e.target);
    if (link) post('status', link.href);
  }, true]);
  apply(listen, window, ['mouseout', function (e) {
    if (linkOf(e.target)) post('status', '');
  }, true]);
  define(window, 'close', { value: function () { post('quit', ''); }, configurable: true, writable: true });
})();)JS";

// A secret of 128 bits from the system's random source, as hex digits.
wxString NewSecret()
{
    unsigned char bytes[16] = {};
    size_t filled = 0;
    while (filled < sizeof(bytes))
    {
        const ssize_t count = getrandom(bytes + filled, sizeof(bytes) - filled, 0);
        if (count > 0)
            filled += static_cast<size_t>(count);
        else if (errno != EINTR)
            throw std::runtime_error("no random source for the browser bridge");
    }
    wxString secret;
    for (const unsigned char byte : bytes)
        secret += wxString::Format("%02x", byte);
    return secret;
}

// The live controls by their engine view.
std::map<void*, WebBrowserControl*>& LiveControls()
{
    static std::map<void*, WebBrowserControl*> controls;
    return controls;
}

// `text` as UTF-8 with every byte but ASCII letters and digits as %XX, which
// the page's decodeURIComponent reverses.
std::string EscapeComponent(const wxString& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string escaped;
    // The buffer belongs to the string it comes from.
    const wxString wellFormed = WellFormed(text);
    const wxScopedCharBuffer utf8 = wellFormed.utf8_str();
    for (size_t i = 0; i < utf8.length(); ++i)
    {
        const unsigned char byte = static_cast<unsigned char>(utf8.data()[i]);
        if (byte < 0x80 && isalnum(byte))
            escaped += static_cast<char>(byte);
        else
            escaped += {'%', hex[byte >> 4], hex[byte & 15]};
    }
    return escaped;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool DecodeField(const std::string& escaped, wxString& field)
{
    std::string bytes;
    for (size_t i = 0; i < escaped.size(); ++i)
    {
        char c = escaped[i];
        if (c == '%')
        {
            const int high = i + 2 < escaped.size() ? HexValue(escaped[i + 1]) : -1;
            const int low = high < 0 ? -1 : HexValue(escaped[i + 2]);
            if (low < 0)
                return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        if (c == '\0')
            return false;
        bytes += c;
    }
    field = wxString::FromUTF8(bytes.data(), bytes.size());
    // The toolkit's decoder lets overlong forms (of a NUL too) and code
    // points above U+10FFFF through: UTF-8 is what encodes back to the same
    // bytes, within Unicode and without surrogates.
    for (const wxUniChar c : field)
        if ((c.GetValue() >= 0xD800 && c.GetValue() <= 0xDFFF) || c.GetValue() > 0x10FFFF)
            return false;
    const wxScopedCharBuffer again = field.utf8_str();
    return std::string(again.data(), again.length()) == bytes;
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

wxString OriginOf(const wxString& url)
{
    const wxURI uri(url);
    const wxString scheme = uri.GetScheme().Lower();
    if (scheme == "file")
    {
        // "file:" ["//" host] path, the host empty or "localhost".
        wxString rest = url.AfterFirst(':').BeforeFirst('?').BeforeFirst('#');
        if (rest.StartsWith("//", &rest))
        {
            const wxString host = rest.BeforeFirst('/').Lower();
            if (!host.empty() && host != "localhost")
                return wxString();
            rest = "/" + rest.AfterFirst('/');
        }
        return rest.StartsWith("/") ? "file://" + wxURI::Unescape(rest) : wxString();
    }
    if ((scheme != "http" && scheme != "https") || !uri.HasServer() || uri.GetServer().empty())
        return wxString();
    wxString origin = scheme + "://" + uri.GetServer().Lower();
    const wxString defaultPort = scheme == "http" ? "80" : "443";
    if (uri.HasPort() && !uri.GetPort().empty() && uri.GetPort() != defaultPort)
        origin += ":" + uri.GetPort();
    return origin;
}

wxString WellFormed(const wxString& text)
{
    wxString result;
    result.reserve(text.length());
    for (const wxUniChar c : text)
        result += c.GetValue() >= 0xD800 && c.GetValue() <= 0xDFFF ? wxUniChar(0xFFFD) : c;
    return result;
}

bool DecodeBridgeFields(const std::string& body, std::vector<wxString>& fields)
{
    fields.clear();
    size_t start = 0;
    for (;;)
    {
        const size_t end = body.find(FieldMark, start);
        wxString field;
        if (!DecodeField(body.substr(start, end == std::string::npos ? std::string::npos : end - start),
                         field))
            return false;
        fields.push_back(field);
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

// ---------------------------------------------------------------------------

WebBrowserControl::WebBrowserControl()
    : m_secret(NewSecret()), m_homePage("about:blank"), m_searchPage("about:blank")
{
}

WebBrowserControl::~WebBrowserControl()
{
    if (m_view)
    {
        LiveControls().erase(webkit::NativeOf(m_view));
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

    m_container = container;
    m_view = wxWebView::New(container, wxID_ANY, "about:blank", wxPoint(0, 0), container->GetClientSize());
    if (!m_view)
        return false;

    wxString script(BridgeScript);
    script.Replace("%SECRET%", m_secret);
    script.Replace("%ADDRESS%", BridgeAddress);
    script.Replace("%HANDLER%", MessageHandlerName);
    script.Replace("%FIELD%", FieldMark);
    script.Replace("%MARKLENGTH%", wxString::Format("%zu", strlen(AnswerMark)));
    // Without the bridge, pages cannot reach the program at all.
    if (!webkit::ServeScheme(m_view, BridgeScheme, &WebBrowserControl::OnBridgeRequest) ||
        !webkit::AddTopFrameScript(m_view, script))
        wxLogDebug("The web engine offers no way for pages to call the program");
    m_view->AddScriptMessageHandler(MessageHandlerName);
    LiveControls()[webkit::NativeOf(m_view)] = this;

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
        value = wxAxVariant(GetTitle());
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

bool WebBrowserControl::Navigate(const wxString& url, const wxString& postData, bool trustTarget)
{
    if (url.empty())
        return false;
    if (trustTarget)
        TrustUrl(url);
    if (postData.empty())
    {
        m_requestedUrl = url;
        m_view->LoadURL(url);
    }
    else
        LoadHtml(FormPostPage(url, postData));
    return true;
}

void WebBrowserControl::LoadHtml(const wxString& html)
{
    m_loadingHtml = true;
    m_view->SetPage(html, "about:blank");
}

wxString WebBrowserControl::GetTitle() const
{
    const wxString title = m_view->GetCurrentTitle();
    return title.empty() ? m_title : title;
}

void WebBrowserControl::TrustUrl(const wxString& url)
{
    const wxString origin = OriginOf(url);
    if (!origin.empty())
        m_trusted.insert(origin);
}

void WebBrowserControl::DistrustUrl(const wxString& url)
{
    m_trusted.erase(OriginOf(url));
}

bool WebBrowserControl::IsTrustedUrl(const wxString& url) const
{
    const wxString origin = OriginOf(url);
    return !origin.empty() && m_trusted.count(origin) > 0;
}

wxArrayString WebBrowserControl::GetTrustedOrigins() const
{
    wxArrayString origins;
    for (const wxString& origin : m_trusted)
        origins.Add(origin);
    return origins;
}

void WebBrowserControl::SetTrustedOrigins(const wxArrayString& urls)
{
    m_trusted.clear();
    for (const wxString& url : urls)
        TrustUrl(url);
}

bool WebBrowserControl::IsPageTrusted() const
{
    const wxString url = m_view->GetCurrentURL();
    return url == "about:blank" ? m_programDocument : IsTrustedUrl(url);
}

bool WebBrowserControl::RunScript(const wxString& code, wxString* output)
{
    if (!IsAnsweringScript())
        return m_view->RunScript(WellFormed(code), output);
    m_answers.back().Add(code);
    return true;
}

WebBrowserControl::CallOutcome WebBrowserControl::AnswerScriptCall(const wxString& name,
                                                                   const wxArrayString& args,
                                                                   wxString& answer, wxArrayString& scripts)
{
    // The page is blocked in its call; the scripts run meanwhile belong to
    // this answer, unless a nested call takes them for its own.
    const wxWeakRef<wxActiveX> container(m_container);
    m_answers.emplace_back();
    const bool accepted = m_container->GetScriptObject().Call(name, args, answer);
    if (!container)
        return CALL_DROPPED;
    scripts = m_answers.back();
    m_answers.pop_back();
    return accepted ? CALL_ANSWERED : CALL_REFUSED;
}

void WebBrowserControl::LogRefusal(const wxString& what)
{
    if (m_refusalLogged)
        return;
    m_refusalLogged = true;
    wxLogDebug("Refused %s: %s is not a trusted page", what, m_view->GetCurrentURL());
}

void WebBrowserControl::OnBridgeRequest(void* request, void* WXUNUSED(userData))
{
    const auto& controls = LiveControls();
    const auto it = controls.find(webkit::RequestView(request));
    if (it == controls.end())
        webkit::FailRequest(request, "no such view");
    else
        it->second->AnswerBridgeRequest(request);
}

void WebBrowserControl::AnswerBridgeRequest(void* request)
{
    std::vector<wxString> fields;
    if (webkit::RequestMethod(request) != "POST" ||
        !DecodeBridgeFields(webkit::RequestBody(request), fields) || fields.size() < 2 ||
        fields[0] != m_secret)
    {
        LogRefusal("a request to the program");
        webkit::FailRequest(request, "refused");
        return;
    }
    if (!IsPageTrusted())
    {
        LogRefusal("the call " + fields[1]);
        webkit::FailRequest(request, "refused");
        return;
    }

    const wxArrayString args(fields.size() - 2, fields.data() + 2);
    wxString answer;
    wxArrayString scripts;
    webkit::HoldRequest(request);
    switch (AnswerScriptCall(fields[1], args, answer, scripts))
    {
    case CALL_ANSWERED:
    {
        std::string body = AnswerMark + EscapeComponent(answer);
        for (const wxString& script : scripts)
            body += FieldMark + EscapeComponent(script);
        webkit::FinishRequest(request, body, "text/plain;charset=utf-8");
        break;
    }
    case CALL_REFUSED:
        webkit::FailRequest(request, "refused");
        break;
    case CALL_DROPPED:
        webkit::FailRequest(request, "the view is gone");
        break;
    }
    webkit::ReleaseRequest(request);
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
    // Navigations that started earlier may still come first.
    if (m_requestedUrl.empty() || formless(m_requestedUrl) != formless(engineUrl))
        return engineUrl;
    wxString requested;
    requested.swap(m_requestedUrl);
    return requested;
}

void WebBrowserControl::OnNavigating(wxWebViewEvent& event)
{
    // The bridge's address is for the bridge's requests only.
    if (event.GetURL().Lower().StartsWith(wxString(BridgeScheme) + ":"))
    {
        LogRefusal("a navigation to the bridge");
        event.Veto();
        return;
    }
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
    // A new document: only one from LoadHtml is the program's own.
    m_programDocument = m_loadingHtml && event.GetURL() == "about:blank";
    m_loadingHtml = false;
    m_refusalLogged = false;
    m_title.clear();
    m_readyState = READYSTATE_INTERACTIVE;
    FireSimple(BROWSER_NAVIGATECOMPLETE2, {Dispatch(), wxAxVariant(event.GetURL())});
}

void WebBrowserControl::OnLoaded(wxWebViewEvent& event)
{
    // The engine reports the title on a way of its own, which may come after
    // this: handlers of the completion read it here already.
    const wxWeakRef<wxActiveX> container(m_container);
    const wxString title = ReadDocumentTitle();
    if (!container)
        return;
    ReportTitle(title);
    m_readyState = READYSTATE_COMPLETE;
    FireSimple(BROWSER_DOCUMENTCOMPLETE, {Dispatch(), wxAxVariant(event.GetURL())});
    FireSimple(BROWSER_DOWNLOADCOMPLETE, {});
}

wxString WebBrowserControl::ReadDocumentTitle()
{
    wxString title = m_view->GetCurrentTitle();
    if (title.empty() && !IsAnsweringScript())
        webkit::EvaluateToText(m_view, "document.title", title);
    return title;
}

void WebBrowserControl::ReportTitle(const wxString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    FireSimple(BROWSER_TITLECHANGE, {wxAxVariant(title)});
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
    ReportTitle(event.GetString());
}

void WebBrowserControl::OnNewWindow(wxWebViewEvent& event)
{
    wxAxVariant target;
    target.vt = wxAX_VT_DISPATCH;
    std::vector<wxAxVariant> args = {target, wxAxVariant(false)};
    m_container->FireEvent(BROWSER_NEWWINDOW2, args);
    if (args[1].boolVal)
        return;
    // A handler that hands over another browser has the page opened there;
    // that browser trusts it only when this trusted page vouches for it.
    const wxString url = event.GetURL();
    if (WebBrowserControl* other = FromContainer(args[0].byref))
    {
        if (IsPageTrusted() && IsTrustedUrl(url))
            other->TrustUrl(url);
        other->Navigate(url, wxString(), false);
    }
}

void WebBrowserControl::OnScriptMessage(wxWebViewEvent& event)
{
    // Frames may post here too; only the bridge knows the secret.
    const wxString message = event.GetString();
    if (message.BeforeFirst('|') != m_secret)
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
