#pragma once
// The file system on Windows itself: the system's full paths
// ("C:\Program Files\...") go to the Win32 API as they stand, so drive
// letters are the machine's real drives. The command library installs one
// when its host publishes none (a native host publishes nothing); a host may
// also make its own. Failures raise HostError with the runtime's numbers
// (see Win32Errors.h). UI thread only, like every caller of the interface.
//
//   corvane::win32::Win32FileSystem files;
//   corvane::host::setFileSystem(&files);
//   files.folderExists("C:\\Program Files\\");   // true on a usual machine

#include "host/FileSystem.h"

namespace corvane::win32 {

class Win32FileSystem final : public host::FileSystem {
  public:
    bool fileExists(const std::string& path) override;
    // Probing an empty removable drive is a plain "no", never a system
    // prompt asking for a disk.
    bool folderExists(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    void createFolder(const std::string& path) override;
    std::unique_ptr<host::FileStream> open(const std::string& path, host::OpenMode mode) override;
    // One MoveFileEx step that replaces an existing target and is written
    // through before it returns: a plain rename onto an existing file fails
    // on Windows.
    void rename(const std::string& from, const std::string& to) override;
};

} // namespace corvane::win32
