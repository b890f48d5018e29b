#include "posix/PosixFileSystem.h"

#include "host/HostError.h"
#include "posix/PosixErrors.h"
#include "posix/PosixFileStream.h"
#include "posix/WindowsPath.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace corvane::posix {

namespace {

namespace e = host::errors;
namespace fs = std::filesystem;

std::optional<std::size_t> driveIndex(char letter)
{
    const char upper = static_cast<char>(letter & ~0x20);
    if (upper < 'A' || upper > 'Z') return std::nullopt;
    return static_cast<std::size_t>(upper - 'A');
}

bool equalsAsciiIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The entry of `folder` called `name`: the exact name if there is one,
// otherwise the first that differs only in letter case, otherwise `name`.
std::string matchName(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (fs::symlink_status(folder / name, error).type() != fs::file_type::not_found && !error) return name;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (equalsAsciiIgnoringCase(candidate, name)) return candidate;
    }
    return name;
}

struct stat statOf(const fs::path& place, bool& exists)
{
    struct stat info {};
    exists = ::stat(place.c_str(), &info) == 0;
    return info;
}

bool isFolder(const fs::path& place)
{
    bool exists = false;
    const struct stat info = statOf(place, exists);
    return exists && S_ISDIR(info.st_mode);
}

} // namespace

void PosixFileSystem::mapDrive(char letter, const fs::path& root)
{
    const auto index = driveIndex(letter);
    if (!index) host::raiseError(e::kBadFileNameOrNumber);
    m_drives[*index] = root;
}

void PosixFileSystem::unmapDrive(char letter)
{
    if (const auto index = driveIndex(letter)) m_drives[*index].reset();
}

std::optional<fs::path> PosixFileSystem::resolve(const std::string& windowsPath) const
{
    const auto parsed = parseWindowsPath(windowsPath);
    if (!parsed) return std::nullopt;
    const auto& root = m_drives[static_cast<std::size_t>(parsed->drive - 'A')];
    if (!root) return std::nullopt;
    fs::path place = *root;
    for (const std::string& name : parsed->components)
        place /= matchName(place, name);
    return place;
}

fs::path PosixFileSystem::place(const std::string& windowsPath) const
{
    const auto parsed = parseWindowsPath(windowsPath);
    if (!parsed) host::raiseError(e::kBadFileNameOrNumber);
    auto resolved = resolve(windowsPath);
    if (!resolved) host::raiseError(e::kPathNotFound);
    return *resolved;
}

bool PosixFileSystem::fileExists(const std::string& path)
{
    const auto parsed = parseWindowsPath(path);
    if (!parsed || parsed->trailingSeparator) return false;
    const auto place = resolve(path);
    if (!place) return false;
    bool exists = false;
    const struct stat info = statOf(*place, exists);
    return exists && !S_ISDIR(info.st_mode);
}

bool PosixFileSystem::folderExists(const std::string& path)
{
    const auto place = resolve(path);
    return place && isFolder(*place);
}

void PosixFileSystem::deleteFile(const std::string& path)
{
    if (!fileExists(path)) host::raiseError(e::kFileNotFound);
    const fs::path target = place(path);
    if (::unlink(target.c_str()) != 0) raiseFromErrno(errno, e::kFileNotFound);
}

void PosixFileSystem::createFolder(const std::string& path)
{
    const fs::path target = place(path);
    if (::mkdir(target.c_str(), 0777) != 0) raiseFromErrno(errno, e::kPathNotFound);
}

std::unique_ptr<host::FileStream> PosixFileSystem::open(const std::string& path, host::OpenMode mode)
{
    const auto parsed = parseWindowsPath(path);
    if (parsed && parsed->trailingSeparator) host::raiseError(e::kPathFileAccessError);
    const fs::path target = place(path);
    // A missing file is 53 only where its folder exists; otherwise the path is wrong.
    const std::int32_t notFound = isFolder(target.parent_path()) ? e::kFileNotFound : e::kPathNotFound;

    int flags = O_CLOEXEC;
    switch (mode) {
    case host::OpenMode::Input:
        flags |= O_RDONLY;
        break;
    case host::OpenMode::Append:
        flags |= O_WRONLY | O_CREAT | O_APPEND;
        break;
    case host::OpenMode::Output:
        flags |= O_WRONLY | O_CREAT | O_TRUNC;
        break;
    case host::OpenMode::CreateNew:
        flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
        break;
    }
    const mode_t permissions = mode == host::OpenMode::CreateNew ? 0644 : 0666;
    const int descriptor = ::open(target.c_str(), flags, permissions);
    if (descriptor < 0) {
        if (errno == EISDIR) host::raiseError(e::kPathFileAccessError);
        raiseFromErrno(errno, notFound);
    }
    auto stream = std::make_unique<PosixFileStream>(descriptor, mode != host::OpenMode::Input);
    // Reading a folder opens fine on POSIX; on the native platform it is an access error.
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) host::raiseError(e::kPathFileAccessError);
    return stream;
}

void PosixFileSystem::rename(const std::string& from, const std::string& to)
{
    if (!fileExists(from)) host::raiseError(e::kFileNotFound);
    const fs::path source = place(from);
    const fs::path target = place(to);
    if (isFolder(target)) host::raiseError(e::kPathFileAccessError);
    if (::rename(source.c_str(), target.c_str()) != 0) raiseFromErrno(errno, e::kPathNotFound);
    // The new name is durable only once its folder is.
    const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) raiseFromErrno(errno, e::kPathNotFound);
    const int synced = ::fsync(folder) == 0 || errno == EINVAL ? 0 : errno;
    ::close(folder);
    if (synced != 0) raiseFromErrno(synced, e::kPathFileAccessError);
}

} // namespace corvane::posix
