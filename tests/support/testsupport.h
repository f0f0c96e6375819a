// Helpers shared by the test programs: the toolkit is started once by the
// test main; these pump its events and read back what windows drew.
#ifndef KELCTRLS_TESTS_TESTSUPPORT_H
#define KELCTRLS_TESTS_TESTSUPPORT_H

#include <gtest/gtest.h>

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/string.h>
#include <wx/window.h>

#include <functional>
#include <memory>
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

// A gesture of the pointer and keyboard, played by a program of its own
// (tests/pointer) while this one keeps running its event loop. Input sent
// from inside the program cannot reach code that runs a loop of its own, such
// as a drag and drop; input from another process arrives as from a hand.
// Points are in screen coordinates.
class PointerGesture
{
public:
    PointerGesture& MoveTo(const wxPoint& point);
    // Carries the pointer to `point` in small motions, 30 ms apart.
    PointerGesture& GlideTo(const wxPoint& point);
    PointerGesture& Press();
    PointerGesture& Release();
    // Presses and releases a key, given by its X name ("Escape").
    PointerGesture& Key(const wxString& name);
    PointerGesture& Pause(int milliseconds);

    // Plays the gesture and pumps events until it has ended; false when the
    // driver could not play it all.
    bool Play();

    // Starts playing the gesture and returns at once (false when the driver
    // did not start); the event loop learns when it has ended.
    bool Start();
    bool HasEnded() const { return m_outcome && m_outcome->ended; }
    // Whether it has been played to its end.
    bool Succeeded() const { return HasEnded() && m_outcome->status == 0; }
    // Ends the gesture where it is: a button held stays down.
    void Stop();

private:
    struct Outcome
    {
        bool ended = false;
        int status = -1;
    };

    std::vector<wxString> m_steps;
    std::shared_ptr<Outcome> m_outcome;
    long m_pid = 0;
};

// The screen point of a point of `win` in client coordinates.
wxPoint ScreenPoint(wxWindow* win, const wxPoint& clientPoint);

// Presses the left button at a point of `from` and nudges what it holds until
// the drag begins, then carries it to a point of `to` and releases it there
// (client coordinates). Drag sources of tests that use these call
// DragBegins() just before their drag's loop starts: a drag source waits for
// some motions and a moment before it begins, and a loaded machine must not
// see the pointer leave the source first. False when no drag began or the
// gesture was not played to its end.
bool DragAndDrop(wxWindow* from, const wxPoint& fromPoint, wxWindow* to, const wxPoint& toPoint);
// The same gesture up to the release; then Escape, then the release.
bool DragAndCancel(wxWindow* from, const wxPoint& fromPoint, wxWindow* to, const wxPoint& toPoint);
// Tells DragAndDrop and DragAndCancel that the drag they started begins.
void DragBegins();

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
