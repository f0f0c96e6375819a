// The live session's sign-in controls in the side pane: address, password,
// Sign in / Sign out and a status line that says how the connection stands
// and why it failed. Below them, a subscription request waits for Approve or
// Deny.
#include "demoregistry.h"
#include "livesession.h"

#include <kelctrls/platform/imcore.h>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "demotext.h"

namespace
{

// The first panel signs in with the stored address, as a client that
// remembers its login does; panels built later (a new language) do not.
bool g_signedInOnce = false;
// The request waiting for an answer, kept for panels built later.
wxString g_pendingRequest;

class SignInPanel : public wxPanel
{
public:
    explicit SignInPanel(wxWindow* parent) : wxPanel(parent, wxID_ANY)
    {
        KelJabberJob* job = KelJabberJob::GetInstance();
        m_jid = new wxTextCtrl(this, wxID_ANY, job->GetMyJid(), wxDefaultPosition, wxDefaultSize,
                               wxTE_PROCESS_ENTER);
        m_password = new wxTextCtrl(this, wxID_ANY, job->GetMyPassWord(), wxDefaultPosition, wxDefaultSize,
                                    wxTE_PASSWORD | wxTE_PROCESS_ENTER);
        m_button = new wxButton(this, wxID_ANY, _("Sign in"));
        m_status = new wxStaticText(this, wxID_ANY, wxString());
        m_request = new wxStaticText(this, wxID_ANY, wxString());
        m_approve = new wxButton(this, wxID_ANY, _("Approve"));
        m_deny = new wxButton(this, wxID_ANY, _("Deny"));

        wxFlexGridSizer* fields = new wxFlexGridSizer(2, 4, 4);
        fields->AddGrowableCol(1);
        fields->Add(new wxStaticText(this, wxID_ANY, _("Address")), 0, wxALIGN_CENTER_VERTICAL);
        fields->Add(m_jid, 1, wxEXPAND);
        fields->Add(new wxStaticText(this, wxID_ANY, _("Password")), 0, wxALIGN_CENTER_VERTICAL);
        fields->Add(m_password, 1, wxEXPAND);
        wxBoxSizer* answer = new wxBoxSizer(wxHORIZONTAL);
        answer->Add(m_approve, 0, wxRIGHT, 4);
        answer->Add(m_deny);
        wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(fields, 0, wxEXPAND);
        sizer->Add(m_button, 0, wxALIGN_RIGHT | wxTOP, 4);
        sizer->Add(m_status, 0, wxEXPAND | wxTOP, 4);
        sizer->Add(m_request, 0, wxEXPAND | wxTOP, 6);
        sizer->Add(answer, 0, wxTOP, 2);
        SetSizer(sizer);
        ShowRequest(g_pendingRequest);

        m_button->Bind(wxEVT_BUTTON, &SignInPanel::OnButton, this);
        m_jid->Bind(wxEVT_TEXT_ENTER, &SignInPanel::OnButton, this);
        m_password->Bind(wxEVT_TEXT_ENTER, &SignInPanel::OnButton, this);
        m_approve->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Answer(true); });
        m_deny->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Answer(false); });
        Bind(jabEVT_CONNECTION, &SignInPanel::OnConnection, this);
        Bind(jabEVT_SUBSCRIPTION, &SignInPanel::OnSubscription, this);
        KelJabberEventCenter* center = KelJabberEventCenter::GetInstance();
        center->Register(this, jabEVT_CONNECTION, "SignInPanel", "jabEVT_CONNECTION");
        center->Register(this, jabEVT_SUBSCRIPTION, "SignInPanel", "jabEVT_SUBSCRIPTION");

        KelXmppClient& user = DemoLiveSession::Get()->GetUser();
        ShowState(user.GetState(), user.GetLastError());
        if (!g_signedInOnce)
        {
            g_signedInOnce = true;
            SignIn();
        }
    }

    ~SignInPanel() override { KelJabberEventCenter::GetInstance()->UnRegister(this, -1); }

private:
    void OnButton(wxCommandEvent&)
    {
        if (DemoLiveSession::Get()->GetUser().GetState() == KelXmppState::Offline)
            SignIn();
        else
            DemoLiveSession::Get()->GetUser().SignOut();
    }

    void SignIn()
    {
        KelJabberJob* job = KelJabberJob::GetInstance();
        job->SetMyJid(m_jid->GetValue().Strip(wxString::both));
        job->SetMyPassWord(m_password->GetValue(), false);
        if (!DemoLiveSession::Get()->SignIn(job->GetMyJid(), job->GetMyPassWord()))
            SetStatus(_("Enter an address of the form name@domain."));
    }

    void OnConnection(wxCommandEvent& event)
    {
        event.Skip();
        ShowState(KelXmppState(event.GetInt()), event.GetString());
    }

    void ShowState(KelXmppState state, const wxString& reason)
    {
        const bool offline = state == KelXmppState::Offline;
        m_button->SetLabel(offline ? _("Sign in") : _("Sign out"));
        m_jid->Enable(offline);
        m_password->Enable(offline);
        switch (state)
        {
        case KelXmppState::Connecting:
            SetStatus(_("Signing in..."));
            break;
        case KelXmppState::Online:
            SetStatus(wxString::Format(_("Online as %s"), DemoLiveSession::Get()->GetUser().GetBoundJid()));
            break;
        case KelXmppState::Reconnecting:
            SetStatus(wxString::Format(_("Connection lost, trying again: %s"), reason));
            break;
        default:
            SetStatus(reason.empty() ? _("Signed out.") : wxString::Format(_("Sign-in failed: %s"), reason));
            break;
        }
        if (state != KelXmppState::Online)
            ShowRequest(wxString());
    }

    void OnSubscription(JabberSimpleEvent& event)
    {
        event.Skip();
        const Presence* presence = dynamic_cast<Presence*>(event.GetBean());
        if (presence && presence->GetSubscriptionType() == "subscribe")
            ShowRequest(presence->GetJid());
    }

    void Answer(bool approve)
    {
        KelXmppBridge& bridge = DemoLiveSession::Get()->GetBridge();
        bridge.AnswerSubscription(g_pendingRequest, approve);
        const wxString name = DemoLiveSession::Get()->GetDisplayName(g_pendingRequest);
        SetStatus(wxString::Format(approve ? _("%s now sees your presence.") : _("You refused %s."), name));
        ShowRequest(wxString());
    }

    void ShowRequest(const wxString& jid)
    {
        g_pendingRequest = jid;
        const bool shown = !jid.empty();
        if (shown)
            m_request->SetLabel(wxString::Format(_("%s asks to see your presence."),
                                                 DemoLiveSession::Get()->GetDisplayName(jid)));
        m_request->Show(shown);
        m_approve->Show(shown);
        m_deny->Show(shown);
        Relayout();
    }

    void SetStatus(const wxString& text)
    {
        m_status->SetLabel(text);
        m_status->Wrap(GetClientSize().x > 40 ? GetClientSize().x : 180);
        Relayout();
    }

    void Relayout()
    {
        Layout();
        if (GetParent())
            GetParent()->Layout();
    }

    wxTextCtrl* m_jid;
    wxTextCtrl* m_password;
    wxButton* m_button;
    wxStaticText* m_status;
    wxStaticText* m_request;
    wxButton* m_approve;
    wxButton* m_deny;
};

DemoMainHookRegistration signInPanel(15,
                                     [](DemoMainFrame& frame)
                                     {
                                         if (!DemoLiveSession::Get())
                                             return;
                                         frame.GetSideSizer()->Add(new SignInPanel(frame.GetSidePane()), 0,
                                                                   wxEXPAND | wxALL, 6);
                                     });

} // anonymous namespace
