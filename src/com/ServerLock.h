#pragma once
// Counts what keeps an in-process server loaded: its live objects and the
// locks taken through IClassFactory::LockServer. Each server library holds
// its own count (the support is linked into it statically).

#include "com/Types.h"

namespace corvane::com {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockServer(bool lock) noexcept;
[[nodiscard]] long liveObjects() noexcept;
[[nodiscard]] long serverLocks() noexcept;
// DllCanUnloadNow's answer: S_OK when nothing is outstanding, S_FALSE otherwise.
[[nodiscard]] HRESULT canUnloadNow() noexcept;

} // namespace corvane::com
