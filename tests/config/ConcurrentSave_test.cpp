// Saves from two processes at once, and names planted where a save writes.

#include "ConfigFixture.h"
#include "config/CorvaneGIS_Config.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace corvane::config {
namespace {

namespace e = host::errors;
namespace stdfs = std::filesystem;
using CorvaneGIS_Config::WriteConfiguration;

// Starts the save driver; returns its process id.
pid_t startDriver(const stdfs::path& folder, const std::string& label, int count)
{
    const std::string folderText = folder.string();
    const std::string countText = std::to_string(count);
    const pid_t child = ::fork();
    if (child == 0) {
        const char* arguments[] = {CONFIG_SAVE_DRIVER, folderText.c_str(), label.c_str(), countText.c_str(), nullptr};
        ::execv(CONFIG_SAVE_DRIVER, const_cast<char* const*>(arguments));
        ::_exit(127);
    }
    return child;
}

int exitCodeOf(pid_t child)
{
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ConcurrentSaveTest, TwoProcessesSavingAtOnceLeaveOneWholeConfigurationTheLastOne)
{
    posix::ScratchFolder scratch;
    constexpr int kSaves = 400;
    const pid_t first = startDriver(scratch.path(), "A", kSaves);
    const pid_t second = startDriver(scratch.path(), "B", kSaves);
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    // Each driver checks its read-backs itself: 1 means one was broken.
    EXPECT_EQ(exitCodeOf(first), 0);
    EXPECT_EQ(exitCodeOf(second), 0);

    // The last save of one of them, whole, and nothing left beside it.
    const std::string bytes = scratch.readFile("config");
    const auto saved = [](const char* label) {
        const std::string layer = std::string(label) + "-" + std::to_string(kSaves);
        return "\"" + layer + "\"\r\n\"street-" + layer + "\"\r\n\"number-" + layer + "\"\r\n";
    };
    EXPECT_TRUE(bytes == saved("A") || bytes == saved("B")) << bytes;
    std::vector<std::string> entries;
    for (const auto& entry : stdfs::directory_iterator(scratch.path())) entries.push_back(entry.path().filename());
    EXPECT_EQ(entries, std::vector<std::string>{"config"});
}

class PlantedNameTest : public ConfigFixture {};

TEST_F(PlantedNameTest, ALinkAtTheOldPendingNameIsNeitherFollowedNorReplaced)
{
    posix::ScratchFolder outside;
    outside.writeFile("precious", "keep me");
    const stdfs::path folder = scratch.path() / kProductFolder;
    stdfs::create_symlink(outside.path() / "precious", folder / "config.new");
    stdfs::create_symlink(outside.path() / "precious", folder / "config.tmp");

    WriteConfiguration("Parcels", "STREET", "ADDR_NO");

    EXPECT_EQ(outside.readFile("precious"), "keep me");
    EXPECT_FALSE(stdfs::is_symlink(folder / "config"));
    EXPECT_EQ(configBytes(), "\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n");
    EXPECT_TRUE(stdfs::is_symlink(folder / "config.new"));
    EXPECT_TRUE(stdfs::is_symlink(folder / "config.tmp"));
    struct stat info {};
    ASSERT_EQ(::stat((folder / "config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777 & ~0644u, 0u);
}

TEST_F(PlantedNameTest, ATakenPendingNameIsLeftAloneAndAnotherOneUsed)
{
    // The first name the save picks is taken: it must neither write there
    // nor delete what is there.
    fs.failOn(posix::FileOperation::Open, 1, e::kFileAlreadyExists);
    WriteConfiguration("Parcels", "STREET", "ADDR_NO");
    EXPECT_EQ(configBytes(), "\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n");
    ASSERT_GE(fs.calls().size(), 2u);
    EXPECT_EQ(fs.calls()[0].operation, posix::FileOperation::Open);
    EXPECT_EQ(fs.calls()[1].operation, posix::FileOperation::Open);
    EXPECT_NE(fs.calls()[0].path, fs.calls()[1].path);
    EXPECT_EQ(fs.count(posix::FileOperation::Delete), 0);
    EXPECT_EQ(productFolderEntries(), std::vector<std::string>{"config"});
}

TEST_F(PlantedNameTest, AConfigurationThatIsALinkIsReplacedNotWrittenThrough)
{
    posix::ScratchFolder outside;
    outside.writeFile("precious", "keep me");
    const stdfs::path folder = scratch.path() / kProductFolder;
    stdfs::create_symlink(outside.path() / "precious", folder / "config");
    WriteConfiguration("Parcels", "STREET", "ADDR_NO");
    EXPECT_EQ(outside.readFile("precious"), "keep me");
    EXPECT_FALSE(stdfs::is_symlink(folder / "config"));
    EXPECT_EQ(configBytes(), "\"Parcels\"\r\n\"STREET\"\r\n\"ADDR_NO\"\r\n");
}

} // namespace
} // namespace corvane::config
