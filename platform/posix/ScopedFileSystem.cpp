#include "posix/ScopedFileSystem.h"

#include "host/HostError.h"

namespace corvane::posix {

ScopedFileSystem::ScopedFileSystem(host::FileSystem& fs)
{
    try {
        m_previous = &host::fileSystem();
    } catch (const host::HostError&) {
        m_previous = nullptr; // none installed yet
    }
    host::setFileSystem(&fs);
}

ScopedFileSystem::~ScopedFileSystem()
{
    host::setFileSystem(m_previous);
}

} // namespace corvane::posix
