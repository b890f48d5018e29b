#include "config/ConfigItems.h"

namespace corvane::config {

namespace {
constexpr char kQuote = '"';

bool isBlank(char c) noexcept
{
    return c == ' ' || c == '\t';
}
bool isSeparator(char c) noexcept
{
    return c == ',' || c == '\r' || c == '\n';
}
} // namespace

std::string ItemReader::next()
{
    if (atEnd()) return {};
    m_afterComma = false;
    skipBlanks();
    std::string item;
    if (m_position < m_data.size() && m_data[m_position] == kQuote) {
        item = readQuoted();
        while (m_position < m_data.size() && !isSeparator(m_data[m_position]))
            ++m_position;
    } else {
        item = readUnquoted();
    }
    skipSeparator();
    return item;
}

void ItemReader::skip() noexcept
{
    if (atEnd()) return;
    m_afterComma = false;
    skipBlanks();
    if (m_position < m_data.size() && m_data[m_position] == ',') {
        // An empty item: the whole of a file of commas.
        ++m_position;
        m_afterComma = true;
        return;
    }
    if (m_position < m_data.size() && m_data[m_position] == kQuote) skipQuoted();
    while (m_position < m_data.size() && !isSeparator(m_data[m_position]))
        ++m_position;
    skipSeparator();
}

void ItemReader::skipQuoted() noexcept
{
    ++m_position; // the opening quote
    while (m_position < m_data.size()) {
        const std::size_t quote = m_data.find(kQuote, m_position);
        if (quote == std::string_view::npos) {
            m_position = m_data.size();
            return;
        }
        m_position = quote + 1;
        if (m_position < m_data.size() && m_data[m_position] == kQuote) {
            ++m_position; // a doubled quote
            continue;
        }
        return; // the closing quote
    }
}

void ItemReader::skipBlanks() noexcept
{
    while (m_position < m_data.size() && isBlank(m_data[m_position]))
        ++m_position;
}

std::string ItemReader::readQuoted()
{
    std::string item;
    ++m_position; // the opening quote
    while (m_position < m_data.size()) {
        const char c = m_data[m_position++];
        if (c != kQuote) {
            item += c;
            continue;
        }
        if (m_position < m_data.size() && m_data[m_position] == kQuote) {
            item += kQuote;
            ++m_position;
            continue;
        }
        break; // the closing quote
    }
    return item;
}

std::string ItemReader::readUnquoted()
{
    const std::size_t start = m_position;
    while (m_position < m_data.size() && !isSeparator(m_data[m_position]))
        ++m_position;
    std::size_t end = m_position;
    while (end > start && isBlank(m_data[end - 1]))
        --end;
    return std::string(m_data.substr(start, end - start));
}

void ItemReader::skipSeparator() noexcept
{
    if (m_position >= m_data.size()) return;
    switch (m_data[m_position]) {
    case ',':
        ++m_position;
        m_afterComma = true;
        break;
    case '\r':
        ++m_position;
        if (m_position < m_data.size() && m_data[m_position] == '\n') ++m_position;
        break;
    case '\n':
        ++m_position;
        break;
    default:
        break;
    }
}

std::size_t ItemReader::skipToEnd() noexcept
{
    std::size_t count = 0;
    while (!atEnd()) {
        ++count;
        skip();
    }
    return count;
}

std::size_t countItems(std::string_view data)
{
    return ItemReader(data).skipToEnd();
}

void ItemCounter::feed(std::string_view piece) noexcept
{
    for (const char c : piece) {
        if (m_state == State::AfterCarriageReturn) {
            m_state = State::BetweenItems;
            if (c == '\n') continue; // CR LF is one line end
        }
        if (m_state == State::BetweenItems) {
            // Any byte starts an item, a line end included (an empty line).
            ++m_count;
            m_afterComma = false;
            m_state = State::Blanks;
        }
        switch (m_state) {
        case State::Quoted:
            if (c == kQuote) m_state = State::QuoteInQuoted;
            continue;
        case State::QuoteInQuoted:
            if (c == kQuote) { // a doubled quote
                m_state = State::Quoted;
                continue;
            }
            m_state = State::Unquoted; // what follows the closing quote is dropped
            break;
        case State::Blanks:
            if (isBlank(c)) continue;
            if (c == kQuote) {
                m_state = State::Quoted;
                continue;
            }
            m_state = State::Unquoted;
            break;
        default:
            break;
        }
        // Unquoted text, or text after a closing quote, up to a separator.
        if (c == ',') {
            m_afterComma = true;
            m_state = State::BetweenItems;
        } else if (c == '\r') {
            m_state = State::AfterCarriageReturn;
        } else if (c == '\n') {
            m_state = State::BetweenItems;
        }
    }
}

std::size_t ItemCounter::finish() const noexcept
{
    // A comma always announces one more item, even at the very end.
    return m_count + (m_afterComma && m_state == State::BetweenItems ? 1 : 0);
}

std::string quoteItem(std::string_view value)
{
    std::string quoted(1, kQuote);
    for (const char c : value) {
        quoted += c;
        if (c == kQuote) quoted += kQuote;
    }
    quoted += kQuote;
    return quoted;
}

} // namespace corvane::config
