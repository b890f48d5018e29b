#include "com/ServerLock.h"

#include <atomic>

namespace corvane::com {

namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
} // namespace

void objectCreated() noexcept
{
    ++g_objects;
}

void objectDestroyed() noexcept
{
    --g_objects;
}

void lockServer(bool lock) noexcept
{
    if (lock) {
        ++g_locks;
        return;
    }
    // An unbalanced unlock must not make the count negative and unload a
    // server that still has objects.
    long current = g_locks.load();
    while (current > 0 && !g_locks.compare_exchange_weak(current, current - 1)) {
    }
}

long liveObjects() noexcept
{
    return g_objects.load();
}

long serverLocks() noexcept
{
    return g_locks.load();
}

HRESULT canUnloadNow() noexcept
{
    return g_objects.load() == 0 && g_locks.load() == 0 ? S_OK : S_FALSE;
}

} // namespace corvane::com
