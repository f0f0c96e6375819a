// A skinned top-level frame that shows one browser panel (a child it owns)
// and is that panel's call-back. Trusted pages in it may ask the client to
// dial a number ("MakeCall"); the panel opens pop-up windows and OpenUrl
// addresses in such frames. The frame registers with the window manager and
// the skin engine while it lives.
#ifndef KELCTRLS_BROWSER_IEFRAME_H
#define KELCTRLS_BROWSER_IEFRAME_H

#include <kelctrls/browser/iepanel.h>

#include <wx/frame.h>

class PhoneCallBase;

class KELCTRLS_API wxIEFrame : public wxFrame, public wxIECallBase
{
public:
    // The frame opens `url` each time it is shown.
    wxIEFrame(const wxString& url, wxWindow* parent, wxWindowID id = wxID_ANY,
              const wxString& title = wxString(), const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize);
    wxIEFrame(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxString(),
              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize);
    ~wxIEFrame() override;

    // Remembers `url` and, when the frame is shown, opens it (see
    // wxIEPanel::OnNavigate for `trust`).
    void LoadUrl(const wxString& url, wxIEHtmlTrust trust = wxIEHTML_TRUST_TARGET);
    const wxString& GetUrl() const { return m_url; }

    // With `hide` set, closing the frame only hides it, and showing it again
    // keeps the page it has.
    void HideWhenCose(bool hide) { m_hideWhenClose = hide; }
    bool IsHideWhenClose() const { return m_hideWhenClose; }

    // The panel's browser window and the panel (owned by the frame).
    wxIEHtmlWin* GetIE() const;
    wxIEPanel* GetPanel() const { return m_panel; }

    // "MakeCall" (any letter case) from a trusted page dials its first
    // argument through the registered phone handler; the page always gets an
    // empty answer.
    bool JScriptCheck(const wxString& name) override;
    wxString JScriptProcess(const wxString& name, wxArrayString& args) override;
    // The page's title becomes the frame's title; a page closing its window
    // closes the frame.
    void OnMSHTMLTitleChangeX(wxIEPanel* panel, wxActiveXEvent& event) override;
    void OnWebBrowserClose(wxIEPanel* panel, wxActiveXEvent& event) override;

    // The handler every frame dials through (not owned; null for none).
    static void RegisterPhoneHandler(PhoneCallBase* handler) { m_handler = handler; }

protected:
    void OnSizeChange(wxSizeEvent& event);
    void OnShow(wxShowEvent& event);
    void OnIEFrameClose(wxCloseEvent& event);

private:
    void Init(const wxString& url);

    wxIEPanel* m_panel = nullptr;
    wxString m_url;
    wxIEHtmlTrust m_urlTrust = wxIEHTML_TRUST_TARGET;
    bool m_hideWhenClose = false;

    static PhoneCallBase* m_handler;

    wxDECLARE_EVENT_TABLE();
};

#endif
