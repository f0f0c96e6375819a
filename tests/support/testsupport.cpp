#include "testsupport.h"

#include <gtk/gtk.h>

#include <wx/app.h>
#include <wx/dcscreen.h>
#include <wx/dcmemory.h>
#include <wx/dir.h>
#include <wx/evtloop.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/stopwatch.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdlib>

namespace kel
{
namespace test
{

namespace
{

void PumpOnce()
{
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    if (loop)
    {
        while (loop->Pending())
            loop->Dispatch();
    }
    wxTheApp->ProcessPendingEvents();
    while (wxTheApp->ProcessIdle())
        ;
}

} // anonymous namespace

void Pump(int milliseconds)
{
    wxStopWatch watch;
    do
    {
        wxYield();
        PumpOnce();
        if (milliseconds > 0)
            wxMilliSleep(5);
    } while (watch.Time() < milliseconds);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    wxStopWatch watch;
    while (!condition())
    {
        if (watch.Time() > timeoutMs)
            return condition();
        Pump();
        wxMilliSleep(5);
    }
    return true;
}

void ShowAndWait(wxWindow* win)
{
    if (!win->IsShown())
        win->Show();
    win->Raise();
    WaitUntil([win] { return win->IsShownOnScreen(); }, 3000);
    win->Refresh();
    win->Update();
    Pump(150);
}

// Read straight from the root window: a wxScreenDC on GTK 3 stops later drawing of the
// program's windows from reaching the screen, so a second capture would see stale pixels.
wxImage CaptureScreen(const wxRect& rect)
{
    GdkPixbuf* pixbuf =
        gdk_pixbuf_get_from_window(gdk_get_default_root_window(), rect.x, rect.y, rect.width, rect.height);
    if (!pixbuf)
        return wxImage(rect.width, rect.height);
    // At a display scale above 1 the screen has that many device pixels per unit.
    wxImage image(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
        {
            const guchar* p = pixels + y * stride + x * channels;
            image.SetRGB(x, y, p[0], p[1], p[2]);
        }
    g_object_unref(pixbuf);
    return image;
}

wxImage CaptureWindow(wxWindow* win)
{
    const wxPoint origin = win->ClientToScreen(wxPoint(0, 0));
    return CaptureScreen(wxRect(origin, win->GetClientSize()));
}

wxColour PixelAt(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

bool NearColour(const wxColour& a, const wxColour& b, int tolerance)
{
    return std::abs(a.Red() - b.Red()) <= tolerance && std::abs(a.Green() - b.Green()) <= tolerance &&
           std::abs(a.Blue() - b.Blue()) <= tolerance;
}

int CountPixels(const wxImage& image, const wxColour& colour, const wxRect& area, int tolerance)
{
    const wxRect rect = area.IsEmpty() ? wxRect(image.GetSize()) : area.Intersect(wxRect(image.GetSize()));
    int count = 0;
    for (int y = rect.y; y < rect.GetBottom() + 1; ++y)
        for (int x = rect.x; x < rect.GetRight() + 1; ++x)
            if (NearColour(PixelAt(image, x, y), colour, tolerance))
                ++count;
    return count;
}

wxBitmap SolidBitmap(int width, int height, const wxColour& colour)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    return wxBitmap(image);
}

LogCollector::LogCollector() : m_previous(wxLog::SetActiveTarget(this)) {}

LogCollector::~LogCollector()
{
    wxLog::SetActiveTarget(m_previous);
}

bool LogCollector::Logged(const wxString& part) const
{
    for (const wxString& message : messages)
        if (message.Contains(part))
            return true;
    return false;
}

void LogCollector::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&)
{
    if (level <= wxLOG_Error)
        errors.push_back(msg);
    messages.push_back(msg);
}

wxString SourceDataDir()
{
    return KELCTRLS_SOURCE_DATA_DIR;
}

void ClickAt(wxWindow* win, const wxPoint& clientPoint)
{
    wxUIActionSimulator sim;
    sim.MouseMove(win->ClientToScreen(clientPoint));
    Pump(50);
    sim.MouseClick();
    Pump(50);
}

namespace
{

::testing::AssertionResult Played(const PointerResult& result)
{
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.GetReason().utf8_string();
}

} // anonymous namespace

::testing::AssertionResult DragAndDrop(wxWindow* from, const wxPoint& fromPoint, wxWindow* to,
                                       const wxPoint& toPoint)
{
    return Played(PointerDrag(from->ClientToScreen(fromPoint), to->ClientToScreen(toPoint)).Drop());
}

::testing::AssertionResult DragAndCancel(wxWindow* from, const wxPoint& fromPoint, wxWindow* to,
                                         const wxPoint& toPoint)
{
    return Played(PointerDrag(from->ClientToScreen(fromPoint), to->ClientToScreen(toPoint)).Cancel());
}

void TempCwdTest::SetUp()
{
    m_oldCwd = wxGetCwd();
    char pattern[] = "/tmp/kelctrls-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_dir = pattern;
    ASSERT_TRUE(wxSetWorkingDirectory(m_dir));
}

void TempCwdTest::TearDown()
{
    wxSetWorkingDirectory(m_oldCwd);
    if (!m_dir.empty())
        wxFileName::Rmdir(m_dir, wxPATH_RMDIR_RECURSIVE);
}

wxString TempCwdTest::PathOf(const wxString& relative) const
{
    return m_dir + wxFILE_SEP_PATH + relative;
}

void TempCwdTest::WriteBytes(const wxString& relative, const std::string& bytes) const
{
    const wxFileName file(PathOf(relative));
    wxFileName::Mkdir(file.GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    wxFFile out(file.GetFullPath(), "wb");
    ASSERT_TRUE(out.IsOpened());
    ASSERT_EQ(out.Write(bytes.data(), bytes.size()), bytes.size());
}

void TempCwdTest::WriteFile(const wxString& relative, const wxString& content) const
{
    const wxScopedCharBuffer utf8 = content.utf8_str();
    WriteBytes(relative, std::string(utf8.data(), utf8.length()));
}

wxString TempCwdTest::ReadFile(const wxString& relative) const
{
    wxFFile in(PathOf(relative), "rb");
    wxString text;
    if (in.IsOpened())
        in.ReadAll(&text, wxConvUTF8);
    return text;
}

} // namespace test
} // namespace kel
