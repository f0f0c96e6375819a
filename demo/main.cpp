// The showcase client of the KelCtrls library.
//
//   kelctrls-demo [--data DIR] [--screenshot DIR] [--offline]
//
// --data names the installation folder (by default DemoInstallFolder());
// --screenshot writes one PNG per page and per extra window into DIR, the
// same again in Simplified Chinese into DIR/zh_CN, and exits. Without
// --offline the demo starts a Jabber server of its own on loopback and signs
// in to it; with it, the people and messages are made up.
#include "demoregistry.h"
#include "installfolder.h"
#include "livesession.h"
#include "mainwindow.h"

#include <kelctrls/platform/imcore.h>
#include <kelctrls/skin.h>

#include <wx/app.h>
#include <wx/cmdline.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/notebook.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <cstdio>

namespace
{

void WaitAndPaint(int milliseconds)
{
    wxStopWatch watch;
    while (watch.Time() < milliseconds)
    {
        wxYield();
        wxTheApp->ProcessPendingEvents();
        wxMilliSleep(10);
    }
}

// Reads the root window itself: after a wxScreenDC, GTK 3 no longer gets the program's
// later drawing onto the screen, and every following shot would show the first page.
bool SaveScreenArea(const wxRect& rect, const wxString& path)
{
    GdkPixbuf* pixbuf =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.x, rect.y, rect.width, rect.height);
    if (!pixbuf)
        return false;
    const bool saved = gdk_pixbuf_save(pixbuf, path.utf8_str(), "png", nullptr, nullptr);
    g_object_unref(pixbuf);
    return saved;
}

wxString FileNameOf(int index, const wxString& name)
{
    wxString slug;
    for (wxUniChar c : name.Lower())
        slug += wxIsalnum(c) ? c : wxUniChar('-');
    return wxString::Format("%02d-%s.png", index, slug);
}

void ReportAssert(const wxString& file, int line, const wxString&, const wxString& cond, const wxString& msg)
{
    std::fprintf(stderr, "assertion \"%s\" failed at %s:%d: %s\n", static_cast<const char*>(cond.utf8_str()),
                 static_cast<const char*>(file.utf8_str()), line, static_cast<const char*>(msg.utf8_str()));
}

} // anonymous namespace

class DemoApp : public wxApp
{
public:
    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
    int OnExit() override;

    void RebuildMainWindow();

private:
    void SignIn();
    void TakeScreenshots();
    void TakeScreenshotsInto(const wxString& dir);

    wxString m_dataDir;
    wxString m_screenshotDir;
    bool m_offline = false;
    DemoMainWindow* m_main = nullptr;
};

wxIMPLEMENT_APP(DemoApp);

void DemoRebuildMainWindow()
{
    wxGetApp().CallAfter(&DemoApp::RebuildMainWindow);
}

void DemoApp::OnInitCmdLine(wxCmdLineParser& parser)
{
    wxApp::OnInitCmdLine(parser);
    parser.AddOption("", "data", "installation folder", wxCMD_LINE_VAL_STRING);
    parser.AddOption("", "screenshot", "write one PNG per page into this folder and exit",
                     wxCMD_LINE_VAL_STRING);
    parser.AddSwitch("", "offline", "no Jabber server: made-up people and messages");
}

bool DemoApp::OnCmdLineParsed(wxCmdLineParser& parser)
{
    if (!parser.Found("data", &m_dataDir))
        m_dataDir = DemoInstallFolder();
    parser.Found("screenshot", &m_screenshotDir);
    m_offline = parser.Found("offline");
    if (!m_screenshotDir.empty())
        m_screenshotDir = wxFileName::DirName(m_screenshotDir).GetAbsolutePath();
    return wxApp::OnCmdLineParsed(parser);
}

bool DemoApp::OnInit()
{
    if (!wxApp::OnInit())
        return false;

    if (!m_screenshotDir.empty())
    {
        // Nobody is there to close a message dialog.
        delete wxLog::SetActiveTarget(new wxLogStderr);
        wxSetAssertHandler(ReportAssert);
    }
    wxInitAllImageHandlers();

    if (!wxSetWorkingDirectory(m_dataDir))
    {
        std::fprintf(stderr, "cannot enter the installation folder %s\n",
                     static_cast<const char*>(m_dataDir.utf8_str()));
        return false;
    }
    if (!KelSkinResource::GetInstance()->LoadResource(KelInstallPath("skins/default/default.xml")))
        std::fprintf(stderr, "the default skin could not be loaded; drawing with fallbacks\n");

    KelTranslations::AddCatalogFolder(KELCTRLS_BUILD_LOCALE_DIR);
    DemoUseSelectedLanguage();
    SignIn();
    m_main = new DemoMainWindow;
    m_main->Show();

    if (!m_screenshotDir.empty())
        CallAfter(&DemoApp::TakeScreenshots);
    return true;
}

int DemoApp::OnExit()
{
    DemoLiveSession::Stop();
    return wxApp::OnExit();
}

void DemoApp::SignIn()
{
    KelJabberJob* job = KelJabberJob::GetInstance();
    job->SetMyJid("alice.chen@kel.example/desk");
    job->SetMyPassWord("correct horse", false);
    if (!m_offline)
    {
        wxString error;
        if (DemoLiveSession* session = DemoLiveSession::Start(&error))
        {
            // The sign-in controls sign in with these.
            job->SetMyJid(session->GetUserJid() + "/desk");
            job->SetMyPassWord(session->GetUserPassword(), false);
        }
        else
            std::fprintf(stderr, "no live chat (%s); people and messages are made up\n",
                         static_cast<const char*>(error.utf8_str()));
    }
    const wxString home = wxGetCwd() + "/users/alice.chen";
    job->SetUserLocal(home);
    job->SetOfflineUserLocal(home + "/offline");
}

// In the place of the old window, showing the same page.
void DemoApp::RebuildMainWindow()
{
    // The old window goes first: pages that put themselves in a chain (of
    // log targets, for one) leave it in the order they joined it.
    const wxRect rect = m_main->GetRect();
    const int page = m_main->GetPages()->GetSelection();
    SetExitOnFrameDelete(false);
    m_main->Destroy();
    ProcessIdle();
    SetExitOnFrameDelete(true);
    m_main = new DemoMainWindow;
    m_main->SetSize(rect);
    m_main->GetPages()->SetSelection(page);
    m_main->Show();
}

void DemoApp::TakeScreenshots()
{
    TakeScreenshotsInto(m_screenshotDir);
    if (DemoShowLanguage("zh_CN"))
    {
        RebuildMainWindow();
        TakeScreenshotsInto(m_screenshotDir + "/zh_CN");
    }
    else
        std::fprintf(stderr, "no Simplified Chinese installed: no screenshots in Chinese\n");
    std::fflush(stdout);
    KelWindowManager::Get()->CloseAll();
    ExitMainLoop();
}

void DemoApp::TakeScreenshotsInto(const wxString& dir)
{
    wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    int index = 0;
    auto save = [&](wxWindow* win, const wxString& name)
    {
        const wxString path = dir + "/" + FileNameOf(++index, name);
        if (SaveScreenArea(win->GetScreenRect(), path))
            std::printf("%s\n", static_cast<const char*>(path.utf8_str()));
        else
            std::fprintf(stderr, "could not write %s\n", static_cast<const char*>(path.utf8_str()));
    };

    if (DemoLiveSession* session = DemoLiveSession::Get())
    {
        if (!session->WaitUntilReady(20000))
            std::fprintf(stderr, "the live session did not come up in time\n");
    }
    m_main->Raise();
    WaitAndPaint(800);
    wxNotebook* pages = m_main->GetPages();
    for (size_t i = 0; i < pages->GetPageCount(); ++i)
    {
        pages->SetSelection(i);
        m_main->Raise();
        WaitAndPaint(500);
        // English file names in every language
        const wxString name = i < DemoPages().size() ? DemoPages()[i].name : wxString::Format("%zu", i);
        save(m_main, "main-" + name);
    }

    for (const auto& shot : DemoShots())
    {
        wxTopLevelWindow* win = shot.function(m_main);
        if (!win)
            continue;
        win->Show();
        win->Raise();
        WaitAndPaint(700);
        save(win, shot.name);
        win->Destroy();
        WaitAndPaint(100);
    }
}
