#include "JourneyDriver.h"

#include <cstdio>

namespace corvane::testhost {

namespace {
JourneyDriver* g_driver = nullptr;
constexpr UINT kTickMilliseconds = 100;
} // namespace

JourneyDriver::JourneyDriver(std::vector<JourneyStep> steps, std::chrono::milliseconds limit)
    : m_steps(std::move(steps)), m_limit(limit)
{
}

JourneyDriver::~JourneyDriver()
{
    if (m_timer != 0) KillTimer(nullptr, m_timer);
    if (g_driver == this) g_driver = nullptr;
}

void JourneyDriver::start()
{
    g_driver = this;
    m_started = std::chrono::steady_clock::now();
    m_timer = SetTimer(nullptr, 0, kTickMilliseconds, &JourneyDriver::tick);
}

void CALLBACK JourneyDriver::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver != nullptr) g_driver->onTick();
}

void JourneyDriver::onTick()
{
    if (m_acting || m_timer == 0) return;
    m_acting = true;
    // One step per tick: what it posted is handled before the next one looks.
    if (m_next < m_steps.size() && m_steps[m_next].act()) {
        std::printf("ok   %s\n", m_steps[m_next].name.c_str());
        std::fflush(stdout);
        ++m_next;
    }
    m_acting = false;
    if (finished()) {
        stop();
    } else if (std::chrono::steady_clock::now() - m_started > m_limit) {
        m_stuckAt = m_steps[m_next].name;
        stop();
    }
}

void JourneyDriver::stop()
{
    KillTimer(nullptr, m_timer);
    m_timer = 0;
    PostQuitMessage(finished() ? 0 : 1);
}

} // namespace corvane::testhost
