#include <kelctrls/browser/ieframe.h>

#include <kelctrls/messaging/handlers.h>
#include <kelctrls/platform/skinengine.h>
#include <kelctrls/skin/windowbases.h>

PhoneCallBase* wxIEFrame::m_handler = nullptr;

// clang-format off
wxBEGIN_EVENT_TABLE(wxIEFrame, wxFrame)
    EVT_SIZE(wxIEFrame::OnSizeChange)
    EVT_SHOW(wxIEFrame::OnShow)
    EVT_CLOSE(wxIEFrame::OnIEFrameClose)
wxEND_EVENT_TABLE()
// clang-format on

wxIEFrame::wxIEFrame(const wxString& url, wxWindow* parent, wxWindowID id, const wxString& title,
                     const wxPoint& pos, const wxSize& size)
    : wxFrame(parent, id, title, pos, size, wxDEFAULT_FRAME_STYLE)
{
    Init(url);
}

wxIEFrame::wxIEFrame(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos,
                     const wxSize& size)
    : wxFrame(parent, id, title, pos, size, wxDEFAULT_FRAME_STYLE)
{
    Init(wxString());
}

void wxIEFrame::Init(const wxString& url)
{
    m_url = url;
    m_hideWhenClose = false;
    KelWindowManager::Get()->Register(this);
    m_panel = new wxIEPanel(this, this, wxID_ANY, wxPoint(0, 0), GetClientSize(), wxNO_BORDER, "panel");
    SkinWindowEngine::Get()->Attach(this, "IE_Frame", SKIN_KIND_FRAME);
}

wxIEFrame::~wxIEFrame()
{
    SkinWindowEngine::Get()->Detach(this);
    KelWindowManager::Get()->UnRegister(this);
}

wxIEHtmlWin* wxIEFrame::GetIE() const
{
    return m_panel ? m_panel->GetIEWindow() : nullptr;
}

void wxIEFrame::LoadUrl(const wxString& url, wxIEHtmlTrust trust)
{
    if (!m_panel)
        return;
    wxIEPanel::DelTempFiles();
    m_url = url;
    m_urlTrust = trust;
    if (IsShown())
        m_panel->OnNavigate(url, trust);
}

bool wxIEFrame::JScriptCheck(const wxString& name)
{
    return name.IsSameAs("MakeCall", false);
}

wxString wxIEFrame::JScriptProcess(const wxString& name, wxArrayString& args)
{
    const wxIEHtmlWin* browser = GetIE();
    if (name.IsSameAs("MakeCall", false) && !args.empty() && m_handler && browser && browser->IsPageTrusted())
        m_handler->MakeCall(args[0]);
    return wxString();
}

void wxIEFrame::OnMSHTMLTitleChangeX(wxIEPanel* WXUNUSED(panel), wxActiveXEvent& event)
{
    SetTitle(event["Text"].GetString());
}

void wxIEFrame::OnWebBrowserClose(wxIEPanel* WXUNUSED(panel), wxActiveXEvent& WXUNUSED(event))
{
    Close();
}

void wxIEFrame::OnSizeChange(wxSizeEvent& event)
{
    if (m_panel)
        m_panel->SetSize(GetClientSize());
    event.Skip();
}

void wxIEFrame::OnShow(wxShowEvent& event)
{
    if (event.IsShown() && m_panel && !m_hideWhenClose)
        m_panel->OnNavigate(m_url, m_urlTrust);
    event.Skip();
}

void wxIEFrame::OnIEFrameClose(wxCloseEvent& event)
{
    if (!m_hideWhenClose || !event.CanVeto())
    {
        event.Skip();
        return;
    }
    event.Veto();
    Hide();
}
