#include <kelctrls/browser/iehtmlwin.h>

#include "browser/webbrowser.h"
#include "browser/webkitnative.h"
#include "skin/librarytext.h"

#include <wx/fdrepdlg.h>
#include <wx/mstream.h>
#include <wx/uri.h>
#include <wx/webview.h>

wxDEFINE_EVENT(htmlEVT_HTMLCALL_FUNCTION, HtmlCallFuncEvent);
wxDEFINE_EVENT(wxEVT_HTML_EXTERNAL, wxHtmlExternalEvent);

wxIMPLEMENT_DYNAMIC_CLASS(HtmlCallFuncEvent, wxCommandEvent);

HtmlCallFuncEvent::HtmlCallFuncEvent(int type) : wxCommandEvent(type, wxID_ANY) {}

namespace
{

kel::WebBrowserControl* BrowserOf(const wxActiveX* window)
{
    return dynamic_cast<kel::WebBrowserControl*>(window->GetControl());
}

// `text` as a script string literal.
wxString ScriptString(const wxString& text)
{
    wxString quoted = "\"";
    for (const wxUniChar c : text)
    {
        switch (c.GetValue())
        {
        case '\\':
            quoted += "\\\\";
            break;
        case '"':
            quoted += "\\\"";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case 0x2028:
            quoted += "\\u2028";
            break;
        case 0x2029:
            quoted += "\\u2029";
            break;
        default:
            if (c.GetValue() < 0x20)
                quoted += wxString::Format("\\u%04x", static_cast<unsigned>(c.GetValue()));
            else
                quoted += c;
        }
    }
    return quoted + "\"";
}

wxString DecodePageBytes(const std::string& bytes)
{
    const wxString text = wxString::FromUTF8(bytes.data(), bytes.size());
    if (!text.empty() || bytes.empty())
        return text;
    return wxString(bytes.data(), wxConvISO8859_1, bytes.size());
}

} // namespace

// ---------------------------------------------------------------------------
// Stream adaptors
// ---------------------------------------------------------------------------

size_t IStreamAdaptorBase::Read(void* buffer, size_t size)
{
    const size_t fromPrefix = std::min(size, m_prefix.size());
    std::copy_n(m_prefix.data(), fromPrefix, static_cast<char*>(buffer));
    m_prefix.erase(0, fromPrefix);
    if (fromPrefix == size)
        return size;
    return fromPrefix + ReadSource(static_cast<char*>(buffer) + fromPrefix, size - fromPrefix);
}

std::string IStreamAdaptorBase::ReadAll()
{
    std::string all;
    char chunk[4096];
    while (const size_t count = Read(chunk, sizeof(chunk)))
        all.append(chunk, count);
    return all;
}

void IStreamAdaptorBase::Release()
{
    if (--m_refs == 0)
        delete this;
}

size_t IStreamAdaptor::ReadSource(void* buffer, size_t size)
{
    if (!m_stream || !*m_stream)
        return 0;
    m_stream->read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    return static_cast<size_t>(m_stream->gcount());
}

size_t IwxStreamAdaptor::ReadSource(void* buffer, size_t size)
{
    if (!m_stream || m_stream->Eof())
        return 0;
    return m_stream->Read(buffer, size).LastRead();
}

// ---------------------------------------------------------------------------
// wxIEHtmlWin
// ---------------------------------------------------------------------------

// clang-format off
wxBEGIN_EVENT_TABLE(wxIEHtmlWin, wxActiveX)
    EVT_MENU(wxID_CUT, wxIEHtmlWin::OnCut)
    EVT_MENU(wxID_COPY, wxIEHtmlWin::OnCopy)
    EVT_MENU(wxID_PASTE, wxIEHtmlWin::OnPaste)
    EVT_MENU(wxID_CLEAR, wxIEHtmlWin::OnClear)
    EVT_MENU(wxID_UNDO, wxIEHtmlWin::OnUndo)
    EVT_MENU(wxID_REDO, wxIEHtmlWin::OnRedo)
    EVT_MENU(wxID_SELECTALL, wxIEHtmlWin::OnSelectAll)
    EVT_MENU(wxID_FIND, wxIEHtmlWin::OnFind)
    EVT_CHAR(wxIEHtmlWin::OnChar)
    EVT_NAVIGATION_KEY(wxIEHtmlWin::OnNavigationKey)
wxEND_EVENT_TABLE()
// clang-format on

wxIEHtmlWin::wxIEHtmlWin(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
    : wxActiveX(parent, kel::WebBrowserControl::ClassId, id, pos, size, style, name)
{
    SetupBrowser();

    const struct
    {
        int key;
        int command;
    } accelerators[] = {
        {'C', wxID_COPY}, {'V', wxID_PASTE},     {'X', wxID_CUT},   {'Y', wxID_REDO},
        {'Z', wxID_UNDO}, {'A', wxID_SELECTALL}, {'D', wxID_CLEAR}, {'F', wxID_FIND},
    };
    wxAcceleratorEntry entries[WXSIZEOF(accelerators)];
    for (size_t i = 0; i < WXSIZEOF(accelerators); ++i)
        entries[i].Set(wxACCEL_CTRL, accelerators[i].key, accelerators[i].command);
    SetAcceleratorTable(wxAcceleratorTable(WXSIZEOF(entries), entries));
}

wxIEHtmlWin::~wxIEHtmlWin()
{
    if (m_findDialog)
        m_findDialog->Destroy();
}

void wxIEHtmlWin::SetupBrowser()
{
    LoadUrl("about:blank");
}

wxWebView* wxIEHtmlWin::GetWebView() const
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    return browser ? browser->GetWebView() : nullptr;
}

void wxIEHtmlWin::LoadUrl(const wxString& url)
{
    LoadUrl(url, wxIEHTML_TRUST_TARGET);
}

void wxIEHtmlWin::LoadUrl(const wxString& url, wxIEHtmlTrust trust)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->Navigate(url, wxString(), trust == wxIEHTML_TRUST_TARGET);
}

bool wxIEHtmlWin::LoadUrl(const wxString& url, const wxString& postData)
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    return browser && browser->Navigate(url, postData);
}

bool wxIEHtmlWin::LoadString(const wxString& html)
{
    const wxScopedCharBuffer utf8 = html.utf8_str();
    wxMemoryInputStream stream(utf8.data(), utf8.length());
    return LoadStream(&stream);
}

bool wxIEHtmlWin::LoadStream(IStreamAdaptorBase* adaptor)
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    if (!browser || !adaptor)
        return false;
    adaptor->SetPrefix("<html>");
    browser->LoadHtml(DecodePageBytes(adaptor->ReadAll()));
    return true;
}

bool wxIEHtmlWin::LoadStream(wxInputStream* stream)
{
    IStreamAdaptorBase* adaptor = new IwxStreamAdaptor(stream);
    const bool loaded = LoadStream(adaptor);
    adaptor->Release();
    return loaded;
}

bool wxIEHtmlWin::LoadStream(std::istream* stream)
{
    IStreamAdaptorBase* adaptor = new IStreamAdaptor(stream);
    const bool loaded = LoadStream(adaptor);
    adaptor->Release();
    return loaded;
}

bool wxIEHtmlWin::GoBack()
{
    return HasControl() && CallMethod("GoBack").GetBool();
}

bool wxIEHtmlWin::GoForward()
{
    return HasControl() && CallMethod("GoForward").GetBool();
}

bool wxIEHtmlWin::GoHome()
{
    return HasControl() && CallMethod("GoHome").GetBool();
}

bool wxIEHtmlWin::GoSearch()
{
    return HasControl() && CallMethod("GoSearch").GetBool();
}

bool wxIEHtmlWin::Refresh(wxIEHtmlRefreshLevel level)
{
    if (!HasControl())
        return false;
    wxVariant args[] = {wxVariant(static_cast<long>(level))};
    return CallMethod("Refresh2", args).GetBool();
}

bool wxIEHtmlWin::Stop()
{
    return HasControl() && CallMethod("Stop").GetBool();
}

void wxIEHtmlWin::SetHomePage(const wxString& url)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->SetHomePage(url);
}

void wxIEHtmlWin::SetSearchPage(const wxString& url)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->SetSearchPage(url);
}

wxString wxIEHtmlWin::GetOrigin(const wxString& url)
{
    return kel::OriginOf(url);
}

void wxIEHtmlWin::TrustUrl(const wxString& url)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->TrustUrl(url);
}

void wxIEHtmlWin::DistrustUrl(const wxString& url)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->DistrustUrl(url);
}

bool wxIEHtmlWin::IsTrustedUrl(const wxString& url) const
{
    const kel::WebBrowserControl* browser = BrowserOf(this);
    return browser && browser->IsTrustedUrl(url);
}

wxArrayString wxIEHtmlWin::GetTrustedOrigins() const
{
    const kel::WebBrowserControl* browser = BrowserOf(this);
    return browser ? browser->GetTrustedOrigins() : wxArrayString();
}

void wxIEHtmlWin::SetTrustedOrigins(const wxArrayString& urls)
{
    if (kel::WebBrowserControl* browser = BrowserOf(this))
        browser->SetTrustedOrigins(urls);
}

bool wxIEHtmlWin::IsPageTrusted() const
{
    const kel::WebBrowserControl* browser = BrowserOf(this);
    return browser && browser->IsPageTrusted();
}

wxString wxIEHtmlWin::GetTitle()
{
    const kel::WebBrowserControl* browser = BrowserOf(this);
    return browser ? browser->GetTitle() : wxString();
}

// Text and selection are read by page script: the toolkit's own readers need
// an engine extension that is not always installed.
wxString wxIEHtmlWin::GetStringSelection(bool asHTML)
{
    if (!asHTML)
        return RunForText("String(window.getSelection())");
    return RunForText(
        "(function () { var s = window.getSelection(), box = document.createElement('div');"
        " for (var i = 0; i < s.rangeCount; ++i) box.appendChild(s.getRangeAt(i).cloneContents());"
        " return box.innerHTML; })()");
}

wxString wxIEHtmlWin::GetText(bool asHTML)
{
    wxWebView* view = GetWebView();
    if (!view)
        return wxString();
    return asHTML ? view->GetPageSource() : RunForText("document.body ? document.body.innerText : ''");
}

wxString wxIEHtmlWin::RunForText(const wxString& script)
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    wxString output;
    if (!browser || browser->IsAnsweringScript() || !browser->RunScript(script, &output))
        return wxString();
    return output;
}

void wxIEHtmlWin::GetScriptTexts(wxArrayString& texts)
{
    // Each text comes encoded after an '&' of its own, so that a script
    // without text (one loaded from a file) still counts.
    const wxString joined = RunForText("Array.prototype.map.call(document.scripts, function (s) {"
                                       " return '&' + encodeURIComponent(s.text); }).join('')");
    for (size_t start = joined.find('&'); start != wxString::npos;)
    {
        const size_t next = joined.find('&', start + 1);
        const size_t length = next == wxString::npos ? wxString::npos : next - start - 1;
        texts.Add(wxURI::Unescape(joined.substr(start + 1, length)));
        start = next;
    }
}

void wxIEHtmlWin::SetCharset(const wxString& charset)
{
    kel::webkit::SetCustomCharset(GetWebView(), charset);
}

void wxIEHtmlWin::SetEditMode(bool on)
{
    m_editMode = on;
    AmbientPropertyChanged(kel::AMBIENT_USERMODE);
}

bool wxIEHtmlWin::GetAmbientProperty(long memid, wxAxVariant& value)
{
    if (memid != kel::AMBIENT_USERMODE)
        return wxActiveX::GetAmbientProperty(memid, value);
    value = wxAxVariant(!m_editMode);
    return true;
}

bool wxIEHtmlWin::ExecWB(int command, int option, wxAxVariant* in, wxAxVariant* out)
{
    if (!HasControl())
        return false;
    wxAxVariant args[] = {wxAxVariant(static_cast<long>(command)), wxAxVariant(static_cast<long>(option)),
                          in ? *in : wxAxVariant(), out ? *out : wxAxVariant()};
    const wxAxVariant result = CallMethod(kel::BROWSER_EXECWB, args, WXSIZEOF(args));
    if (out)
        *out = args[3];
    return result.boolVal;
}

int wxIEHtmlWin::CallJScript(const wxString& function, const wxArrayString& args)
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    if (!browser)
        return 0;

    wxString argList;
    for (const wxString& arg : args)
        argList += (argList.empty() ? "" : ",") + ScriptString(arg);
    const wxString call = "(function () { var f = window[" + ScriptString(function) +
                          "];"
                          " if (typeof f !== 'function') return 0;"
                          " f(" +
                          argList + "); return 1; })()";

    if (browser->IsAnsweringScript())
        return browser->RunScript(call) ? 1 : 0;
    return RunForText(call) == "1" ? 1 : 0;
}

bool wxIEHtmlWin::RunScriptByFrame(const wxString& code, const wxString& language)
{
    kel::WebBrowserControl* browser = BrowserOf(this);
    const wxString lang = language.Lower();
    if (!browser || !(lang.empty() || lang == "javascript" || lang == "jscript"))
        return false;

    return browser->RunScript(code);
}

bool wxIEHtmlWin::GetScriptLangCode(wxString& text, wxString& language)
{
    const int open = text.Find('<');
    const int close = text.Find('>');
    if (open == wxNOT_FOUND || close == wxNOT_FOUND || close <= open)
        return false;

    const wxString tag = text.Mid(open, close - open + 1).Lower();
    if (tag.Contains("javascript"))
        language = "javascript";
    else if (tag.Contains("jscript"))
        language = "jscript";
    else if (tag.Contains("vbscript"))
        language = "vbscript";
    else
        return false;

    text = text.Mid(close + 1);
    const int end = text.Lower().Find("</script>");
    if (end <= 0)
        return false;
    text = text.Left(end);
    return true;
}

void wxIEHtmlWin::OnCut(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_CUT);
}

void wxIEHtmlWin::OnCopy(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_COPY);
}

void wxIEHtmlWin::OnPaste(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_PASTE);
}

void wxIEHtmlWin::OnClear(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_CLEAR);
}

void wxIEHtmlWin::OnUndo(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_UNDO);
}

void wxIEHtmlWin::OnRedo(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_REDO);
}

void wxIEHtmlWin::OnSelectAll(wxCommandEvent& WXUNUSED(event))
{
    ExecWB(kel::BROWSER_CMD_SELECTALL);
}

void wxIEHtmlWin::OnFind(wxCommandEvent& WXUNUSED(event))
{
    if (m_findDialog)
    {
        m_findDialog->Raise();
        return;
    }
    if (!m_findData)
        m_findData.reset(new wxFindReplaceData(wxFR_DOWN));
    m_findDialog = new wxFindReplaceDialog(this, m_findData.get(), _("Find"));
    m_findDialog->Bind(wxEVT_FIND, &wxIEHtmlWin::OnFindNext, this);
    m_findDialog->Bind(wxEVT_FIND_NEXT, &wxIEHtmlWin::OnFindNext, this);
    m_findDialog->Bind(wxEVT_FIND_CLOSE,
                       [this](wxFindDialogEvent&)
                       {
                           m_findDialog->Destroy();
                           m_findDialog = nullptr;
                       });
    m_findDialog->Show();
}

void wxIEHtmlWin::OnFindNext(wxFindDialogEvent& event)
{
    wxWebView* view = GetWebView();
    if (!view)
        return;
    int flags = wxWEBVIEW_FIND_WRAP | wxWEBVIEW_FIND_HIGHLIGHT_RESULT;
    if (event.GetFlags() & wxFR_MATCHCASE)
        flags |= wxWEBVIEW_FIND_MATCH_CASE;
    if (event.GetFlags() & wxFR_WHOLEWORD)
        flags |= wxWEBVIEW_FIND_ENTIRE_WORD;
    if (!(event.GetFlags() & wxFR_DOWN))
        flags |= wxWEBVIEW_FIND_BACKWARDS;
    view->Find(event.GetFindString(), flags);
}

void wxIEHtmlWin::OnChar(wxKeyEvent& event)
{
    event.Skip();
}

void wxIEHtmlWin::OnNavigationKey(wxNavigationKeyEvent& event)
{
    event.Skip();
}
