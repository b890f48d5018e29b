#pragma once
// The runtime's numbered file as the system uses it: one slot, number 1,
// shared by every file operation. Opening an open slot raises "File already
// open" (55), which is why each operation closes slot 1 before it opens the
// file, after it is done, and on every error path.
//
// Reads follow the item rules of config/ConfigItems.h; the whole file is
// read when it is opened for input (a count reads it in pieces instead).
// Called on the UI thread only.

#include "config/ConfigItems.h"
#include "host/FileSystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane::config {

class FileSlot {
  public:
    FileSlot() = default;
    FileSlot(const FileSlot&) = delete;
    FileSlot& operator=(const FileSlot&) = delete;
    ~FileSlot();

    // Open path For Input / Append / Output As #1. Raises 55 when open.
    void openInput(const std::string& path);
    void openAppend(const std::string& path);
    void openOutput(const std::string& path);
    // Like openOutput, for a file that must not exist yet (58 when anything
    // of that name does, a link included).
    void openOutputNew(const std::string& path);

    // EOF(1). Raises 52 when closed, 54 when not open for input.
    [[nodiscard]] bool eof() const;
    // Input #1, item. Raises 62 at the end of the file.
    std::string inputItem();
    // Open path For Input As #1, Input #1 into a discarded variable until
    // EOF(1), Close #1: the number of items read. The file is read in
    // pieces, so its size costs time but no memory. Raises as openInput
    // does; the slot is closed afterwards either way.
    std::int32_t countItemsIn(const std::string& path);
    // Print #1, text: the text and CR LF, written as they are.
    void printLine(const std::string& text);

    // Close #1. Closing a closed slot does nothing. The slot is closed
    // afterwards even when the data could not be written (which raises).
    void close();
    // Close on an error path: never raises.
    void closeQuietly() noexcept;

    [[nodiscard]] bool isOpen() const noexcept { return m_mode != Mode::Closed; }

  private:
    enum class Mode { Closed, Input, Output };

    void openForWriting(const std::string& path, host::OpenMode mode);
    void requireClosed() const;
    void requireMode(Mode mode) const;

    Mode m_mode = Mode::Closed;
    std::unique_ptr<host::FileStream> m_stream;
    std::string m_content; // input: the whole file
    std::optional<ItemReader> m_reader;
};

// Slot 1, the one the whole component shares.
FileSlot& fileSlot1();

} // namespace corvane::config
