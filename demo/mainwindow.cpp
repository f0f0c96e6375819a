#include "mainwindow.h"
#include "demotext.h"

#include <kelctrls/platform/imcore.h>

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>

// clang-format off
wxBEGIN_EVENT_TABLE(DemoMainWindow, KelFrameBase)
    EVT_MENU(wxID_EXIT, DemoMainWindow::OnQuit)
    EVT_MENU(wxID_ABOUT, DemoMainWindow::OnAbout)
wxEND_EVENT_TABLE()
// clang-format on

DemoMainWindow::DemoMainWindow()
    : KelFrameBase(nullptr, wxID_ANY, _("Kel Messenger"), wxDefaultPosition,
                   FromDIP(wxSize(1180, 760), nullptr))
{
    BuildMenus();
    CreateStatusBar(2);
    SetStatusText(_("Online"), 0);
    SetStatusText(KelJabberJob::GetInstance()->GetMyJid(), 1);

    wxBoxSizer* sizer = new wxBoxSizer(wxHORIZONTAL);
    BuildSidePane();
    BuildPages();
    sizer->Add(m_sidePane, 0, wxEXPAND);
    sizer->Add(m_pages, 1, wxEXPAND | wxALL, 6);
    SetSizer(sizer);

    for (const auto& hook : DemoMainHooks())
        hook.function(*this);
    Layout();

    KelWindowManager::Get()->Register(this);
}

wxSizer* DemoMainWindow::GetSideSizer()
{
    return m_sidePane->GetSizer();
}

void DemoMainWindow::BuildMenus()
{
    wxMenu* file = new wxMenu;
    file->Append(wxID_EXIT, _("E&xit\tCtrl-Q"));
    wxMenu* help = new wxMenu;
    help->Append(wxID_ABOUT, _("&About"));

    wxMenuBar* bar = new wxMenuBar;
    bar->Append(file, _("&File"));
    bar->Append(help, _("&Help"));
    SetMenuBar(bar);
}

void DemoMainWindow::BuildSidePane()
{
    m_sidePane = new KelPanelBase(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(280, -1)));
    KelSkinResource* skin = KelSkinResource::GetInstance();

    wxBoxSizer* header = new wxBoxSizer(wxHORIZONTAL);
    header->Add(new wxStaticBitmap(m_sidePane, wxID_ANY, skin->GetBitmapBundle("defboyimage")), 0, wxALL, 8);

    wxBoxSizer* who = new wxBoxSizer(wxVERTICAL);
    wxStaticText* name =
        new wxStaticText(m_sidePane, wxID_ANY, ParseName(KelJabberJob::GetInstance()->GetMyJid()));
    name->SetFont(skin->GetFont("font_user_name"));
    name->SetForegroundColour(skin->GetColour("color_user_name"));
    wxStaticText* status = new wxStaticText(m_sidePane, wxID_ANY, _("Online - at my desk"));
    status->SetForegroundColour(skin->GetColour("color_text_grey"));
    who->Add(name, 0, wxTOP, 10);
    who->Add(status, 0, wxTOP, 4);
    header->Add(who, 1);

    wxBoxSizer* column = new wxBoxSizer(wxVERTICAL);
    column->Add(header, 0, wxEXPAND);
    m_sidePane->SetSizer(column);
}

void DemoMainWindow::BuildPages()
{
    m_pages = new wxNotebook(this, wxID_ANY);
    for (const auto& page : DemoPages())
        m_pages->AddPage(page.function(m_pages), wxGetTranslation(page.name, DEMO_TEXT_DOMAIN));
}

void DemoMainWindow::OnQuit(wxCommandEvent&)
{
    KelWindowManager::Get()->CloseAll();
}

void DemoMainWindow::OnAbout(wxCommandEvent&)
{
    wxMessageBox(_("Kel Messenger, the showcase client of the KelCtrls library."), _("About"),
                 wxOK | wxICON_INFORMATION, this);
}
