#include "memory/WhereLexer.h"

#include "host/HostError.h"
#include "memory/TableData.h"

namespace corvane::memory {

namespace {

bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isNameStart(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
bool isNamePart(char c) noexcept { return isNameStart(c) || isDigit(c); }

std::string at(std::size_t position) { return " at character " + std::to_string(position + 1); }

} // namespace

void rejectClause(const std::string& problem) { host::raiseError(kInvalidArgument, "Invalid where clause: " + problem); }

Token WhereLexer::next()
{
    while (m_pos < m_clause.size() && isBlank(m_clause[m_pos])) ++m_pos;
    const std::size_t start = m_pos;
    if (m_pos >= m_clause.size()) return Token{TokenKind::End, {}, {}, start};
    const char c = m_clause[m_pos];
    const auto single = [&](TokenKind kind) {
        ++m_pos;
        return Token{kind, m_clause.substr(start, 1), {}, start};
    };
    if (c == '\'') return textLiteral(start);
    if (c == '#') return dateLiteral(start);
    if (c == '=') return single(TokenKind::Equals);
    if (c == '(') return single(TokenKind::Open);
    if (c == ')') return single(TokenKind::Close);
    if (c == ',') return single(TokenKind::Comma);
    const bool signedNumber = (c == '-' || c == '+') && m_pos + 1 < m_clause.size() &&
                              (isDigit(m_clause[m_pos + 1]) || m_clause[m_pos + 1] == '.');
    if (isDigit(c) || c == '.' || signedNumber) return number(start);
    if (isNameStart(c)) {
        while (m_pos < m_clause.size() && isNamePart(m_clause[m_pos])) ++m_pos;
        return Token{TokenKind::Name, m_clause.substr(start, m_pos - start), {}, start};
    }
    return single(TokenKind::Other);
}

Token WhereLexer::textLiteral(std::size_t start)
{
    std::string value;
    ++m_pos;
    for (;;) {
        if (m_pos >= m_clause.size()) rejectClause("text literal without its closing quote" + at(start));
        const char c = m_clause[m_pos++];
        if (c != '\'') {
            value += c;
            continue;
        }
        if (m_pos < m_clause.size() && m_clause[m_pos] == '\'') {
            value += '\'';
            ++m_pos;
            continue;
        }
        return Token{TokenKind::Text, m_clause.substr(start, m_pos - start), std::move(value), start};
    }
}

Token WhereLexer::dateLiteral(std::size_t start)
{
    const std::size_t close = m_clause.find('#', start + 1);
    if (close == std::string_view::npos) rejectClause("date literal without its closing #" + at(start));
    m_pos = close + 1;
    return Token{TokenKind::Date, m_clause.substr(start, m_pos - start),
                 std::string(m_clause.substr(start + 1, close - start - 1)), start};
}

std::size_t WhereLexer::skipDigits()
{
    const std::size_t start = m_pos;
    while (m_pos < m_clause.size() && isDigit(m_clause[m_pos])) ++m_pos;
    return m_pos - start;
}

Token WhereLexer::number(std::size_t start)
{
    if (m_clause[m_pos] == '-' || m_clause[m_pos] == '+') ++m_pos;
    std::size_t digits = skipDigits();
    if (m_pos < m_clause.size() && m_clause[m_pos] == '.') {
        ++m_pos;
        digits += skipDigits();
    }
    if (digits == 0) rejectClause("malformed number" + at(start));
    if (m_pos < m_clause.size() && (m_clause[m_pos] == 'e' || m_clause[m_pos] == 'E')) {
        ++m_pos;
        if (m_pos < m_clause.size() && (m_clause[m_pos] == '-' || m_clause[m_pos] == '+')) ++m_pos;
        if (skipDigits() == 0) rejectClause("malformed number" + at(start));
    }
    if (m_pos < m_clause.size() && (isNamePart(m_clause[m_pos]) || m_clause[m_pos] == '.'))
        rejectClause("malformed number" + at(start));
    const std::string_view raw = m_clause.substr(start, m_pos - start);
    return Token{TokenKind::Number, raw, std::string(raw), start};
}

} // namespace corvane::memory
