#pragma once
// A file system that fails chosen calls of another one. Tests count the
// calls of a journey once, then run it again failing the first, the second
// ... call, to see that every failure is handled. Tests run as root, so
// permissions cannot stand in for failures.
//
//   FaultyFileSystem faulty(posixFileSystem);
//   faulty.failOn(FileOperation::Rename, 1, 70, "Permission denied");

#include "host/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane::posix {

enum class FileOperation { Open, Read, Write, Close, Rename, Delete, CreateFolder, FileExists, FolderExists };
inline constexpr int kFileOperationCount = 9;

[[nodiscard]] const char* operationName(FileOperation operation);

struct FileCall {
    FileOperation operation;
    std::string path; // the file of a stream call; "from" of a rename
    bool failed = false;
};

class FaultyFileSystem final : public host::FileSystem {
  public:
    explicit FaultyFileSystem(host::FileSystem& inner);
    ~FaultyFileSystem() override;

    // The k-th call (from 1, counted since the last reset) of `operation`
    // raises `number` instead of running. An empty description is the
    // runtime's own text for the number.
    void failOn(FileOperation operation, int k, std::int32_t number = 75, std::string description = {});
    // The n-th call of any operation.
    void failAtCall(int n, std::int32_t number = 75, std::string description = {});
    // Every call of `operation` on exactly this path (a drive that is not ready).
    void failOnPath(FileOperation operation, const std::string& path, std::int32_t number = 75,
                    std::string description = {});
    void clearFaults();

    [[nodiscard]] int count(FileOperation operation) const;
    [[nodiscard]] int totalCount() const;
    [[nodiscard]] int failuresRaised() const;
    [[nodiscard]] const std::vector<FileCall>& calls() const;
    // Counts and the call log start again from zero; the faults stay.
    void resetCounts();

    bool fileExists(const std::string& path) override;
    bool folderExists(const std::string& path) override;
    void deleteFile(const std::string& path) override;
    void createFolder(const std::string& path) override;
    std::unique_ptr<host::FileStream> open(const std::string& path, host::OpenMode mode) override;
    void rename(const std::string& from, const std::string& to) override;

    struct State;

  private:
    host::FileSystem& m_inner;
    // Shared with open streams, which may outlive this object.
    std::shared_ptr<State> m_state;
};

} // namespace corvane::posix
