#pragma once
// An open file: a POSIX descriptor. Writes go straight to the descriptor;
// close() makes them durable (fsync) before it reports success, so that a
// file put in place by rename afterwards holds all of its bytes.

#include "host/FileSystem.h"

#include <string>

namespace corvane::posix {

class PosixFileStream final : public host::FileStream {
  public:
    PosixFileStream(int descriptor, bool writable) noexcept : m_descriptor(descriptor), m_writable(writable) {}
    ~PosixFileStream() override;

    std::string readAll() override;
    std::size_t readSome(char* buffer, std::size_t size) override;
    void write(const std::string& bytes) override;
    void close() override;

  private:
    int m_descriptor;
    bool m_writable;
};

} // namespace corvane::posix
