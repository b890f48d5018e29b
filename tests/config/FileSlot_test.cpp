#include "ConfigFixture.h"
#include "config/FileSlot.h"

namespace corvane::config {
namespace {

namespace e = host::errors;

using FileSlotTest = ConfigFixture;

TEST_F(FileSlotTest, OneFileAtATime)
{
    writeConfig("a,b\r\n");
    FileSlot slot;
    slot.close(); // closing a closed slot is fine
    slot.openInput(configPath());
    EXPECT_TRUE(slot.isOpen());
    EXPECT_EQ(errorOf([&] { slot.openInput(configPath()); }), e::kFileAlreadyOpen);
    EXPECT_EQ(errorOf([&] { slot.openAppend(configPath()); }), e::kFileAlreadyOpen);
    EXPECT_EQ(slot.inputItem(), "a");
    EXPECT_EQ(slot.inputItem(), "b");
    EXPECT_TRUE(slot.eof());
    EXPECT_EQ(errorOf([&] { slot.inputItem(); }), e::kInputPastEndOfFile);
    EXPECT_EQ(errorOf([&] { slot.printLine("x"); }), e::kBadFileMode);
    slot.close();
    EXPECT_FALSE(slot.isOpen());
    EXPECT_EQ(errorOf([&] { static_cast<void>(slot.eof()); }), e::kBadFileNameOrNumber);
}

TEST_F(FileSlotTest, PrintLineEndsEachLineWithCrLf)
{
    FileSlot slot;
    slot.openAppend(configPath()); // creates the file
    slot.printLine("\"x\"");
    slot.printLine("");
    EXPECT_EQ(errorOf([&] { static_cast<void>(slot.eof()); }), e::kBadFileMode);
    slot.close();
    EXPECT_EQ(configBytes(), "\"x\"\r\n\r\n");
    EXPECT_EQ(errorOf([&] { slot.openInput(std::string(kFolder) + "missing"); }), e::kFileNotFound);
    EXPECT_FALSE(slot.isOpen());
}

TEST_F(FileSlotTest, AFailedCloseStillFreesTheSlot)
{
    fs.failOn(posix::FileOperation::Close, 1, 61, "Disk full");
    FileSlot slot;
    slot.openOutput(configPath());
    slot.printLine("x");
    EXPECT_EQ(errorOf([&] { slot.close(); }), 61);
    EXPECT_FALSE(slot.isOpen());
    slot.openInput(configPath()); // no "File already open"
    slot.closeQuietly();
}

} // namespace
} // namespace corvane::config
