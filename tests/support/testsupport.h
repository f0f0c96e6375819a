// Helpers shared by the test programs: the toolkit is started once by the
// test main; these pump its events and read back what windows drew.
#ifndef KELCTRLS_TESTS_TESTSUPPORT_H
#define KELCTRLS_TESTS_TESTSUPPORT_H

#include <gtest/gtest.h>

#include "pointergesture.h"

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <vector>

namespace kel
{
namespace test
{

// Processes pending events and idle handlers, then keeps doing so for
// `milliseconds` (for timers, window manager round trips and paints).
void Pump(int milliseconds = 0);

// Pumps events until `condition` holds or `timeoutMs` passes; returns the
// last value of the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000);

// Shows `win` (if it is not shown), waits until it is mapped and painted.
void ShowAndWait(wxWindow* win);

// What the screen shows in the client area of `win` (or in `rect`, in screen
// coordinates). Read from the X server, so it is what really was drawn: in
// device pixels, twice as many each way at a display scale of 2.
wxImage CaptureWindow(wxWindow* win);
wxImage CaptureScreen(const wxRect& rect);

wxColour PixelAt(const wxImage& image, int x, int y);
// Whether no channel of the two colours differs by more than `tolerance`.
bool NearColour(const wxColour& a, const wxColour& b, int tolerance = 2);
// The number of pixels of `image` within `rect` (all of it when empty) whose
// colour is within `tolerance` of `colour`.
int CountPixels(const wxImage& image, const wxColour& colour, const wxRect& rect = wxRect(),
                int tolerance = 0);
// A bitmap of one colour.
wxBitmap SolidBitmap(int width, int height, const wxColour& colour);

// Collects the log messages of its lifetime instead of showing them.
class LogCollector : public wxLog
{
public:
    LogCollector();
    ~LogCollector() override;

    // Whether a message containing `part` was logged.
    bool Logged(const wxString& part) const;

    std::vector<wxString> errors;   // wxLOG_Error and worse
    std::vector<wxString> messages; // every level

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    wxLog* m_previous;
};

// The data folder of the source tree (the installation layout).
wxString SourceDataDir();

// Moves the pointer to a point of `win` (client coordinates) and clicks
// with the left button through the X server.
void ClickAt(wxWindow* win, const wxPoint& clientPoint);

// Drags from a point of `from` to a point of `to` (client coordinates) and
// drops there, or presses Escape there before letting go, as PointerDrag
// does; the drag source calls PointerDrag::Begins() before its drag's loop.
// A failure says why no drag was played whole.
::testing::AssertionResult DragAndDrop(wxWindow* from, const wxPoint& fromPoint, wxWindow* to,
                                       const wxPoint& toPoint);
::testing::AssertionResult DragAndCancel(wxWindow* from, const wxPoint& fromPoint, wxWindow* to,
                                         const wxPoint& toPoint);

// A fixture that runs each test in a fresh, empty working directory, which it
// removes afterwards.
class TempCwdTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A path below the temporary directory.
    wxString PathOf(const wxString& relative) const;
    // Writes `content` (UTF-8) to a file below the temporary directory,
    // creating folders as needed.
    void WriteFile(const wxString& relative, const wxString& content) const;
    void WriteBytes(const wxString& relative, const std::string& bytes) const;
    wxString ReadFile(const wxString& relative) const;

    wxString m_dir;
    wxString m_oldCwd;
};

} // namespace test
} // namespace kel

#endif
