// How the pieces of the demo client find each other: every showcase file
// registers its pages, screenshot windows and additions to the main window
// with a static registration object, so no shared file has to list them.
#ifndef KELCTRLS_DEMO_DEMOREGISTRY_H
#define KELCTRLS_DEMO_DEMOREGISTRY_H

#include <wx/string.h>

#include <functional>
#include <vector>

class wxFrame;
class wxMenuBar;
class wxNotebook;
class wxSizer;
class wxStatusBar;
class wxTopLevelWindow;
class wxWindow;

// The client's main window as the showcase files see it.
class DemoMainFrame
{
public:
    virtual ~DemoMainFrame() = default;

    virtual wxFrame* GetFrame() = 0;
    // The narrow column at the left: the signed-in user, the contact list,
    // the shortcut bar. Add windows as children of the pane to its sizer.
    virtual wxWindow* GetSidePane() = 0;
    virtual wxSizer* GetSideSizer() = 0;
    // The showcase pages.
    virtual wxNotebook* GetPages() = 0;
    virtual wxMenuBar* GetMenuBar() = 0;
    virtual wxStatusBar* GetStatusBar() = 0;
};

using DemoPageFactory = std::function<wxWindow*(wxWindow* parent)>;
using DemoShotOpener = std::function<wxTopLevelWindow*(wxWindow* mainFrame)>;
using DemoMainHook = std::function<void(DemoMainFrame& frame)>;
using DemoChatHook = std::function<void(wxTopLevelWindow* chat)>;
using DemoConversationFactory = std::function<wxWindow*(wxWindow* parent, const wxString& peer)>;

template <typename T>
struct DemoOrdered
{
    int order;
    wxString name;
    T function;
};

// A page of the main window's notebook.
struct DemoPageRegistration
{
    DemoPageRegistration(int order, const wxString& title, DemoPageFactory factory);
};

// A top-level window that screenshot mode opens, captures as "NN-name.png"
// and destroys.
struct DemoShotRegistration
{
    DemoShotRegistration(int order, const wxString& name, DemoShotOpener opener);
};

// Runs once after the main window is built.
struct DemoMainHookRegistration
{
    DemoMainHookRegistration(int order, DemoMainHook hook);
};

// Runs for every chat window that opens.
struct DemoChatHookRegistration
{
    DemoChatHookRegistration(int order, DemoChatHook hook);
};

// Builds the conversation area (history and input) of a chat page.
struct DemoConversationRegistration
{
    explicit DemoConversationRegistration(DemoConversationFactory factory);
};

const std::vector<DemoOrdered<DemoPageFactory>>& DemoPages();
const std::vector<DemoOrdered<DemoShotOpener>>& DemoShots();
const std::vector<DemoOrdered<DemoMainHook>>& DemoMainHooks();
void RunDemoChatHooks(wxTopLevelWindow* chat);

// The registered conversation area, or a plain one when none is registered.
wxWindow* CreateDemoConversation(wxWindow* parent, const wxString& peer);

// Languages (the Settings page): the translations of the demo and the
// library follow the language selected in an earlier run...
void DemoUseSelectedLanguage();
// ...or the installed language whose folder is named `folderName` ("zh_CN"),
// without selecting it for later runs; false when none is installed. Windows
// opened afterwards show the language.
bool DemoShowLanguage(const wxString& folderName);
// Builds the main window anew, in the language now in use, once the current
// event is handled.
void DemoRebuildMainWindow();

#endif
