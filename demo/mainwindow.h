// The demo client's main window: the user's column at the left and the
// showcase pages at the right.
#ifndef KELCTRLS_DEMO_MAINWINDOW_H
#define KELCTRLS_DEMO_MAINWINDOW_H

#include "demoregistry.h"

#include <kelctrls/skin.h>

class wxBoxSizer;

class DemoMainWindow : public KelFrameBase, public DemoMainFrame
{
public:
    DemoMainWindow();

    wxFrame* GetFrame() override { return this; }
    wxWindow* GetSidePane() override { return m_sidePane; }
    wxSizer* GetSideSizer() override;
    wxNotebook* GetPages() override { return m_pages; }
    wxMenuBar* GetMenuBar() override { return wxFrame::GetMenuBar(); }
    wxStatusBar* GetStatusBar() override { return wxFrame::GetStatusBar(); }

private:
    void BuildMenus();
    void BuildSidePane();
    void BuildPages();

    void OnQuit(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);

    KelPanelBase* m_sidePane = nullptr;
    wxNotebook* m_pages = nullptr;

    wxDECLARE_EVENT_TABLE();
};

#endif
