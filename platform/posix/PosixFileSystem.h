#pragma once
// The file system on a POSIX machine, reached with Windows paths. The host
// maps each drive letter it offers to a folder of its own; a letter with no
// entry has no folders at all (nothing maps to the machine's root unless
// the host says so). Names are matched ignoring ASCII letter case where the
// exact name does not exist, as on the system's native platform.

#include "host/FileSystem.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace corvane::posix {

class PosixFileSystem final : public host::FileSystem {
  public:
    PosixFileSystem() = default;

    // Letter in either case. The folder stands for the drive's root.
    void mapDrive(char letter, const std::filesystem::path& root);
    void unmapDrive(char letter);
    // The place a Windows path names, or empty (no such drive, not a full path).
    [[nodiscard]] std::optional<std::filesystem::path> resolve(const std::string& windowsPath) const;

    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    void createFolder(const std::string& path) override;
    std::unique_ptr<host::FileStream> open(const std::string& path, host::OpenMode mode) override;
    void rename(const std::string& from, const std::string& to) override;

  private:
    // Like resolve(), but raises: 52 for a malformed path, 76 for an unmapped drive.
    [[nodiscard]] std::filesystem::path place(const std::string& windowsPath) const;

    std::array<std::optional<std::filesystem::path>, 26> m_drives;
};

} // namespace corvane::posix
