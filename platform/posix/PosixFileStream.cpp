#include "posix/PosixFileStream.h"

#include "host/HostError.h"
#include "posix/PosixErrors.h"

#include <cerrno>
#include <unistd.h>

namespace corvane::posix {

PosixFileStream::~PosixFileStream()
{
    if (m_descriptor >= 0) ::close(m_descriptor);
}

std::string PosixFileStream::readAll()
{
    if (m_descriptor < 0 || m_writable) host::raiseError(host::errors::kBadFileMode);
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(m_descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            raiseFromErrno(errno, host::errors::kPathFileAccessError);
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
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
