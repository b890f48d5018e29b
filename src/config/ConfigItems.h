#pragma once
// The item rules of the configuration file, as pure functions over its
// bytes, shared by file slot 1 (which reads) and the configuration writer.
//
// Items are separated by commas and line ends (CR LF, a lone LF or a lone
// CR). An item that starts with a double quote runs to the closing quote;
// commas and line ends inside it belong to the value and a doubled quote
// inside it is one quote. The file ends when no byte is left after the
// last item and its line end.
//
// Hand-edited files, decided here because our own writer never makes them:
// - blanks and tabs before an item are skipped; an unquoted item loses its
//   trailing blanks, a quoted one keeps everything between its quotes;
// - anything after a closing quote, up to the next separator, is dropped;
// - a quoted item with no closing quote runs to the end of the file;
// - an empty line (or one of blanks only) is one empty item;
// - a comma always announces one more item, so "a," and "a,CR LF" both
//   hold two items, the second empty;
// - a quote inside an unquoted item is an ordinary character.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::config {

class ItemReader {
  public:
    explicit ItemReader(std::string_view data) noexcept : m_data(data) {}

    // The runtime's end-of-file test, made before each read.
    [[nodiscard]] bool atEnd() const noexcept { return m_position >= m_data.size() && !m_afterComma; }
    // The next item; empty (and no move) at the end. Always moves forward otherwise.
    std::string next();
    // Moves past the next item as next() does, without making its value.
    void skip() noexcept;
    // Skips every item left; returns how many there were.
    std::size_t skipToEnd() noexcept;
    [[nodiscard]] std::size_t position() const noexcept { return m_position; }

  private:
    void skipBlanks() noexcept;
    std::string readQuoted();
    std::string readUnquoted();
    void skipQuoted() noexcept;
    void skipSeparator() noexcept;

    std::string_view m_data;
    std::size_t m_position = 0;
    bool m_afterComma = false;
};

// Number of items in `data`, as the configuration count sees them; time in
// proportion to the size, with nothing allocated.
[[nodiscard]] std::size_t countItems(std::string_view data);

// The same count over data that arrives in pieces of any size, so that a
// file of any size is counted in bounded memory:
//
//   ItemCounter counter;
//   while (std::size_t got = stream.readSome(buffer, sizeof buffer)) counter.feed({buffer, got});
//   const std::size_t items = counter.finish();
class ItemCounter {
  public:
    void feed(std::string_view piece) noexcept;
    // The count, once every piece was fed.
    [[nodiscard]] std::size_t finish() const noexcept;

  private:
    enum class State { BetweenItems, Blanks, Unquoted, Quoted, QuoteInQuoted, AfterCarriageReturn };
    State m_state = State::BetweenItems;
    bool m_afterComma = false;
    std::size_t m_count = 0;
};

// One value as the writer puts it in a line: in double quotes, each inner
// quote doubled so that it reads back as one.
[[nodiscard]] std::string quoteItem(std::string_view value);

} // namespace corvane::config
