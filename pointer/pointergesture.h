// Pointer and keyboard gestures for the demo and the tests, played by
// kelctrls-pointer-driver, a program of its own, while this one keeps running
// its event loop. Code that runs a loop of its own (a drag and drop, a modal
// window) cannot be reached by input the program sends itself: that input is
// dispatched inside the sender's own wait. Input from another process arrives
// as from a hand. Points are in screen coordinates, in window units as
// wxWindow::ClientToScreen gives them, at any display scale.
#ifndef KELCTRLS_POINTERGESTURE_H
#define KELCTRLS_POINTERGESTURE_H

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <memory>
#include <vector>

// What became of a gesture: played to its end, or the reason why not.
class PointerResult
{
public:
    static PointerResult Success() { return PointerResult(wxString()); }
    static PointerResult Failure(const wxString& reason) { return PointerResult(reason); }

    bool IsOk() const { return m_reason.empty(); }
    explicit operator bool() const { return IsOk(); }
    // Empty after a success.
    const wxString& GetReason() const { return m_reason; }

private:
    explicit PointerResult(const wxString& reason) : m_reason(reason) {}

    wxString m_reason;
};

// A sequence of steps, built with the chained calls below and played at once
// by one driver process.
class PointerGesture
{
public:
    PointerGesture& MoveTo(const wxPoint& point);
    // Carries the pointer to `point` in small motions, 30 ms apart.
    PointerGesture& GlideTo(const wxPoint& point);
    // The left button.
    PointerGesture& Press();
    PointerGesture& Release();
    // Presses and releases a key, given by its X name ("Escape").
    PointerGesture& Key(const wxString& name);
    PointerGesture& Pause(int milliseconds);

    // Plays the gesture and runs the event loop until it has ended and the
    // program has handled the input that came last. Fails when the driver did
    // not start, stopped at a step or took longer than `timeoutMs`.
    PointerResult Play(int timeoutMs = 60000);

    // Starts playing the gesture and returns at once; false when the driver
    // did not start. The event loop learns when it has ended.
    bool Start();
    bool HasEnded() const { return m_outcome && m_outcome->ended; }
    // Why the gesture was not played to its end; empty while it runs and
    // after a gesture played whole.
    wxString GetFailure() const;
    // Ends the gesture where it is: a button held stays down.
    void Stop();

    // Whether the driver program is where this build put it (an installed
    // demo may have outlived its build tree).
    static bool IsAvailable();

private:
    // Shared with the process object, which outlives a gesture that stopped
    // waiting for it.
    struct Outcome
    {
        bool ended = false;
        int status = -1;
    };

    PointerGesture& Add(const std::vector<wxString>& step);

    std::vector<wxString> m_steps;
    std::shared_ptr<Outcome> m_outcome;
    long m_pid = 0;
};

// A drag and drop as a hand does it: presses the left button at `from` and
// holds what it took, moving it a little, until the drag begins; then carries
// it to `to` and lets go there (Drop) or presses Escape first (Cancel).
//
// A drag source waits for some motions and a moment before it begins, and a
// loaded machine must not see the pointer leave the source before that: so
// the carry waits for the source to say that its drag begins. Drag sources
// that are driven this way call PointerDrag::Begins() just before their drag's
// loop starts (before wxDropSource::DoDragDrop).
class PointerDrag
{
public:
    PointerDrag(const wxPoint& from, const wxPoint& to) : m_from(from), m_to(to) {}
    PointerDrag(const PointerDrag&) = delete;
    PointerDrag& operator=(const PointerDrag&) = delete;

    // Each plays the whole drag and returns once the pointer has let go and
    // the program has handled it. Fails when no drag began while the button
    // was held, or the pointer was not carried over to its end.
    PointerResult Drop();
    PointerResult Cancel();

    // Tells the drag being played that its drag begins, which sets off the
    // carry; does nothing when no drag is being played. Called by the drag
    // source on the event loop's thread.
    static void Begins();

private:
    PointerResult Play(PointerGesture& carry);
    void OnBegins();
    // Whether the hold ended without a drag, or the carry ended or could not
    // start.
    bool HasEnded() const;
    // What became of the drag; `ended` is false when it ran out of time.
    PointerResult Outcome(bool ended) const;

    wxPoint m_from;
    wxPoint m_to;
    PointerGesture m_hold;
    PointerGesture* m_carry = nullptr;
    bool m_began = false;
    bool m_carrying = false;
};

#endif
