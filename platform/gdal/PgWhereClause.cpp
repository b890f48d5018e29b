#include "gdal/PgWhereClause.h"

#include <array>
#include <cctype>
#include <string_view>

#include "gdal/WhereClause.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

[[noreturn]] void refuse(const std::string& clause, const std::string& why)
{
    host::raiseError(host::errors::kHostCallFailed,
                     "The where clause " + clause + " cannot be sent to the database: " + why);
}

void rejectNul(const std::string& text)
{
    if (text.find('\0') != std::string::npos) {
        host::raiseError(host::errors::kHostCallFailed, "A NUL character cannot be sent to the database");
    }
}

bool isWordStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80; }

bool isWordPart(char c) { return isWordStart(c) || std::isdigit(static_cast<unsigned char>(c)); }

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The dialect's words that are not names. Anything else in a word's place
// is taken for a field name and quoted, so it can never act as SQL.
bool isKeyword(std::string_view word)
{
    static constexpr std::array<std::string_view, 11> kKeywords{"AND", "OR",   "NOT",   "IN",      "IS",    "NULL",
                                                                "LIKE", "TRUE", "FALSE", "BETWEEN", "ESCAPE"};
    for (const auto keyword : kKeywords) {
        if (word.size() != keyword.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < word.size() && same; ++i) {
            same = std::toupper(static_cast<unsigned char>(word[i])) == keyword[i];
        }
        if (same) return true;
    }
    return false;
}

std::string upper(std::string word)
{
    for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return word;
}

// The text between a quote mark at `pos` and its closing mark, doubled marks
// undone; `pos` ends after the closing mark.
std::string quotedText(const std::string& clause, std::size_t& pos)
{
    const char mark = clause[pos++];
    std::string text;
    while (pos < clause.size()) {
        if (clause[pos] == mark) {
            if (pos + 1 < clause.size() && clause[pos + 1] == mark) {
                text += mark;
                pos += 2;
                continue;
            }
            ++pos;
            return text;
        }
        text += clause[pos++];
    }
    refuse(clause, std::string("unterminated ") + (mark == '\'' ? "text" : "name"));
}

// A field of the table named like `name` ignoring case, spelled as the
// table spells it; an unknown name is kept for the server to reject.
std::string columnName(const LayerSchema& schema, const std::string& name)
{
    const std::int32_t index = schema.findField(name);
    return index >= 0 ? schema.fields[static_cast<std::size_t>(index)].name : name;
}

std::string readNumber(const std::string& clause, std::size_t& pos)
{
    const std::size_t start = pos;
    while (pos < clause.size() && isDigit(clause[pos])) ++pos;
    if (pos < clause.size() && clause[pos] == '.') {
        ++pos;
        while (pos < clause.size() && isDigit(clause[pos])) ++pos;
    }
    if (pos < clause.size() && (clause[pos] == 'e' || clause[pos] == 'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < clause.size() && (clause[exponent] == '+' || clause[exponent] == '-')) ++exponent;
        if (exponent < clause.size() && isDigit(clause[exponent])) {
            pos = exponent;
            while (pos < clause.size() && isDigit(clause[pos])) ++pos;
        }
    }
    if (pos < clause.size() && isWordPart(clause[pos])) refuse(clause, "a number runs into a word");
    return clause.substr(start, pos - start);
}

// Comparison and arithmetic signs, brackets and commas; a comment start is
// not among them.
std::string readOperator(const std::string& clause, std::size_t& pos)
{
    const char c = clause[pos];
    const char next = pos + 1 < clause.size() ? clause[pos + 1] : '\0';
    if ((c == '-' && next == '-') || (c == '/' && next == '*')) refuse(clause, "comments are not allowed");
    if ((c == '<' && (next == '=' || next == '>')) || (c == '>' && next == '=') || (c == '!' && next == '=')) {
        pos += 2;
        return c == '!' ? std::string("<>") : std::string{c, next};
    }
    if (std::string_view("=<>(),+-*/").find(c) == std::string_view::npos) {
        refuse(clause, std::string("unexpected '") + c + "'");
    }
    ++pos;
    return std::string(1, c);
}

} // namespace

std::string postgresText(const std::string& text)
{
    rejectNul(text);
    // E'' reads backslashes as escapes whatever the server's setting, so
    // text holding one is written that way with each backslash doubled.
    const bool escaped = text.find('\\') != std::string::npos;
    std::string literal = escaped ? "E'" : "'";
    for (const char c : text) {
        if (c == '\'') literal += '\'';
        if (c == '\\') literal += '\\';
        literal += c;
    }
    return literal + '\'';
}

std::string postgresName(const std::string& name)
{
    rejectNul(name);
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string translatePostgresClause(const std::string& clause, const LayerSchema& schema)
{
    rejectNul(clause);
    const std::string dated = translateWhereClause(clause, DateLiteralStyle::Iso);
    std::string out;
    out.reserve(dated.size() + 16);
    std::size_t pos = 0;
    while (pos < dated.size()) {
        const char c = dated[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            out += ' ';
            ++pos;
        } else if (c == '\'') {
            out += postgresText(quotedText(dated, pos));
        } else if (c == '"') {
            out += postgresName(columnName(schema, quotedText(dated, pos)));
        } else if (isWordStart(c)) {
            const std::size_t start = pos;
            while (pos < dated.size() && isWordPart(dated[pos])) ++pos;
            const std::string word = dated.substr(start, pos - start);
            out += isKeyword(word) ? upper(word) : postgresName(columnName(schema, word));
        } else if (isDigit(c) || (c == '.' && pos + 1 < dated.size() && isDigit(dated[pos + 1]))) {
            out += readNumber(dated, pos);
        } else {
            out += readOperator(dated, pos);
        }
    }
    return out;
}

} // namespace corvane::gdal
