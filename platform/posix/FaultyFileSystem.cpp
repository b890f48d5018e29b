#include "posix/FaultyFileSystem.h"

#include "host/HostError.h"

#include <array>

namespace corvane::posix {

struct FaultyFileSystem::State {
    struct Fault {
        enum class Kind { NthOfOperation, NthCall, Path } kind;
        FileOperation operation;
        int n;
        std::string path;
        std::int32_t number;
        std::string description;
    };

    std::vector<Fault> faults;
    std::array<int, kFileOperationCount> counts{};
    int total = 0;
    int raised = 0;
    std::vector<FileCall> calls;

    // Counts the call and raises if a fault matches it.
    void enter(FileOperation operation, const std::string& path)
    {
        const int nth = ++counts[static_cast<std::size_t>(operation)];
        ++total;
        calls.push_back({operation, path, false});
        for (const Fault& fault : faults) {
            const bool hit =
                (fault.kind == Fault::Kind::NthOfOperation && fault.operation == operation && fault.n == nth) ||
                (fault.kind == Fault::Kind::NthCall && fault.n == total) ||
                (fault.kind == Fault::Kind::Path && fault.operation == operation && fault.path == path);
            if (!hit) continue;
            ++raised;
            calls.back().failed = true;
            if (fault.description.empty()) host::raiseError(fault.number);
            host::raiseError(fault.number, fault.description);
        }
    }
};

namespace {

class FaultyStream final : public host::FileStream {
  public:
    FaultyStream(std::unique_ptr<host::FileStream> inner, std::shared_ptr<FaultyFileSystem::State> state,
                 std::string path)
        : m_inner(std::move(inner)), m_state(std::move(state)), m_path(std::move(path))
    {
    }

    std::size_t readSome(char* buffer, std::size_t size) override
    {
        m_state->enter(FileOperation::Read, m_path);
        return m_inner->readSome(buffer, size);
    }

    std::string readAll() override
    {
        m_state->enter(FileOperation::Read, m_path);
        return m_inner->readAll();
    }

    void write(const std::string& bytes) override
    {
        m_state->enter(FileOperation::Write, m_path);
        m_inner->write(bytes);
    }

    void close() override
    {
        try {
            m_state->enter(FileOperation::Close, m_path);
        } catch (...) {
            // A failed close still lets the file go, as the runtime's does.
            try {
                m_inner->close();
            } catch (...) {
            }
            throw;
        }
        m_inner->close();
    }

  private:
    std::unique_ptr<host::FileStream> m_inner;
    std::shared_ptr<FaultyFileSystem::State> m_state;
    std::string m_path;
};

} // namespace

const char* operationName(FileOperation operation)
{
    switch (operation) {
    case FileOperation::Open:
        return "open";
    case FileOperation::Read:
        return "read";
    case FileOperation::Write:
        return "write";
    case FileOperation::Close:
        return "close";
    case FileOperation::Rename:
        return "rename";
    case FileOperation::Delete:
        return "delete";
    case FileOperation::CreateFolder:
        return "createFolder";
    case FileOperation::FileExists:
        return "fileExists";
    case FileOperation::FolderExists:
        return "folderExists";
    }
    return "?";
}

FaultyFileSystem::FaultyFileSystem(host::FileSystem& inner) : m_inner(inner), m_state(std::make_shared<State>()) {}

FaultyFileSystem::~FaultyFileSystem() = default;

void FaultyFileSystem::failOn(FileOperation operation, int k, std::int32_t number, std::string description)
{
    m_state->faults.push_back({State::Fault::Kind::NthOfOperation, operation, k, {}, number, std::move(description)});
}

void FaultyFileSystem::failAtCall(int n, std::int32_t number, std::string description)
{
    m_state->faults.push_back(
        {State::Fault::Kind::NthCall, FileOperation::Open, n, {}, number, std::move(description)});
}

void FaultyFileSystem::failOnPath(FileOperation operation, const std::string& path, std::int32_t number,
                                  std::string description)
{
    m_state->faults.push_back({State::Fault::Kind::Path, operation, 0, path, number, std::move(description)});
}

void FaultyFileSystem::clearFaults()
{
    m_state->faults.clear();
}

int FaultyFileSystem::count(FileOperation operation) const
{
    return m_state->counts[static_cast<std::size_t>(operation)];
}

int FaultyFileSystem::totalCount() const
{
    return m_state->total;
}
int FaultyFileSystem::failuresRaised() const
{
    return m_state->raised;
}
const std::vector<FileCall>& FaultyFileSystem::calls() const
{
    return m_state->calls;
}

void FaultyFileSystem::resetCounts()
{
    m_state->counts.fill(0);
    m_state->total = 0;
    m_state->raised = 0;
    m_state->calls.clear();
}

bool FaultyFileSystem::fileExists(const std::string& path)
{
    m_state->enter(FileOperation::FileExists, path);
    return m_inner.fileExists(path);
}

bool FaultyFileSystem::folderExists(const std::string& path)
{
    m_state->enter(FileOperation::FolderExists, path);
    return m_inner.folderExists(path);
}

void FaultyFileSystem::deleteFile(const std::string& path)
{
    m_state->enter(FileOperation::Delete, path);
    m_inner.deleteFile(path);
}

void FaultyFileSystem::createFolder(const std::string& path)
{
    m_state->enter(FileOperation::CreateFolder, path);
    m_inner.createFolder(path);
}

std::unique_ptr<host::FileStream> FaultyFileSystem::open(const std::string& path, host::OpenMode mode)
{
    m_state->enter(FileOperation::Open, path);
    return std::make_unique<FaultyStream>(m_inner.open(path, mode), m_state, path);
}

void FaultyFileSystem::rename(const std::string& from, const std::string& to)
{
    m_state->enter(FileOperation::Rename, from);
    m_inner.rename(from, to);
}

} // namespace corvane::posix
