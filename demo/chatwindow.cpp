#include "chatwindow.h"
#include "demotext.h"

#include "demoregistry.h"

#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace
{

const char* const kPeers[] = {"Alice Chen",   "David Novak",  "Eva Lindqvist", "Bruno Costa", "Farid Yilmaz",
                              "Grace Tanaka", "Clara Jensen", "Support desk",  "Release team"};

} // anonymous namespace

DemoChatWindow::DemoChatWindow(wxWindow* parent, const wxArrayString& peers)
    : KelFrameBase(parent, wxID_ANY, _("Chat"), wxDefaultPosition, FromDIP(wxSize(860, 560), parent))
{
    KelPanelBase* panel = new KelPanelBase(this);
    m_sidePane = BuildPeerCard(panel);

    KelSplitterButton* splitter =
        new KelSplitterButton(panel, wxID_ANY, wxDefaultPosition, panel->FromDIP(wxSize(9, -1)));
    splitter->Bind(kelEVT_SPLITTERBTN_CHANGED, &DemoChatWindow::OnSplitter, this);

    m_book = new KAuiNotebook(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              wxAUI_NB_TOP | wxAUI_NB_TAB_MOVE | wxAUI_NB_SCROLL_BUTTONS |
                                  wxAUI_NB_WINDOWLIST_BUTTON | wxAUI_NB_CLOSE_ON_ALL_TABS);
    m_book->SetArtProvider(new kBitmapAuiTabArt(KELAUITAB_BITMAP_CHAT));
    for (const wxString& peer : peers)
        m_book->AddPage(CreateDemoConversation(m_book, peer), peer);
    m_book->Bind(wxEVT_AUINOTEBOOK_PAGE_CHANGED, &DemoChatWindow::OnPageChanged, this);

    wxBoxSizer* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_sidePane, 0, wxEXPAND | wxALL, 6);
    sizer->Add(splitter, 0, wxEXPAND | wxTOP | wxBOTTOM, 6);
    sizer->Add(m_book, 1, wxEXPAND | wxALL, 6);
    panel->SetSizer(sizer);

    CreateStatusBar();
    SetStatusText(_("Drop a contact here to invite them, or files to send them."));

    if (!peers.empty())
    {
        m_book->SetSelection(0);
        ShowPeer(peers[0]);
    }
    RunDemoChatHooks(this);
}

wxWindow* DemoChatWindow::BuildPeerCard(wxWindow* parent)
{
    KelSkinResource* skin = KelSkinResource::GetInstance();
    KelPanelBase* card =
        new KelPanelBase(parent, wxID_ANY, wxDefaultPosition, parent->FromDIP(wxSize(170, -1)));
    card->SetBackgroundColour(skin->GetColour("color_pane_bk"));

    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticBitmap(card, wxID_ANY, skin->GetBitmapBundle("defboyimage")), 0,
                wxALIGN_CENTRE | wxTOP, 16);
    m_peerName = new wxStaticText(card, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                  wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
    m_peerName->SetFont(skin->GetFont("font_user_name"));
    m_peerName->SetForegroundColour(skin->GetColour("color_user_name"));
    column->Add(m_peerName, 0, wxEXPAND | wxALL, 8);

    const char* const details[] = {wxTRANSLATE("Online"), wxTRANSLATE("Local time 14:05"),
                                   wxTRANSLATE("Shared files: 3")};
    for (const char* detail : details)
    {
        wxStaticText* text = new wxStaticText(card, wxID_ANY, _(detail));
        text->SetForegroundColour(skin->GetColour("color_text_grey"));
        column->Add(text, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    }
    card->SetSizer(column);
    return card;
}

void DemoChatWindow::ShowPeer(const wxString& peer)
{
    m_peerName->SetLabel(peer);
    SetTitle(wxString::Format(_("Chat - %s"), peer));
    m_sidePane->Layout();
}

void DemoChatWindow::MarkUnread(const wxString& peer)
{
    for (size_t i = 0; i < m_book->GetPageCount(); ++i)
    {
        if (m_book->GetPageText(i) == peer)
            m_book->SetPageAttention(i, true);
    }
}

void DemoChatWindow::OnSplitter(kelSplitterButtonEvent& event)
{
    m_sidePane->Show(!event.IsInverted());
    m_sidePane->GetParent()->Layout();
}

void DemoChatWindow::OnPageChanged(wxAuiNotebookEvent& event)
{
    if (event.GetSelection() != wxNOT_FOUND)
        ShowPeer(m_book->GetPageText(event.GetSelection()));
    event.Skip();
}

DemoChatWindow* OpenDemoChat(wxWindow* parent)
{
    wxArrayString peers;
    for (const char* peer : kPeers)
        peers.push_back(peer);
    DemoChatWindow* chat = new DemoChatWindow(parent, peers);
    // Beside the contact list, so that contacts can be dragged over.
    chat->Move(parent->GetScreenPosition() + parent->FromDIP(wxPoint(280, 40)));
    chat->Show();
    // One unread conversation in view, one scrolled out to the right.
    chat->MarkUnread("Eva Lindqvist");
    chat->MarkUnread("Release team");
    return chat;
}

namespace
{

DemoShotRegistration chatShot(10, "chat",
                              [](wxWindow* mainFrame) -> wxTopLevelWindow*
                              {
                                  DemoChatWindow* chat = OpenDemoChat(mainFrame);
                                  // Hold the blink phase on while the screenshot is taken.
                                  chat->GetConversations()->SetBlinkInterval(60000);
                                  return chat;
                              });

DemoMainHookRegistration chatMenu(35,
                                  [](DemoMainFrame& main)
                                  {
                                      wxMenuBar* bar = main.GetMenuBar();
                                      wxMenu* menu = new wxMenu;
                                      const int id = wxWindow::NewControlId();
                                      menu->Append(id, _("&Chat window\tCtrl-T"));
                                      bar->Insert(bar->GetMenuCount() - 1, menu, _("&Chat"));
                                      wxFrame* frame = main.GetFrame();
                                      frame->Bind(
                                          wxEVT_MENU, [frame](wxCommandEvent&) { OpenDemoChat(frame); }, id);
                                  });

} // anonymous namespace
