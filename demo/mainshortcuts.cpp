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

// The labels of the installation's shortcut file, for the demo's catalogue.
[[maybe_unused]] const char* const kShortcutLabels[] = {
    wxTRANSLATE("Company portal"), wxTRANSLATE("Mail"),          wxTRANSLATE("Text message"),
    wxTRANSLATE("Calendar"),       wxTRANSLATE("Meeting rooms"), wxTRANSLATE("Shared files")};

// The links show the file's labels in the current language.
void TranslateLabels(KelShortCutPanel* panel)
{
    for (size_t i = 0; i < panel->GetShortCutCount(); ++i)
    {
        const KEL_SHORTCUT_ITEM* item = panel->GetShortCut(i);
        if (wxLinkText* link = item ? panel->GetShortCutLink(item->key) : nullptr)
            link->SetLabel(_(item->label));
    }
}

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
                    TranslateLabels(bar->GetPanel());
                    main.GetSideSizer()->Add(bar, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);

                    wxStatusBar* status = main.GetStatusBar();
                    bar->Bind(wxEVT_SHORTCUT_BUTTON_CLICKED,
                              [status](KelShortCutEvent& event)
                              {
                                  if (event.IsItemClicked() && event.GetClickedItem())
                                      status->SetStatusText(
                                          wxString::Format(_("Opening %s"), _(event.GetClickedItem()->label)),
                                          0);
                                  event.Skip();
                              });
                });

} // anonymous namespace
