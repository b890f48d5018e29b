#include "host/HostError.h"
#include "posix/FaultyFileSystem.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScratchFolder.h"

#include <gtest/gtest.h>

namespace corvane::posix {
namespace {

class FaultyFileSystemTest : public ::testing::Test {
  protected:
    FaultyFileSystemTest() { posix.mapDrive('C', scratch.path()); }

    // Appends one line to C:\f through the faulty file system.
    void appendLine()
    {
        auto stream = faulty.open("C:\\f", host::OpenMode::Append);
        stream->write("line\r\n");
        stream->close();
    }

    ScratchFolder scratch;
    PosixFileSystem posix;
    FaultyFileSystem faulty{posix};
};

TEST_F(FaultyFileSystemTest, CountsEveryCallIncludingStreamCalls)
{
    appendLine();
    EXPECT_TRUE(faulty.fileExists("C:\\f"));
    EXPECT_FALSE(faulty.folderExists("C:\\d"));
    EXPECT_EQ(faulty.totalCount(), 5);
    EXPECT_EQ(faulty.count(FileOperation::Write), 1);
    EXPECT_EQ(faulty.calls().at(2).operation, FileOperation::Close);
    EXPECT_EQ(faulty.calls().at(2).path, "C:\\f");
    faulty.resetCounts();
    EXPECT_EQ(faulty.totalCount(), 0);
}

TEST_F(FaultyFileSystemTest, FailsTheChosenCallOnlyAndDoesNothingInstead)
{
    faulty.failOn(FileOperation::Write, 2, 61, "Disk full");
    appendLine();
    try {
        appendLine();
        FAIL() << "the second write should fail";
    } catch (const host::HostError& error) {
        EXPECT_EQ(error.number(), 61);
        EXPECT_EQ(error.description(), "Disk full");
    }
    appendLine();
    EXPECT_EQ(scratch.readFile("f"), "line\r\nline\r\n");
    EXPECT_EQ(faulty.failuresRaised(), 1);
    EXPECT_TRUE(faulty.calls().at(4).failed);
}

TEST_F(FaultyFileSystemTest, NthCallAndPathFaultsUseTheRuntimeText)
{
    faulty.failAtCall(2, 71);
    faulty.failOnPath(FileOperation::FolderExists, "A:\\Program Files\\", 71);
    EXPECT_FALSE(faulty.fileExists("C:\\f"));
    EXPECT_THROW(static_cast<void>(faulty.fileExists("C:\\f")), host::HostError);
    EXPECT_FALSE(faulty.fileExists("C:\\f"));
    for (int i = 0; i < 2; ++i) {
        try {
            static_cast<void>(faulty.folderExists("A:\\Program Files\\"));
            FAIL();
        } catch (const host::HostError& error) {
            EXPECT_EQ(error.number(), 71);
            EXPECT_EQ(error.description(), host::standardErrorText(71));
        }
    }
    faulty.clearFaults();
    EXPECT_FALSE(faulty.folderExists("A:\\Program Files\\"));
}

TEST_F(FaultyFileSystemTest, FailedCloseStillReleasesTheFile)
{
    faulty.failOn(FileOperation::Close, 1);
    auto stream = faulty.open("C:\\f", host::OpenMode::Output);
    stream->write("x");
    EXPECT_THROW(stream->close(), host::HostError);
    stream.reset();
    faulty.rename("C:\\f", "C:\\g");
    EXPECT_EQ(scratch.readFile("g"), "x");
}

} // namespace
} // namespace corvane::posix
