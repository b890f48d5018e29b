#pragma once
// A product folder on drive C (a scratch folder), reached through a
// fault-injecting file system, with the headless toolkit installed and the
// public variables as a freshly loaded component has them.

#include "config/FileSlot.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "host/HostError.h"
#include "posix/FaultyFileSystem.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "posix/ScratchFolder.h"
#include "shared/Public.h"

#include <gtest/gtest.h>

namespace corvane::config {

class ConfigFixture : public ::testing::Test {
  protected:
    static constexpr const char* kFolder = "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\";
    static constexpr const char* kProductFolder = "Program Files/CorvaneGIS/CorvaneAddressSearch";

    ConfigFixture()
    {
        scratch.makeFolder(kProductFolder);
        posixFs.mapDrive('C', scratch.path());
        CorvaneGIS_Public::ResetForNewComponent();
        CorvaneGIS_Public::ConfigFilePath = configPath();
        fileSlot1().closeQuietly();
    }
    ~ConfigFixture() override
    {
        fileSlot1().closeQuietly();
        CorvaneGIS_Public::ResetForNewComponent();
    }

    static std::string configPath() { return std::string(kFolder) + "config"; }
    void writeConfig(const std::string& bytes) const
    {
        scratch.writeFile(std::string(kProductFolder) + "/config", bytes);
    }
    [[nodiscard]] std::string configBytes() const { return scratch.readFile(std::string(kProductFolder) + "/config"); }
    [[nodiscard]] std::vector<std::string> productFolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.path() / kProductFolder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    posix::ScratchFolder scratch;
    posix::PosixFileSystem posixFs;
    posix::FaultyFileSystem fs{posixFs};
    posix::ScopedFileSystem installedFs{fs};
    headless::HeadlessToolkit toolkit;
    headless::ScopedToolkit installedToolkit{toolkit};
};

// The error number an action raises, or 0.
inline std::int32_t errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const host::HostError& error) {
        return error.number();
    }
    return 0;
}

} // namespace corvane::config
