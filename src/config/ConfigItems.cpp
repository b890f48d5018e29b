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

std::size_t countItems(std::string_view data)
{
    ItemReader reader(data);
    std::size_t count = 0;
    while (!reader.atEnd()) {
        ++count;
        reader.skip();
    }
    return count;
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
