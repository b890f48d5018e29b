#include "config/FileSlot.h"

#include "host/HostError.h"

namespace corvane::config {

FileSlot::~FileSlot()
{
    closeQuietly();
}

void FileSlot::requireClosed() const
{
    if (isOpen()) host::raiseError(host::errors::kFileAlreadyOpen);
}

void FileSlot::requireMode(Mode mode) const
{
    if (m_mode == Mode::Closed) host::raiseError(host::errors::kBadFileNameOrNumber);
    if (m_mode != mode) host::raiseError(host::errors::kBadFileMode);
}

void FileSlot::openInput(const std::string& path)
{
    requireClosed();
    auto stream = host::fileSystem().open(path, host::OpenMode::Input);
    std::string content = stream->readAll();
    stream->close();
    m_content = std::move(content);
    m_reader.emplace(m_content);
    m_mode = Mode::Input;
}

void FileSlot::openAppend(const std::string& path)
{
    openForWriting(path, host::OpenMode::Append);
}

void FileSlot::openOutput(const std::string& path)
{
    openForWriting(path, host::OpenMode::Output);
}

void FileSlot::openOutputNew(const std::string& path)
{
    openForWriting(path, host::OpenMode::CreateNew);
}

void FileSlot::openForWriting(const std::string& path, host::OpenMode mode)
{
    requireClosed();
    m_stream = host::fileSystem().open(path, mode);
    m_mode = Mode::Output;
}

bool FileSlot::eof() const
{
    requireMode(Mode::Input);
    return m_reader->atEnd();
}

std::string FileSlot::inputItem()
{
    requireMode(Mode::Input);
    if (m_reader->atEnd()) host::raiseError(host::errors::kInputPastEndOfFile);
    return m_reader->next();
}

std::int32_t FileSlot::countItemsIn(const std::string& path)
{
    requireClosed();
    auto stream = host::fileSystem().open(path, host::OpenMode::Input);
    m_stream = std::move(stream);
    m_mode = Mode::Input;
    ItemCounter counter;
    try {
        std::string buffer(std::size_t{1} << 16, '\0');
        while (const std::size_t got = m_stream->readSome(buffer.data(), buffer.size()))
            counter.feed(std::string_view(buffer.data(), got));
    } catch (...) {
        closeQuietly();
        throw;
    }
    close();
    const std::size_t count = counter.finish();
    // A count past the runtime's Long would wrap there; it stops at the largest.
    return count > 0x7fffffffu ? 0x7fffffff : static_cast<std::int32_t>(count);
}

void FileSlot::printLine(const std::string& text)
{
    requireMode(Mode::Output);
    m_stream->write(text + "\r\n");
}

void FileSlot::close()
{
    // Forget the file first: whatever close() says, the slot is free again.
    std::unique_ptr<host::FileStream> stream = std::move(m_stream);
    m_mode = Mode::Closed;
    m_reader.reset();
    m_content.clear();
    if (stream) stream->close();
}

void FileSlot::closeQuietly() noexcept
{
    try {
        close();
    } catch (...) {
        // An error path is already under way; this one adds nothing.
    }
}

FileSlot& fileSlot1()
{
    static FileSlot slot;
    return slot;
}

} // namespace corvane::config
