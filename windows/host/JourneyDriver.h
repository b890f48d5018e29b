#pragma once
// Plays a user through the command's real windows, one step at a time, from
// a thread timer: the timer fires inside whatever message loop is running
// (the host's, a modal dialog's, a message box's), so the steps go on while
// the command holds the thread in a modal run. Each step looks at the
// windows and either acts and returns true (next step) or returns false
// (look again at the next tick). Actions post their messages rather than
// send them, so no step runs inside another. The whole journey is bounded
// in time; when it ends, for either reason, the driver posts WM_QUIT.

#include <chrono>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace corvane::testhost {

struct JourneyStep {
    std::string name;
    std::function<bool()> act;
};

class JourneyDriver {
  public:
    JourneyDriver(std::vector<JourneyStep> steps, std::chrono::milliseconds limit);
    ~JourneyDriver();
    JourneyDriver(const JourneyDriver&) = delete;
    JourneyDriver& operator=(const JourneyDriver&) = delete;

    void start();
    [[nodiscard]] bool finished() const noexcept { return m_next == m_steps.size(); }
    // The step that did not happen in time, or empty.
    [[nodiscard]] const std::string& stuckAt() const noexcept { return m_stuckAt; }

  private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    void onTick();
    void stop();

    std::vector<JourneyStep> m_steps;
    std::size_t m_next = 0;
    std::chrono::milliseconds m_limit;
    std::chrono::steady_clock::time_point m_started;
    UINT_PTR m_timer = 0;
    bool m_acting = false;
    std::string m_stuckAt;
};

} // namespace corvane::testhost
