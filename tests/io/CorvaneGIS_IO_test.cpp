#include "config/FileSlot.h"
#include "errors/ErrorHandling.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "io/CorvaneGIS_IO.h"
#include "posix/FaultyFileSystem.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "posix/ScratchFolder.h"
#include "shared/Public.h"

#include <gtest/gtest.h>

namespace {

namespace fsys = std::filesystem;
using namespace CorvaneGIS_IO;
using namespace CorvaneGIS_Public;
using corvane::posix::FileOperation;

constexpr const char* kNoProgramFiles =
    "Sorry, CorvaneAddressSearch can't find your local Program Files directory. Please email "
    "support@corvanegis.example.com. Thanks!";

class InstallLocationTest : public ::testing::Test {
  protected:
    InstallLocationTest()
    {
        ResetForNewComponent();
        ProductName = "CorvaneAddressSearch";
        ProductVersion = "v2.15";
    }
    ~InstallLocationTest() override
    {
        corvane::config::fileSlot1().closeQuietly();
        ResetForNewComponent();
    }

    // Maps `letter` to a folder of its own, with a "Program Files" folder in it if asked.
    fsys::path drive(char letter, bool withProgramFiles = true)
    {
        const fsys::path root = scratch.makeFolder(std::string(1, letter));
        if (withProgramFiles) fsys::create_directory(root / "Program Files");
        posixFs.mapDrive(letter, root);
        return root;
    }

    std::int16_t setUp(const std::string& fileName = "config", const std::string& subFolder = "")
    {
        return fSetupProductFolder("CorvaneGIS", "CorvaneAddressSearch", fileName, subFolder);
    }

    // Every file-system call the routine made on this drive letter.
    [[nodiscard]] int callsOnDrive(char letter) const
    {
        int count = 0;
        for (const auto& call : fs.calls())
            if (!call.path.empty() && call.path[0] == letter) ++count;
        return count;
    }

    corvane::posix::ScratchFolder scratch;
    corvane::posix::PosixFileSystem posixFs;
    corvane::posix::FaultyFileSystem fs{posixFs};
    corvane::posix::ScopedFileSystem installedFs{fs};
    corvane::headless::HeadlessToolkit toolkit;
    corvane::headless::ScopedToolkit installedToolkit{toolkit};
};

TEST_F(InstallLocationTest, ProgramFilesOnDriveCOnly)
{
    drive('A', false);
    const fsys::path c = drive('C');
    EXPECT_EQ(setUp(), 1);
    EXPECT_EQ(DriveLetter, "C");
    EXPECT_EQ(ProductFolderPath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\");
    EXPECT_EQ(ConfigFilePath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config");
    const fsys::path config = c / "Program Files/CorvaneGIS/CorvaneAddressSearch/config";
    ASSERT_TRUE(fsys::is_regular_file(config));
    EXPECT_EQ(fsys::file_size(config), 0u);
    EXPECT_TRUE(toolkit.messageBoxes().empty());
    EXPECT_FALSE(corvane::config::fileSlot1().isOpen());
}

TEST_F(InstallLocationTest, FirstOfSeveralDrivesWinsAndLaterLettersAreNotTried)
{
    const fsys::path d = drive('D');
    const fsys::path e = drive('E');
    EXPECT_EQ(setUp(), 1);
    EXPECT_EQ(DriveLetter, "D");
    EXPECT_TRUE(fsys::is_directory(d / "Program Files/CorvaneGIS/CorvaneAddressSearch"));
    EXPECT_FALSE(fsys::exists(e / "Program Files/CorvaneGIS"));
    EXPECT_EQ(callsOnDrive('E'), 0);
    EXPECT_EQ(callsOnDrive('A'), 1); // each letter before D tested once
}

TEST_F(InstallLocationTest, NoProgramFilesAnywhere)
{
    drive('C', false);
    EXPECT_EQ(setUp(), -1);
    EXPECT_EQ(toolkit.messagePrompts(), std::vector<std::string>{kNoProgramFiles});
    EXPECT_EQ(toolkit.messageBoxes().at(0).title, "CorvaneGIS");
    EXPECT_EQ(DriveLetter, "");
    EXPECT_EQ(ProductFolderPath, "");
    EXPECT_EQ(ConfigFilePath, "");
    EXPECT_EQ(fs.count(FileOperation::FolderExists), 26);
}

TEST_F(InstallLocationTest, ExistingFoldersAndFileAreLeftAlone)
{
    const fsys::path c = drive('C');
    scratch.makeFolder("C/Program Files/CorvaneGIS/CorvaneAddressSearch");
    scratch.writeFile("C/Program Files/CorvaneGIS/CorvaneAddressSearch/config", "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    EXPECT_EQ(setUp(), 1);
    EXPECT_EQ(scratch.readFile("C/Program Files/CorvaneGIS/CorvaneAddressSearch/config"),
              "\"a\"\r\n\"b\"\r\n\"c\"\r\n");
    EXPECT_EQ(fs.count(FileOperation::CreateFolder), 0);
    EXPECT_EQ(fs.count(FileOperation::Open), 0);
    EXPECT_EQ(ConfigFilePath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config");
}

TEST_F(InstallLocationTest, OnlyTheMissingLevelsAreCreated)
{
    drive('C');
    scratch.makeFolder("C/Program Files/CorvaneGIS");
    EXPECT_EQ(setUp(), 1);
    ASSERT_EQ(fs.count(FileOperation::CreateFolder), 1);
    for (const auto& call : fs.calls()) {
        if (call.operation == FileOperation::CreateFolder) {
            EXPECT_EQ(call.path, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\");
        }
    }
}

TEST_F(InstallLocationTest, EmptyFileNameAndSubFolder)
{
    const fsys::path c = drive('C');
    EXPECT_EQ(setUp("", "Tools"), 1);
    EXPECT_EQ(ProductFolderPath, "C:\\Program Files\\CorvaneGIS\\Tools\\CorvaneAddressSearch\\");
    EXPECT_EQ(ConfigFilePath, "");
    EXPECT_TRUE(fsys::is_empty(c / "Program Files/CorvaneGIS/Tools/CorvaneAddressSearch"));
}

TEST_F(InstallLocationTest, AFailingFolderTestIsReportedOnceAndTheSearchGoesOn)
{
    drive('A'); // has the folder, but its device answers with an error
    drive('C');
    fs.failOnPath(FileOperation::FolderExists, "A:\\Program Files\\", 71, "Disk not ready");
    EXPECT_EQ(setUp(), 1);
    EXPECT_EQ(DriveLetter, "C");
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    const std::string& report = toolkit.messageBoxes()[0].prompt;
    EXPECT_NE(report.find("\r\nERROR NUMBER: 71\r\nMODULE: fDoesDirectoryExist CorvaneGIS_IO Line : 230\r\n"
                          "ERROR DESCRIPTION: Disk not ready\r\n"),
              std::string::npos)
        << report;
}

TEST_F(InstallLocationTest, FolderThatCannotBeMadeIsReportedThenTheSetUpFailsQuietly)
{
    drive('C');
    fs.failOn(FileOperation::CreateFolder, 1, 70);
    EXPECT_EQ(setUp(), -1);
    // The company folder fails (70); the product folder then has no parent (76).
    ASSERT_EQ(toolkit.messageBoxes().size(), 2u);
    EXPECT_NE(
        toolkit.messageBoxes()[0].prompt.find("ERROR NUMBER: 70\r\nMODULE: fCreateDirectory CorvaneGIS_IO Line : 270"),
        std::string::npos);
    EXPECT_NE(toolkit.messageBoxes()[1].prompt.find("ERROR NUMBER: 76\r\n"), std::string::npos);
    EXPECT_EQ(ProductFolderPath, "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\");
    EXPECT_EQ(ConfigFilePath, "");
    EXPECT_FALSE(corvane::config::fileSlot1().isOpen());
}

TEST_F(InstallLocationTest, CreatingAnExistingFolderReportsTheWholeText)
{
    drive('C');
    fCreateDirectory("C:\\Program Files\\");
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_EQ(
        toolkit.messageBoxes()[0].prompt,
        ErrorHandling::UnexpectedErrorText("fCreateDirectory CorvaneGIS_IO Line : 270", 58, "File already exists"));
    EXPECT_NE(toolkit.messageBoxes()[0].prompt.find("APPLICATION: CorvaneAddressSearch v2.15\r\n"), std::string::npos);
}

TEST_F(InstallLocationTest, HelpersAnswerAndDeleteQuietly)
{
    const fsys::path c = drive('C');
    scratch.writeFile("C/Program Files/old", "x");
    EXPECT_TRUE(fDoesFileExist("C:\\Program Files\\old"));
    EXPECT_FALSE(fDoesFileExist("C:\\Program Files\\"));
    EXPECT_TRUE(fDoesDirectoryExist("C:\\Program Files\\"));
    fDeleteFile("C:\\Program Files\\old");
    EXPECT_FALSE(fsys::exists(c / "Program Files/old"));
    fDeleteFile("C:\\Program Files\\old"); // nothing there: nothing happens
    EXPECT_TRUE(toolkit.messageBoxes().empty());

    fs.resetCounts();
    fs.failOn(FileOperation::FileExists, 1);
    EXPECT_FALSE(fDoesFileExist("C:\\Program Files\\old"));
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_NE(toolkit.messageBoxes()[0].prompt.find("MODULE: fDoesFileExist CorvaneGIS_IO Line : 210\r\n"),
              std::string::npos);
}

TEST_F(InstallLocationTest, AFailedDeleteIsReportedWithItsLine)
{
    drive('C');
    scratch.writeFile("C/Program Files/old", "x");
    fs.failOn(FileOperation::Delete, 1, 70);
    fDeleteFile("C:\\Program Files\\old");
    ASSERT_EQ(toolkit.messageBoxes().size(), 1u);
    EXPECT_NE(toolkit.messageBoxes()[0].prompt.find("MODULE: fDeleteFile CorvaneGIS_IO Line : 252\r\n"
                                                    "ERROR DESCRIPTION: Permission denied"),
              std::string::npos);
}

} // namespace
