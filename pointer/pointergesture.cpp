#include "pointergesture.h"

#include <wx/display.h>
#include <wx/filefn.h>
#include <wx/math.h>
#include <wx/process.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <functional>

namespace
{

// How long a hand holds what it took before giving up on the drag: the hold
// moves the pointer back and forth this many times, some 12 s in all.
const int kHoldWiggles = 20;
const int kWiggleWidth = 8;
// The drop target learns of the pointer over it asynchronously.
const int kHoverBeforeDropMs = 300;
const int kDragTimeoutMs = 60000;
// The driver's exit codes.
const int kDriverBadStep = 1;
const int kDriverNoDisplay = 2;

// The drag waiting for its source to begin.
PointerDrag* g_playing = nullptr;

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns
// the last value of `done`.
bool RunLoopUntil(const std::function<bool()>& done, int timeoutMs)
{
    wxStopWatch watch;
    while (!done() && watch.Time() < timeoutMs)
    {
        wxYield();
        wxMilliSleep(5);
    }
    return done();
}

// The input that came last reaches the program before the driver ends, but
// what handles it may post more.
void HandleLastInput()
{
    const int kSettleMs = 100;
    RunLoopUntil([] { return false; }, kSettleMs);
}

// The driver speaks the X server's pixels; at a display scale above 1 a
// window unit covers more than one of them.
std::vector<wxString> PointStep(const wxString& step, const wxPoint& point)
{
    const int index = wxDisplay::GetFromPoint(point);
    const double scale = wxDisplay(index == wxNOT_FOUND ? 0u : unsigned(index)).GetScaleFactor();
    return {step, wxString::Format("%d", wxRound(point.x * scale)),
            wxString::Format("%d", wxRound(point.y * scale))};
}

// A success when nothing failed.
PointerResult ResultOf(const wxString& failure)
{
    return failure.empty() ? PointerResult::Success() : PointerResult::Failure(failure);
}

wxString NotStarted()
{
    return PointerGesture::IsAvailable() ? "the pointer driver did not start"
                                         : "the pointer driver " KELCTRLS_POINTER_DRIVER " is missing";
}

} // anonymous namespace

PointerGesture& PointerGesture::Add(const std::vector<wxString>& step)
{
    m_steps.insert(m_steps.end(), step.begin(), step.end());
    return *this;
}

PointerGesture& PointerGesture::MoveTo(const wxPoint& point)
{
    return Add(PointStep("move", point));
}

PointerGesture& PointerGesture::GlideTo(const wxPoint& point)
{
    return Add(PointStep("glide", point));
}

PointerGesture& PointerGesture::Press()
{
    return Add({"press"});
}

PointerGesture& PointerGesture::Release()
{
    return Add({"release"});
}

PointerGesture& PointerGesture::Key(const wxString& name)
{
    return Add({"key", name});
}

PointerGesture& PointerGesture::Pause(int milliseconds)
{
    return Add({"pause", wxString::Format("%d", milliseconds)});
}

PointerResult PointerGesture::Play(int timeoutMs)
{
    if (!Start())
        return PointerResult::Failure(NotStarted());
    const bool ended = RunLoopUntil([this] { return HasEnded(); }, timeoutMs);
    Stop();
    HandleLastInput();
    if (!ended)
        return PointerResult::Failure(wxString::Format("the gesture took longer than %d ms", timeoutMs));
    return ResultOf(GetFailure());
}

bool PointerGesture::Start()
{
    if (!IsAvailable())
        return false;
    std::vector<wxCharBuffer> args{wxCharBuffer(KELCTRLS_POINTER_DRIVER)};
    for (const wxString& step : m_steps)
        args.push_back(step.utf8_str());
    std::vector<const char*> argv;
    for (const wxCharBuffer& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    // The process tells of its end through the event loop, which the
    // gesture's receiver may be running in a loop of its own meanwhile. The
    // process object deletes itself once it has told.
    const auto outcome = std::make_shared<Outcome>();
    wxProcess* process = new wxProcess;
    process->Bind(wxEVT_END_PROCESS,
                  [outcome](wxProcessEvent& event)
                  {
                      outcome->ended = true;
                      outcome->status = event.GetExitCode();
                      event.Skip();
                  });
    m_pid = wxExecute(argv.data(), wxEXEC_ASYNC, process);
    if (m_pid <= 0)
        return false;
    m_outcome = outcome;
    return true;
}

wxString PointerGesture::GetFailure() const
{
    if (!HasEnded())
        return wxString();
    switch (m_outcome->status)
    {
    case 0:
        return wxString();
    case kDriverBadStep:
        return "the pointer driver refused a step of the gesture";
    case kDriverNoDisplay:
        return "the pointer driver found no display or no X test extension";
    default:
        return wxString::Format("the pointer driver ended with status %d", m_outcome->status);
    }
}

void PointerGesture::Stop()
{
    if (m_outcome && !m_outcome->ended)
        wxProcess::Kill(m_pid, wxSIGKILL);
}

bool PointerGesture::IsAvailable()
{
    return wxFileExists(KELCTRLS_POINTER_DRIVER);
}

PointerResult PointerDrag::Drop()
{
    PointerGesture carry;
    carry.GlideTo(m_to).Pause(kHoverBeforeDropMs).Release();
    return Play(carry);
}

PointerResult PointerDrag::Cancel()
{
    PointerGesture carry;
    carry.GlideTo(m_to).Pause(kHoverBeforeDropMs).Key("Escape").Release();
    return Play(carry);
}

void PointerDrag::Begins()
{
    PointerDrag* drag = g_playing;
    g_playing = nullptr;
    if (drag)
        drag->OnBegins();
}

void PointerDrag::OnBegins()
{
    m_began = true;
    m_hold.Stop();
    m_carrying = m_carry->Start();
}

PointerResult PointerDrag::Play(PointerGesture& carry)
{
    m_hold = PointerGesture();
    m_hold.MoveTo(m_from).Press();
    for (int i = 0; i < kHoldWiggles; ++i)
        m_hold.GlideTo(m_from + wxPoint(kWiggleWidth, 0)).GlideTo(m_from);
    m_hold.Release();
    m_carry = &carry;
    m_began = m_carrying = false;

    g_playing = this;
    const bool started = m_hold.Start();
    const bool ended = started && RunLoopUntil([&] { return HasEnded(); }, kDragTimeoutMs);
    if (g_playing == this)
        g_playing = nullptr;
    m_hold.Stop();
    carry.Stop();
    HandleLastInput();
    const PointerResult result = started ? Outcome(ended) : PointerResult::Failure(NotStarted());
    m_carry = nullptr;
    return result;
}

bool PointerDrag::HasEnded() const
{
    if (!m_began)
        return m_hold.HasEnded();
    return !m_carrying || m_carry->HasEnded();
}

PointerResult PointerDrag::Outcome(bool ended) const
{
    if (!m_began && !m_hold.GetFailure().empty())
        return PointerResult::Failure(m_hold.GetFailure());
    if (!m_began)
        return PointerResult::Failure(
            wxString::Format("no drag began while the button was held at (%d, %d)", m_from.x, m_from.y));
    if (!m_carrying)
        return PointerResult::Failure(NotStarted());
    if (!ended)
        return PointerResult::Failure(wxString::Format("the pointer was not carried to (%d, %d) within %d ms",
                                                       m_to.x, m_to.y, kDragTimeoutMs));
    return ResultOf(m_carry->GetFailure());
}
