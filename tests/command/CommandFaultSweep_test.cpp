// A failure at every host call and at every file-system call of the whole
// command journey: create, first click (unconfigured), configured clicks.
#include "CommandWorld.h"
#include "com/ComPtr.h"
#include "com/HostBridge.h"
#include "command/CommandObject.h"
#include "posix/FaultyFileSystem.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace corvane;
using corvane::testing::CommandWorld;

struct Outcome {
    bool allOk = true;
    bool slotLeftOpen = false;
};

// Every vtable call must answer S_OK and let nothing through.
Outcome runJourney(CommandWorld& world)
{
    Outcome outcome;
    auto check = [&](HRESULT hr) {
        if (hr != S_OK) outcome.allOk = false;
        if (config::fileSlot1().isOpen()) outcome.slotLeftOpen = true;
    };
    com::ComPtr<ICommand> command;
    check(command::createCommandObject(IID_ICommand, command.putVoid()));
    if (!command) return outcome;
    auto hook = com::wrapHostObject(world.host.application());
    check(command->OnCreate(hook.get()));
    check(command->OnClick());
    world.writeConfig(corvane::testing::kThreeItems);
    check(command->OnClick());
    check(command->OnClick());
    return outcome;
}

TEST(CommandFaultSweep, EveryHostCallFailing)
{
    std::uint64_t calls = 0;
    {
        CommandWorld world;
        world.host.faults().resetCount();
        runJourney(world);
        calls = world.host.faults().callCount();
        ASSERT_EQ(world.host.frames().size(), 1u);
    }
    ASSERT_GT(calls, 3u);
    RecordProperty("host_calls", static_cast<int>(calls));
    for (std::uint64_t k = 1; k <= calls; ++k) {
        SCOPED_TRACE("host call " + std::to_string(k));
        CommandWorld world;
        world.host.faults().resetCount();
        world.host.faults().failCall(k);
        Outcome outcome;
        EXPECT_NO_THROW(outcome = runJourney(world));
        EXPECT_TRUE(outcome.allOk);
        EXPECT_FALSE(outcome.slotLeftOpen);
        EXPECT_EQ(world.host.faults().failedCalls().size(), 1u);
        // Each failure was told to the user, by a member's trap or a dialog's report.
        EXPECT_FALSE(world.toolkit.messageBoxes().empty());
    }
}

TEST(CommandFaultSweep, EveryFileSystemCallFailing)
{
    int calls = 0;
    {
        CommandWorld world;
        posix::FaultyFileSystem faulty(world.files);
        posix::ScopedFileSystem installed(faulty);
        runJourney(world);
        calls = faulty.totalCount();
    }
    ASSERT_GT(calls, 3);
    RecordProperty("file_calls", calls);
    for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE("file call " + std::to_string(n));
        CommandWorld world;
        posix::FaultyFileSystem faulty(world.files);
        posix::ScopedFileSystem installed(faulty);
        faulty.failAtCall(n);
        Outcome outcome;
        EXPECT_NO_THROW(outcome = runJourney(world));
        EXPECT_TRUE(outcome.allOk);
        EXPECT_FALSE(outcome.slotLeftOpen);
        EXPECT_EQ(faulty.failuresRaised(), 1);
    }
}

} // namespace
