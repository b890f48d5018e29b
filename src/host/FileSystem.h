#pragma once
// The platform's file system, reached with Windows-style full paths
// ("C:\Program Files\..."). The platform maps drive letters to places of its
// own. Every failure raises HostError with the runtime's number for it
// (53 file not found, 76 path not found, 58 already exists, 75 access error).
// Called on the UI thread only.

#include <cstddef>
#include <memory>
#include <string>

namespace corvane::host {

class FileStream {
public:
    FileStream() = default;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    virtual ~FileStream() = default;
    // Whole content, for a file opened for reading.
    virtual std::string readAll() = 0;
    // Up to `size` bytes into `buffer`, for a file opened for reading; 0 at
    // the end. For reading a file of any size in bounded memory.
    virtual std::size_t readSome(char* buffer, std::size_t size) = 0;
    // Appends bytes, for a file opened for appending or writing.
    virtual void write(const std::string& bytes) = 0;
    // Flushes and closes; raises if the data could not be written.
    virtual void close() = 0;
};

enum class OpenMode {
    Input,   // must exist
    Append,  // created when missing; writes go to the end
    Output,  // created or truncated
    // Created, and only if no file, folder or link of that name exists
    // (58 when one does): a link at the name is never followed.
    CreateNew,
};

class FileSystem {
public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    virtual bool fileExists(const std::string& path) = 0;
    // A trailing backslash is allowed.
    virtual bool folderExists(const std::string& path) = 0;
    // Raises 53 when there is no such file.
    virtual void deleteFile(const std::string& path) = 0;
    // One level; raises 58 when it exists and 76 when the parent is missing.
    virtual void createFolder(const std::string& path) = 0;
    virtual std::unique_ptr<FileStream> open(const std::string& path, OpenMode mode) = 0;
    // Replaces `to` by `from` in one step (the target may exist; a link
    // there is replaced, not followed), and makes the change durable.
    virtual void rename(const std::string& from, const std::string& to) = 0;
};

// The file system in force; set by the host at start-up (and by each test).
FileSystem& fileSystem();
void setFileSystem(FileSystem* fs);

} // namespace corvane::host
