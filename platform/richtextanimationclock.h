// The one clock that paces the animated faces of every rich text control in
// the process.
#ifndef KELCTRLS_PLATFORM_RICHTEXTANIMATIONCLOCK_H
#define KELCTRLS_PLATFORM_RICHTEXTANIMATIONCLOCK_H

#include <wx/longlong.h>

#include <memory>
#include <utility>
#include <vector>

class wxFlagRichTextCtrl;
class wxTimer;

// Controls ask to be woken when the next frame of one of their faces is due;
// the clock sleeps until the earliest such moment and wakes only the
// controls whose moment has come. With no control waiting it holds no
// timer at all, so controls without moving faces in view cost nothing.
class wxFlagAnimationClock
{
public:
    static wxFlagAnimationClock& Get();

    // Milliseconds on a clock that never jumps; every face chooses its
    // frame by it, so faces of the same timing change together.
    static wxLongLong Now();

    // Wakes `ctrl` at `due` (clock milliseconds), or earlier if it already
    // asked for an earlier moment.
    void WakeAt(wxFlagRichTextCtrl* ctrl, wxLongLong due);
    // Drops any wake of `ctrl`; a control being destroyed must call this.
    void Forget(wxFlagRichTextCtrl* ctrl);
    bool IsWaiting(const wxFlagRichTextCtrl* ctrl) const;

private:
    class Timer;

    // Records a wake; true when it is earlier than what `ctrl` had asked.
    bool AddWake(wxFlagRichTextCtrl* ctrl, wxLongLong due);
    void Arm();
    void Fire();

    std::vector<std::pair<wxFlagRichTextCtrl*, wxLongLong>> m_wakes;
    std::unique_ptr<Timer> m_timer;
};

#endif // KELCTRLS_PLATFORM_RICHTEXTANIMATIONCLOCK_H
