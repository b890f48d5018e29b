#include "gdal/WhereClause.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "host/HostError.h"

namespace corvane::gdal {

namespace {

[[noreturn]] void badDate(const std::string& literal)
{
    host::raiseError(host::errors::kHostCallFailed, "Invalid date literal in where clause: #" + literal + "#");
}

bool readNumber(const std::string& text, std::size_t& pos, int& value, std::size_t maxDigits)
{
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) && pos - start < maxDigits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos > start;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

void skipBlanks(const std::string& text, std::size_t& pos)
{
    while (pos < text.size() && text[pos] == ' ') ++pos;
}

std::string dateLiteral(const std::string& literal, DateLiteralStyle style)
{
    std::size_t pos = 0;
    int month = 0, day = 0, year = 0;
    skipBlanks(literal, pos);
    if (!readNumber(literal, pos, month, 2) || pos >= literal.size() || literal[pos++] != '/') badDate(literal);
    if (!readNumber(literal, pos, day, 2) || pos >= literal.size() || literal[pos++] != '/') badDate(literal);
    if (!readNumber(literal, pos, year, 4)) badDate(literal);
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || year < 100) badDate(literal);

    int hour = 0, minute = 0, second = 0;
    bool hasTime = false;
    skipBlanks(literal, pos);
    if (pos < literal.size()) {
        hasTime = true;
        if (!readNumber(literal, pos, hour, 2) || pos >= literal.size() || literal[pos++] != ':') badDate(literal);
        if (!readNumber(literal, pos, minute, 2)) badDate(literal);
        if (pos < literal.size() && literal[pos] == ':') {
            ++pos;
            if (!readNumber(literal, pos, second, 2)) badDate(literal);
        }
        skipBlanks(literal, pos);
        std::string meridiem;
        while (pos < literal.size() && std::isalpha(static_cast<unsigned char>(literal[pos]))) {
            meridiem += static_cast<char>(std::toupper(static_cast<unsigned char>(literal[pos++])));
        }
        skipBlanks(literal, pos);
        if (pos != literal.size()) badDate(literal);
        if (meridiem == "AM" || meridiem == "PM") {
            if (hour < 1 || hour > 12) badDate(literal);
            hour = hour % 12 + (meridiem == "PM" ? 12 : 0);
        } else if (!meridiem.empty()) {
            badDate(literal);
        }
        if (hour > 23 || minute > 59 || second > 59) badDate(literal);
    }

    const char separator = style == DateLiteralStyle::Iso ? '-' : '/';
    char buffer[48];
    if (hasTime) {
        std::snprintf(buffer, sizeof buffer, "'%04d%c%02d%c%02d %02d:%02d:%02d'", year, separator, month, separator,
                      day, hour, minute, second);
    } else {
        std::snprintf(buffer, sizeof buffer, "'%04d%c%02d%c%02d'", year, separator, month, separator, day);
    }
    return buffer;
}

bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// One past the quoted text or quoted name that starts at `pos`; a doubled
// quote stays inside (and, in OGR's SQL, a name's quote after a backslash),
// and an unclosed one runs to the end.
std::size_t quotedSpanEnd(const std::string& clause, std::size_t pos, DateLiteralStyle dialect)
{
    const char quote = clause[pos];
    const bool backslashEscapes = quote == '"' && dialect == DateLiteralStyle::OgrSql;
    std::size_t end = pos + 1;
    while (end < clause.size()) {
        if (backslashEscapes && clause[end] == '\\' && end + 1 < clause.size() && clause[end + 1] == quote) {
            end += 2;
            continue;
        }
        if (clause[end] == quote) {
            if (end + 1 < clause.size() && clause[end + 1] == quote) {
                end += 2;
                continue;
            }
            return end + 1;
        }
        ++end;
    }
    return end;
}

bool matchesAt(const std::string& text, std::size_t pos, std::string_view word)
{
    if (text.size() - pos < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[pos + i])) != std::tolower(static_cast<unsigned char>(word[i]))) {
            return false;
        }
    }
    return true;
}

bool followedByComparison(const std::string& clause, std::size_t pos)
{
    while (pos < clause.size() && isBlank(clause[pos])) ++pos;
    if (pos >= clause.size()) return false;
    if (std::string_view("=<>!").find(clause[pos]) != std::string_view::npos) return true;
    for (const std::string_view keyword : {"in", "is", "like", "not", "between"}) {
        const std::size_t end = pos + keyword.size();
        if (matchesAt(clause, pos, keyword) && (end == clause.size() || !isWordChar(clause[end]))) return true;
    }
    return false;
}

// The field name that the clause uses at `pos`, if any.
const std::string* fieldNameAt(const std::string& clause, std::size_t pos, const std::vector<const std::string*>& names)
{
    if (pos > 0 && isWordChar(clause[pos - 1])) return nullptr;
    for (const std::string* name : names) {
        if (!matchesAt(clause, pos, *name)) continue;
        const std::size_t end = pos + name->size();
        if (isWordChar(name->back()) && end < clause.size() && isWordChar(clause[end])) continue;
        if (followedByComparison(clause, end)) return name;
    }
    return nullptr;
}

} // namespace

void requireNoNulByte(const std::string& clause)
{
    if (clause.find('\0') != std::string::npos) {
        host::raiseError(host::errors::kHostCallFailed, "The where clause contains a NUL byte");
    }
}

std::string quoteIdentifier(std::string_view name, DateLiteralStyle dialect)
{
    std::string quoted(1, '"');
    for (const char c : name) {
        if (c == '"' && dialect == DateLiteralStyle::OgrSql) quoted += '\\';
        quoted += c;
        if (c == '"' && dialect == DateLiteralStyle::Iso) quoted += '"';
    }
    quoted += '"';
    return quoted;
}

std::string quoteFieldNames(const std::string& clause, const std::vector<std::string>& fieldNames,
                            DateLiteralStyle dialect)
{
    std::vector<const std::string*> names;
    for (const std::string& name : fieldNames) {
        if (!name.empty() && name.find('\0') == std::string::npos) names.push_back(&name);
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
    std::string out;
    out.reserve(clause.size() + 8);
    std::size_t pos = 0;
    while (pos < clause.size()) {
        if (const std::string* name = fieldNameAt(clause, pos, names)) {
            out += quoteIdentifier(*name, dialect);
            pos += name->size();
        } else if (clause[pos] == '\'' || clause[pos] == '"') {
            const std::size_t end = quotedSpanEnd(clause, pos, dialect);
            out.append(clause, pos, end - pos);
            pos = end;
        } else {
            out += clause[pos++];
        }
    }
    return out;
}

std::string translateWhereClause(const std::string& clause, DateLiteralStyle style)
{
    requireNoNulByte(clause);
    std::string out;
    out.reserve(clause.size() + 8);
    std::size_t pos = 0;
    while (pos < clause.size()) {
        const char c = clause[pos];
        if (c == '\'' || c == '"') {
            // Quoted text and quoted names go whole.
            const std::size_t end = quotedSpanEnd(clause, pos, style);
            out.append(clause, pos, end - pos);
            pos = end;
        } else if (c == '#') {
            const std::size_t end = clause.find('#', pos + 1);
            if (end == std::string::npos) {
                host::raiseError(host::errors::kHostCallFailed, "Unterminated date literal in where clause: " + clause);
            }
            out += dateLiteral(clause.substr(pos + 1, end - pos - 1), style);
            pos = end + 1;
        } else {
            out += c;
            ++pos;
        }
    }
    return out;
}

std::optional<std::vector<std::int64_t>> parseObjectIdList(const std::string& clause, const std::string& oidField)
{
    std::size_t pos = 0;
    auto skip = [&] {
        while (pos < clause.size() && isBlank(clause[pos])) ++pos;
    };
    skip();
    if (oidField.empty() || clause.size() - pos < oidField.size()) return std::nullopt;
    if (!equalsIgnoringCase(clause.substr(pos, oidField.size()), oidField)) return std::nullopt;
    pos += oidField.size();
    if (pos >= clause.size() || !isBlank(clause[pos])) return std::nullopt;
    skip();
    if (clause.size() - pos < 2 || !equalsIgnoringCase(clause.substr(pos, 2), "in")) return std::nullopt;
    pos += 2;
    skip();
    if (pos >= clause.size() || clause[pos] != '(') return std::nullopt;
    ++pos;

    std::vector<std::int64_t> ids;
    while (true) {
        skip();
        std::int64_t id = 0;
        const char* first = clause.data() + pos;
        const char* last = clause.data() + clause.size();
        const auto [next, ec] = std::from_chars(first, last, id);
        if (ec != std::errc() || next == first) return std::nullopt;
        ids.push_back(id);
        pos += static_cast<std::size_t>(next - first);
        skip();
        if (pos < clause.size() && clause[pos] == ',') {
            ++pos;
            continue;
        }
        if (pos < clause.size() && clause[pos] == ')') {
            ++pos;
            break;
        }
        return std::nullopt;
    }
    skip();
    if (pos != clause.size()) return std::nullopt;
    return ids;
}

} // namespace corvane::gdal
