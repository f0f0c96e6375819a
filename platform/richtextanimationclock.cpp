// The shared clock of animated faces.
#include "platform/richtextanimationclock.h"

#include <kelctrls/platform/richtextbase.h>

#include <wx/timer.h>

#include <algorithm>
#include <chrono>

class wxFlagAnimationClock::Timer : public wxTimer
{
public:
    explicit Timer(wxFlagAnimationClock& clock) : m_clock(clock) {}
    void Notify() override { m_clock.Fire(); }

private:
    wxFlagAnimationClock& m_clock;
};

wxFlagAnimationClock& wxFlagAnimationClock::Get()
{
    static wxFlagAnimationClock clock;
    return clock;
}

wxLongLong wxFlagAnimationClock::Now()
{
    using namespace std::chrono;
    return wxLongLong(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void wxFlagAnimationClock::WakeAt(wxFlagRichTextCtrl* ctrl, wxLongLong due)
{
    if (AddWake(ctrl, due))
        Arm();
}

bool wxFlagAnimationClock::AddWake(wxFlagRichTextCtrl* ctrl, wxLongLong due)
{
    auto found =
        std::find_if(m_wakes.begin(), m_wakes.end(), [ctrl](const auto& wake) { return wake.first == ctrl; });
    if (found == m_wakes.end())
        m_wakes.emplace_back(ctrl, due);
    else if (due < found->second)
        found->second = due;
    else
        return false;
    return true;
}

void wxFlagAnimationClock::Forget(wxFlagRichTextCtrl* ctrl)
{
    m_wakes.erase(std::remove_if(m_wakes.begin(), m_wakes.end(),
                                 [ctrl](const auto& wake) { return wake.first == ctrl; }),
                  m_wakes.end());
    if (m_wakes.empty())
        m_timer.reset();
}

bool wxFlagAnimationClock::IsWaiting(const wxFlagRichTextCtrl* ctrl) const
{
    return std::any_of(m_wakes.begin(), m_wakes.end(),
                       [ctrl](const auto& wake) { return wake.first == ctrl; });
}

// Sleeps until the earliest wake. The timer is one-shot and restarted for
// each wake, so its period is always the real distance to the next frame.
void wxFlagAnimationClock::Arm()
{
    if (m_wakes.empty())
    {
        m_timer.reset();
        return;
    }
    wxLongLong earliest = m_wakes.front().second;
    for (const auto& wake : m_wakes)
        earliest = std::min(earliest, wake.second);
    const long delay = std::max(1L, long((earliest - Now()).GetValue()));
    if (!m_timer)
        m_timer = std::make_unique<Timer>(*this);
    m_timer->StartOnce(int(std::min(delay, 60L * 1000L)));
}

void wxFlagAnimationClock::Fire()
{
    const wxLongLong now = Now();
    std::vector<wxFlagRichTextCtrl*> due;
    for (auto wake = m_wakes.begin(); wake != m_wakes.end();)
    {
        if (wake->second <= now)
        {
            due.push_back(wake->first);
            wake = m_wakes.erase(wake);
        }
        else
        {
            ++wake;
        }
    }
    for (wxFlagRichTextCtrl* ctrl : due)
    {
        const wxLongLong next = ctrl->AdvanceAnimations(now);
        if (next > now)
            AddWake(ctrl, next);
    }
    Arm();
}
