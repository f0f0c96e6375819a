// The shortcut bar at the bottom of the main window's side pane, read from
// the installation's shortcut file and ordered by the shortcut configuration.
#include "demoregistry.h"
#include "demotext.h"

#include <kelctrls/controls.h>
#include <kelctrls/skin.h>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

namespace
{

DemoMainHookRegistration
    shortcutBar(30,
                [](DemoMainFrame& main)
                {
                    wxWindow* pane = main.GetSidePane();
                    KelMainShortCut* bar = new KelMainShortCut(pane, wxID_ANY);
                    const wxColour back = KelSkinResource::GetInstance()->GetColour("color_win_bk");
                    bar->SetBackgroundColour(back);
                    bar->GetPanel()->SetBackgroundColour(back);
                    bar->LoadFile(KelInstallPath("config/shortcutbar.xml"));
                    main.GetSideSizer()->Add(bar, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);

                    wxStatusBar* status = main.GetStatusBar();
                    bar->Bind(wxEVT_SHORTCUT_BUTTON_CLICKED,
                              [status](KelShortCutEvent& event)
                              {
                                  if (event.IsItemClicked() && event.GetClickedItem())
                                      status->SetStatusText(
                                          wxString::Format(_("Opening %s"), event.GetClickedItem()->label),
                                          0);
                                  event.Skip();
                              });
                });

} // anonymous namespace
