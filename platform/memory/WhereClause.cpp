#include "memory/WhereClause.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "memory/TableData.h"
#include "memory/WhereLexer.h"

namespace corvane::memory {

namespace {

std::int64_t realKey(double value) noexcept { return std::bit_cast<std::int64_t>(value == 0.0 ? 0.0 : value); }

std::string describe(const Token& token)
{
    if (token.kind == TokenKind::End) return "the end of the clause";
    std::string text(1, '\'');
    text.append(token.raw.substr(0, 40));
    text.append("' at character ");
    text.append(std::to_string(token.position + 1));
    return text;
}

bool isKeyword(const Token& token, std::string_view keyword)
{
    return token.kind == TokenKind::Name && equalsIgnoringCase(token.raw, keyword);
}

bool isLeapYear(int year) noexcept { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) noexcept
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads an unsigned decimal of 1 to `maxDigits` digits at `pos`.
std::optional<int> readPart(std::string_view text, std::size_t& pos, std::size_t maxDigits)
{
    int value = 0;
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < maxDigits)
        value = value * 10 + (text[pos++] - '0');
    if (pos == start) return std::nullopt;
    return value;
}

bool skip(std::string_view text, std::size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// M/D/YYYY, then optionally h:mm or h:mm:ss, then optionally AM or PM.
std::optional<host::DateTime> parseDate(std::string_view text)
{
    host::DateTime date;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    const auto month = readPart(text, pos, 2);
    if (!month || !skip(text, pos, '/')) return std::nullopt;
    const auto day = readPart(text, pos, 2);
    if (!day || !skip(text, pos, '/')) return std::nullopt;
    const std::size_t yearStart = pos;
    const auto year = readPart(text, pos, 4);
    if (!year || pos - yearStart != 4) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *year < 100 || *day > daysInMonth(*year, *month)) return std::nullopt;
    date.year = *year;
    date.month = *month;
    date.day = *day;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size()) {
        const auto hour = readPart(text, pos, 2);
        if (!hour || !skip(text, pos, ':')) return std::nullopt;
        const auto minute = readPart(text, pos, 2);
        if (!minute || *minute > 59) return std::nullopt;
        int second = 0;
        if (skip(text, pos, ':')) {
            const auto seconds = readPart(text, pos, 2);
            if (!seconds || *seconds > 59) return std::nullopt;
            second = *seconds;
        }
        while (pos < text.size() && text[pos] == ' ') ++pos;
        int hour24 = *hour;
        const std::string_view rest = text.substr(pos);
        const std::string_view trimmed = rest.substr(0, rest.find_last_not_of(' ') + 1);
        if (equalsIgnoringCase(trimmed, "AM") || equalsIgnoringCase(trimmed, "PM")) {
            if (hour24 < 1 || hour24 > 12) return std::nullopt;
            hour24 = hour24 % 12 + (equalsIgnoringCase(trimmed, "PM") ? 12 : 0);
        } else if (!trimmed.empty() || hour24 > 23) {
            return std::nullopt;
        }
        date.hour = hour24;
        date.minute = *minute;
        date.second = second;
    }
    return date;
}

struct NumberLiteral {
    double value = 0.0;
    std::optional<std::int64_t> integer; // set when the value is a whole number that fits
};

NumberLiteral parseNumber(std::string_view raw)
{
    if (!raw.empty() && raw.front() == '+') raw.remove_prefix(1);
    NumberLiteral literal;
    const char* end = raw.data() + raw.size();
    if (std::from_chars(raw.data(), end, literal.value).ec == std::errc::result_out_of_range) {
        // Past the range of a double: as strtod reads it, an overflow is infinite and an underflow zero.
        const bool underflow = raw.find("e-") != std::string_view::npos || raw.find("E-") != std::string_view::npos;
        const double magnitude = underflow ? 0.0 : HUGE_VAL;
        literal.value = raw.front() == '-' ? -magnitude : magnitude;
    }
    std::int64_t whole = 0;
    const auto [stop, error] = std::from_chars(raw.data(), end, whole);
    if (error == std::errc() && stop == end) {
        literal.integer = whole;
        literal.value = static_cast<double>(whole);
    } else if (std::isfinite(literal.value) && std::trunc(literal.value) == literal.value &&
               std::fabs(literal.value) < 9.2e18) {
        literal.integer = static_cast<std::int64_t>(literal.value);
    }
    return literal;
}

const char* kindName(ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::Text: return "text";
    case ColumnKind::Date: return "date";
    default: return "numeric";
    }
}

// The key that a cell must hold to equal the literal, or nullopt when no cell can.
std::optional<std::int64_t> literalKey(const Column& column, const Token& literal)
{
    const ColumnKind kind = column.kind();
    if (kind == ColumnKind::Shape || kind == ColumnKind::Opaque)
        rejectClause("field " + column.name() + " cannot be compared with a value");
    const auto mismatch = [&](const char* what) {
        rejectClause(std::string(what) + " " + describe(literal) + " compared with the " + kindName(kind) + " field " +
                     column.name());
    };
    switch (literal.kind) {
    case TokenKind::Text:
        if (kind != ColumnKind::Text) mismatch("text literal");
        if (auto code = column.dictionary().find(literal.text)) return static_cast<std::int64_t>(*code);
        return std::nullopt;
    case TokenKind::Date: {
        if (kind != ColumnKind::Date) mismatch("date literal");
        const auto date = parseDate(literal.text);
        if (!date) rejectClause("unreadable date " + describe(literal));
        return packDate(*date);
    }
    case TokenKind::Number: {
        if (kind == ColumnKind::Text || kind == ColumnKind::Date) mismatch("number");
        const NumberLiteral number = parseNumber(literal.text);
        if (kind == ColumnKind::Real) return realKey(number.value);
        return number.integer;
    }
    default: rejectClause("expected a value but found " + describe(literal));
    }
}

} // namespace

WhereClause WhereClause::compile(const TableData& table, std::string_view clause)
{
    WhereClause compiled(table);
    WhereLexer lexer(clause);
    Token token = lexer.next();
    if (token.kind == TokenKind::End) return compiled;
    for (;;) {
        if (token.kind != TokenKind::Name) rejectClause("expected a field name but found " + describe(token));
        Term term;
        term.field = table.findField(token.raw);
        if (term.field < 0) rejectClause("unknown field " + std::string(token.raw));
        const Column& column = table.column(term.field);
        term.kind = column.kind();
        token = lexer.next();
        if (token.kind == TokenKind::Equals) {
            const auto key = literalKey(column, lexer.next());
            term.never = !key;
            term.key = key.value_or(0);
        } else if (isKeyword(token, "IN")) {
            if (lexer.next().kind != TokenKind::Open) rejectClause("expected ( after IN");
            term.useSet = true;
            do {
                if (const auto key = literalKey(column, lexer.next())) term.keys.insert(*key);
                token = lexer.next();
            } while (token.kind == TokenKind::Comma);
            if (token.kind != TokenKind::Close) rejectClause("expected , or ) but found " + describe(token));
            term.never = term.keys.empty();
        } else {
            rejectClause("expected = or IN after " + column.name() + " but found " + describe(token));
        }
        compiled.m_never = compiled.m_never || term.never;
        compiled.m_terms.push_back(std::move(term));
        token = lexer.next();
        if (token.kind == TokenKind::End) return compiled;
        if (!isKeyword(token, "AND")) rejectClause("expected AND but found " + describe(token));
        token = lexer.next();
    }
}

bool WhereClause::matches(std::size_t row) const
{
    if (m_never) return false;
    for (const Term& term : m_terms) {
        std::int64_t key = 0;
        if (term.kind == ColumnKind::Oid) {
            key = m_table->oid(row);
        } else {
            const Column& column = m_table->column(term.field);
            if (column.state(row) != CellState::Value) return false;
            switch (term.kind) {
            case ColumnKind::Integer: key = column.integer(row); break;
            case ColumnKind::Real: key = realKey(column.real(row)); break;
            case ColumnKind::Text: key = static_cast<std::int64_t>(column.code(row)); break;
            case ColumnKind::Date: key = column.date(row); break;
            default: return false;
            }
        }
        if (term.useSet ? !term.keys.contains(key) : key != term.key) return false;
    }
    return true;
}

} // namespace corvane::memory
