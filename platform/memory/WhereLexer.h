#pragma once
// Splits a where clause into tokens. Works on raw bytes: anything it does not
// know becomes an Other token for the parser to refuse.

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::memory {

enum class TokenKind { End, Name, Text, Date, Number, Equals, Open, Close, Comma, Other };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view raw;  // the token as written
    std::string text;      // Text: the value with doubled quotes undone; Date: between the # signs
    std::size_t position = 0;
};

class WhereLexer {
public:
    explicit WhereLexer(std::string_view clause) : m_clause(clause) {}
    // Raises HostError for an unterminated literal or a malformed number.
    Token next();

private:
    Token textLiteral(std::size_t start);
    Token dateLiteral(std::size_t start);
    Token number(std::size_t start);
    std::size_t skipDigits();

    std::string_view m_clause;
    std::size_t m_pos = 0;
};

// Raises HostError(kInvalidArgument, "Invalid where clause: " + problem).
[[noreturn]] void rejectClause(const std::string& problem);

} // namespace corvane::memory
