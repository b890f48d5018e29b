#include "host/HostError.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScratchFolder.h"

#include <gtest/gtest.h>

namespace corvane::posix {
namespace {

namespace e = host::errors;

std::int32_t errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const host::HostError& error) {
        return error.number();
    }
    return 0;
}

class PosixFileSystemTest : public ::testing::Test {
  protected:
    PosixFileSystemTest()
    {
        scratch.makeFolder("c/Program Files/CorvaneGIS");
        fs.mapDrive('c', scratch.path() / "c");
    }

    ScratchFolder scratch;
    PosixFileSystem fs;
};

TEST_F(PosixFileSystemTest, FoldersAndFilesThroughTheDriveTable)
{
    EXPECT_TRUE(fs.folderExists("C:\\Program Files\\"));
    EXPECT_TRUE(fs.folderExists("c:\\program files\\corvanegis")); // letter case as on the native platform
    EXPECT_TRUE(fs.folderExists("C:\\"));
    EXPECT_FALSE(fs.folderExists("D:\\")); // no entry, no folders
    EXPECT_FALSE(fs.folderExists("Program Files"));

    scratch.writeFile("c/Program Files/CorvaneGIS/config", "x");
    EXPECT_TRUE(fs.fileExists("C:\\Program Files\\CorvaneGIS\\config"));
    EXPECT_FALSE(fs.fileExists("C:\\Program Files\\CorvaneGIS\\config\\"));
    EXPECT_FALSE(fs.fileExists("C:\\Program Files\\CorvaneGIS")); // a folder is no file
    EXPECT_FALSE(fs.folderExists("C:\\Program Files\\CorvaneGIS\\config"));
    EXPECT_FALSE(fs.fileExists("C:\\..\\..\\etc\\passwd"));
}

TEST_F(PosixFileSystemTest, CreateFolderIsOneLevelWithTheRuntimeErrors)
{
    fs.createFolder("C:\\Program Files\\CorvaneGIS\\Product\\");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() / "c/Program Files/CorvaneGIS/Product"));
    EXPECT_EQ(errorOf([&] { fs.createFolder("C:\\Program Files\\CorvaneGIS\\Product"); }), e::kFileAlreadyExists);
    EXPECT_EQ(errorOf([&] { fs.createFolder("C:\\Program Files\\Missing\\Product"); }), e::kPathNotFound);
    EXPECT_EQ(errorOf([&] { fs.createFolder("E:\\Program Files"); }), e::kPathNotFound);
    EXPECT_EQ(errorOf([&] { fs.createFolder("C:\\bad|name"); }), e::kBadFileNameOrNumber);
}

TEST_F(PosixFileSystemTest, OpenModesAndTheirErrors)
{
    const std::string file = "C:\\Program Files\\CorvaneGIS\\config";
    EXPECT_EQ(errorOf([&] { fs.open(file, host::OpenMode::Input); }), e::kFileNotFound);
    EXPECT_EQ(errorOf([&] { fs.open("C:\\Nowhere\\config", host::OpenMode::Input); }), e::kPathNotFound);
    EXPECT_EQ(errorOf([&] { fs.open("C:\\Nowhere\\config", host::OpenMode::Append); }), e::kPathNotFound);
    EXPECT_EQ(errorOf([&] { fs.open("C:\\Program Files", host::OpenMode::Input); }), e::kPathFileAccessError);
    EXPECT_EQ(errorOf([&] { fs.open("C:\\Program Files", host::OpenMode::Append); }), e::kPathFileAccessError);

    auto created = fs.open(file, host::OpenMode::Append); // Append creates the file
    created->close();
    EXPECT_TRUE(fs.fileExists(file));
    EXPECT_EQ(scratch.readFile("c/Program Files/CorvaneGIS/config"), "");

    for (const char* part : {"ab", "cd"}) {
        auto out = fs.open(file, host::OpenMode::Append);
        out->write(part);
        out->close();
    }
    EXPECT_EQ(fs.open(file, host::OpenMode::Input)->readAll(), "abcd");
    auto truncate = fs.open(file, host::OpenMode::Output);
    truncate->write("\"x\"\r\n");
    truncate->close();
    truncate->close(); // a second close does nothing
    EXPECT_EQ(scratch.readFile("c/Program Files/CorvaneGIS/config"), "\"x\"\r\n");
}

TEST_F(PosixFileSystemTest, DeleteAndRename)
{
    const std::string folder = "C:\\Program Files\\CorvaneGIS\\";
    scratch.writeFile("c/Program Files/CorvaneGIS/old", "old");
    scratch.writeFile("c/Program Files/CorvaneGIS/new", "new");

    fs.rename(folder + "new", folder + "old"); // replaces the target
    EXPECT_EQ(scratch.readFile("c/Program Files/CorvaneGIS/old"), "new");
    EXPECT_FALSE(fs.fileExists(folder + "new"));
    EXPECT_EQ(errorOf([&] { fs.rename(folder + "new", folder + "old"); }), e::kFileNotFound);
    EXPECT_EQ(errorOf([&] { fs.rename(folder + "old", "C:\\Nowhere\\old"); }), e::kPathNotFound);

    fs.deleteFile(folder + "old");
    EXPECT_FALSE(fs.fileExists(folder + "old"));
    EXPECT_EQ(errorOf([&] { fs.deleteFile(folder + "old"); }), e::kFileNotFound);
    EXPECT_EQ(errorOf([&] { fs.deleteFile("C:\\Program Files"); }), e::kFileNotFound);
    EXPECT_TRUE(fs.folderExists("C:\\Program Files"));
}

TEST_F(PosixFileSystemTest, UnmappedDriveHasNothing)
{
    fs.unmapDrive('C');
    EXPECT_FALSE(fs.folderExists("C:\\Program Files\\"));
    EXPECT_FALSE(fs.resolve("C:\\"));
    EXPECT_EQ(errorOf([&] { fs.open("C:\\config", host::OpenMode::Append); }), e::kPathNotFound);
}

} // namespace
} // namespace corvane::posix
