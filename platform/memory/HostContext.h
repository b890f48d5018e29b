#pragma once
// State shared by every object of one memory host: the fault injector that
// each host call passes, and the journal of what was done. Objects keep it
// alive, so references that outlive the MemoryHost stay safe to use.

#include <memory>

#include "memory/FaultInjector.h"
#include "memory/Journal.h"

namespace corvane::memory {

struct HostContext {
    FaultInjector faults;
    Journal journal;
};

using ContextPtr = std::shared_ptr<HostContext>;

} // namespace corvane::memory
