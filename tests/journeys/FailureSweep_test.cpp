// Each journey runs once to count its host calls (or file operations), then
// once more for every call, failing exactly that one. Whatever fails, no
// error may reach the host or a form's event dispatch, the pointer ends as
// the default pointer, file slot 1 ends closed, the configuration file is
// either as it was or completely rewritten, and every report is well formed.

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "DialogWorld.h"
#include "command/CorvaneAddressSearch.h"
#include "config/frmConfig.h"
#include "help/frmHelp.h"
#include "posix/FaultyFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "shared/Public.h"

namespace corvane::testing {
namespace {

const std::string kSaved = "\"Parcels\"\r\n\"STNAME\"\r\n\"ADDNUM\"\r\n";

struct SweepWorld {
    SweepWorld()
    {
        CorvaneGIS_Public::ApplicationRef.reset();
        command.ICommand_OnCreate(host::Ref<host::HostObject>(world.host.application()));
    }
    DialogWorld world{DialogWorld::Town::Memory};
    CorvaneAddressSearch command;
};

using Step = std::function<void(SweepWorld&)>;

// Picks what is there to pick: a failed load may have left a list short.
void chooseWhatIsListed(ui::Form& form)
{
    auto& config = dynamic_cast<frmConfig&>(form);
    if (config.List1.ListCount() > 0) form.userSelect("List1", 0);
    if (config.List2.ListCount() > 1) form.userSelect("List2", 1);
    if (config.List3.ListCount() > 2) form.userSelect("List3", 2);
    form.userClick("Command1");
}

void checkAftermath(SweepWorld& s, const std::set<std::string>& allowedFiles, const std::string& what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(s.world.unhandledErrors(), 0);
    EXPECT_EQ(s.world.toolkit.mousePointer(), ui::MousePointer::Default);
    EXPECT_TRUE(DialogWorld::slotClosed());
    EXPECT_TRUE(allowedFiles.contains(s.world.configBytes())) << s.world.configBytes();
    for (const auto& report : s.world.reports()) {
        EXPECT_NE(report.find("\r\nAPPLICATION: CorvaneAddressSearch v2.15\r\nERROR NUMBER: "), std::string::npos);
        EXPECT_NE(report.find("\r\nMODULE: "), std::string::npos);
        EXPECT_TRUE(report.ends_with("\r\n\r\nThank you!"));
    }
}

void sweepHostCalls(const Step& arrange, const Step& act, const std::set<std::string>& allowedFiles)
{
    std::uint64_t calls = 0;
    {
        SweepWorld s;
        arrange(s);
        s.world.host.faults().resetCount();
        act(s);
        calls = s.world.host.faults().callCount();
        checkAftermath(s, allowedFiles, "no failure");
        EXPECT_TRUE(s.world.reports().empty());
    }
    ASSERT_GT(calls, 0u);
    for (std::uint64_t k = 1; k <= calls; ++k) {
        SweepWorld s;
        arrange(s);
        s.world.host.faults().resetCount();
        s.world.host.faults().failCall(k);
        act(s);
        const auto& failed = s.world.host.faults().failedCalls();
        EXPECT_EQ(failed.size(), 1u) << "host call " << k;
        checkAftermath(s, allowedFiles, "host call " + std::to_string(k) + " " + (failed.empty() ? "" : failed[0]));
    }
}

void sweepFileOperations(const Step& arrange, const Step& act, const std::set<std::string>& allowedFiles)
{
    int operations = 0;
    {
        SweepWorld s;
        arrange(s);
        posix::FaultyFileSystem faulty(s.world.files);
        posix::ScopedFileSystem installed(faulty);
        act(s);
        operations = faulty.totalCount();
    }
    ASSERT_GT(operations, 0);
    for (int n = 1; n <= operations; ++n) {
        SweepWorld s;
        arrange(s);
        posix::FaultyFileSystem faulty(s.world.files);
        posix::ScopedFileSystem installed(faulty);
        faulty.failAtCall(n);
        act(s);
        EXPECT_EQ(faulty.failuresRaised(), 1) << "file operation " << n;
        checkAftermath(s, allowedFiles, "file operation " + std::to_string(n));
    }
}

void configured(SweepWorld& s) { s.world.configure("Parcels", "STNAME", "ADDNUM"); }

void configuredAndShown(SweepWorld& s)
{
    configured(s);
    s.command.ICommand_OnClick();
    s.world.toolkit.clearRecords();
}

void firstRunSaving(SweepWorld& s)
{
    s.world.toolkit.whenModal("frmConfig", chooseWhatIsListed);
    s.command.ICommand_OnClick();
}

void searchAndPick(SweepWorld&)
{
    auto dialog = CorvaneGIS_Public::SearchDialog;
    dialog->userType("Text1", "oa");
    dialog->userClick("Command4");
    if (dialog->List2.ListCount() > 0) dialog->userSelect("List2", 0);
}

void configureThenCancel(SweepWorld& s)
{
    s.world.toolkit.whenModal("frmConfig", [](ui::Form& form) { form.userClick("Command2"); });
    CorvaneGIS_Public::SearchDialog->userClick("Command1");
}

void configureThenContinue(SweepWorld& s)
{
    s.world.toolkit.whenModal("frmConfig", chooseWhatIsListed);
    CorvaneGIS_Public::SearchDialog->userClick("Command1");
}

void helpAndLinks(SweepWorld&)
{
    CorvaneGIS_Public::SearchDialog->userClick("btnHelp2");
    for (const auto& help : frmHelp::openDialogs())
        for (const char* link : {"Label2", "Label3", "Label4"}) help->userClick(link);
    CorvaneGIS_Public::SearchDialog->userClick("Image2");
}

void nothing(SweepWorld&) {}

TEST(FailureSweep, ConfiguredClickLoadingTheSearchDialog)
{
    sweepHostCalls(configured, [](SweepWorld& s) { s.command.ICommand_OnClick(); }, {kSaved});
}

TEST(FailureSweep, StreetSearchAndAddressPick) { sweepHostCalls(configuredAndShown, searchAndPick, {kSaved}); }

TEST(FailureSweep, FirstClickConfiguringAndContinuing) { sweepHostCalls(nothing, firstRunSaving, {"", kSaved}); }

TEST(FailureSweep, ConfigureThenCancel) { sweepHostCalls(configuredAndShown, configureThenCancel, {kSaved}); }

TEST(FailureSweep, ConfigureThenContinue) { sweepHostCalls(configuredAndShown, configureThenContinue, {kSaved}); }

TEST(FailureSweep, HelpWindowAndLinks) { sweepHostCalls(configuredAndShown, helpAndLinks, {kSaved}); }

TEST(FailureSweep, FileFailuresWhileConfiguringOnTheFirstClick)
{
    sweepFileOperations(nothing, firstRunSaving, {"", kSaved});
}

TEST(FailureSweep, FileFailuresWhileLoadingTheSearchDialog)
{
    sweepFileOperations(configured, [](SweepWorld& s) { s.command.ICommand_OnClick(); }, {kSaved});
}

} // namespace
} // namespace corvane::testing
