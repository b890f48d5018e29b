#include "win32/Win32FileSystem.h"

#include "host/HostError.h"
#include "win32/Win32Errors.h"
#include "win32/Win32Text.h"

#include <algorithm>
#include <windows.h>

namespace corvane::win32 {

namespace {

namespace e = host::errors;

bool endsWithSeparator(const std::string& path)
{
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// Attributes of the path, or INVALID_FILE_ATTRIBUTES; a drive without a
// medium answers like a missing path instead of asking the user.
DWORD attributesOf(const std::string& path)
{
    DWORD previous = 0;
    const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previous) != FALSE;
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (quiet) SetThreadErrorMode(previous, nullptr);
    return attributes;
}

bool isFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Win32FileStream final : public host::FileStream {
  public:
    Win32FileStream(HANDLE file, bool writable) : m_file(file), m_writable(writable) {}
    ~Win32FileStream() override
    {
        if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
    }

    std::string readAll() override
    {
        if (m_file == INVALID_HANDLE_VALUE || m_writable) host::raiseError(e::kBadFileMode);
        std::string content;
        char buffer[8192];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(m_file, buffer, sizeof buffer, &got, nullptr))
                raiseFromWin32Error(GetLastError(), e::kPathFileAccessError);
            if (got == 0) break;
            content.append(buffer, got);
        }
        return content;
    }

    void write(const std::string& bytes) override
    {
        if (m_file == INVALID_HANDLE_VALUE || !m_writable) host::raiseError(e::kBadFileMode);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(m_file, bytes.data() + done, chunk, &put, nullptr))
                raiseFromWin32Error(GetLastError(), e::kPathFileAccessError);
            done += put;
        }
    }

    void close() override
    {
        if (m_file == INVALID_HANDLE_VALUE) return;
        const HANDLE file = m_file;
        m_file = INVALID_HANDLE_VALUE;
        DWORD error = 0;
        if (m_writable && !FlushFileBuffers(file)) error = GetLastError();
        if (!CloseHandle(file) && error == 0) error = GetLastError();
        if (error != 0) raiseFromWin32Error(error, e::kPathFileAccessError);
    }

  private:
    HANDLE m_file;
    bool m_writable;
};

} // namespace

bool Win32FileSystem::fileExists(const std::string& path)
{
    if (endsWithSeparator(path)) return false;
    const DWORD attributes = attributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::folderExists(const std::string& path)
{
    return isFolder(attributesOf(path));
}

void Win32FileSystem::deleteFile(const std::string& path)
{
    if (!fileExists(path)) host::raiseError(e::kFileNotFound);
    if (!DeleteFileW(widen(path).c_str())) raiseFromWin32Error(GetLastError(), e::kFileNotFound);
}

void Win32FileSystem::createFolder(const std::string& path)
{
    if (!CreateDirectoryW(widen(path).c_str(), nullptr)) raiseFromWin32Error(GetLastError(), e::kPathNotFound);
}

std::unique_ptr<host::FileStream> Win32FileSystem::open(const std::string& path, host::OpenMode mode)
{
    // A folder is an access error on every mode, as the runtime reports it,
    // not the sharing error CreateFile gives for one.
    if (endsWithSeparator(path) || isFolder(attributesOf(path))) host::raiseError(e::kPathFileAccessError);
    DWORD access = GENERIC_READ;
    DWORD disposition = OPEN_EXISTING;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (mode) {
    case host::OpenMode::Input:
        break;
    case host::OpenMode::Append:
        access = FILE_APPEND_DATA | SYNCHRONIZE;
        disposition = OPEN_ALWAYS;
        share = FILE_SHARE_READ;
        break;
    case host::OpenMode::Output:
        access = GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        share = FILE_SHARE_READ;
        break;
    }
    const HANDLE file =
        CreateFileW(widen(path).c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    // Windows tells a missing file (53) from a missing folder (76) itself.
    if (file == INVALID_HANDLE_VALUE) raiseFromWin32Error(GetLastError(), e::kFileNotFound);
    return std::make_unique<Win32FileStream>(file, mode != host::OpenMode::Input);
}

void Win32FileSystem::rename(const std::string& from, const std::string& to)
{
    if (!fileExists(from)) host::raiseError(e::kFileNotFound);
    if (isFolder(attributesOf(to))) host::raiseError(e::kPathFileAccessError);
    if (!MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        raiseFromWin32Error(GetLastError(), e::kPathNotFound);
}

} // namespace corvane::win32
