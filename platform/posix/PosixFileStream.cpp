#include "posix/PosixFileStream.h"

#include "host/HostError.h"
#include "posix/PosixErrors.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::posix {

PosixFileStream::~PosixFileStream()
{
    if (m_descriptor >= 0) ::close(m_descriptor);
}

std::string PosixFileStream::readAll()
{
    if (m_descriptor < 0 || m_writable) host::raiseError(host::errors::kBadFileMode);
    // Read straight into the string in large blocks, sized from the file
    // when it says how large it is; a file that grows meanwhile is read on.
    struct stat info {};
    std::size_t expected = 0;
    if (::fstat(m_descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        expected = static_cast<std::size_t>(info.st_size);
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    std::string content;
    std::size_t used = 0;
    content.resize(expected + 1 > kBlock ? expected + 1 : kBlock);
    for (;;) {
        if (used == content.size()) content.resize(content.size() * 2);
        const ssize_t got = ::read(m_descriptor, content.data() + used, content.size() - used);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            raiseFromErrno(errno, host::errors::kPathFileAccessError);
        }
        used += static_cast<std::size_t>(got);
    }
    content.resize(used);
    return content;
}

std::size_t PosixFileStream::readSome(char* buffer, std::size_t size)
{
    if (m_descriptor < 0 || m_writable) host::raiseError(host::errors::kBadFileMode);
    for (;;) {
        const ssize_t got = ::read(m_descriptor, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) raiseFromErrno(errno, host::errors::kPathFileAccessError);
    }
}

void PosixFileStream::write(const std::string& bytes)
{
    if (m_descriptor < 0 || !m_writable) host::raiseError(host::errors::kBadFileMode);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(m_descriptor, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            raiseFromErrno(errno, host::errors::kPathFileAccessError);
        }
        done += static_cast<std::size_t>(put);
    }
}

void PosixFileStream::close()
{
    if (m_descriptor < 0) return;
    const int descriptor = m_descriptor;
    m_descriptor = -1;
    int error = 0;
    if (m_writable && ::fsync(descriptor) != 0 && errno != EINVAL) error = errno;
    if (::close(descriptor) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error != 0) raiseFromErrno(error, host::errors::kPathFileAccessError);
}

} // namespace corvane::posix
