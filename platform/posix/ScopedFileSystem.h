#pragma once
// Installs a file system for the life of a scope and puts the previous one
// (or none) back afterwards.

#include "host/FileSystem.h"

namespace corvane::posix {

class ScopedFileSystem {
  public:
    explicit ScopedFileSystem(host::FileSystem& fs);
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;
    ~ScopedFileSystem();

  private:
    host::FileSystem* m_previous = nullptr;
};

} // namespace corvane::posix
