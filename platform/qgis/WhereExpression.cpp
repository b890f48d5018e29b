#include "qgis/WhereExpression.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <vector>

#include <qgsexpression.h>
#include <qgsexpressioncontextutils.h>
#include <qgsfeaturerequest.h>
#include <qgsvectorlayer.h>
#include <strings.h>

#include "host/HostError.h"

namespace corvane::qgis {

namespace {

enum class TokenKind { Name, QuotedName, Text, Date, Number, Symbol };

struct Token {
    TokenKind kind;
    std::string text;  // names and literals unquoted, dates between the # signs
};

[[noreturn]] void rejectClause(const std::string& why, const std::string& clause)
{
    host::raiseError(host::errors::kHostCallFailed, why + " in where clause: " + clause);
}

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_'; }
bool isNamePart(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Text between `quote`s starting at pos (on the opening quote), doubled quotes kept as one.
std::string quoted(const std::string& clause, std::size_t& pos, char quote)
{
    std::string text;
    for (++pos; pos < clause.size(); ++pos) {
        if (clause[pos] != quote) {
            text += clause[pos];
            continue;
        }
        if (pos + 1 < clause.size() && clause[pos + 1] == quote) {
            text += quote;
            ++pos;
            continue;
        }
        ++pos;
        return text;
    }
    rejectClause("Unterminated literal", clause);
}

std::vector<Token> tokenize(const std::string& clause)
{
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < clause.size()) {
        const char c = clause[pos];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else if (c == '\'') {
            tokens.push_back({TokenKind::Text, quoted(clause, pos, '\'')});
        } else if (c == '"') {
            tokens.push_back({TokenKind::QuotedName, quoted(clause, pos, '"')});
        } else if (c == '#') {
            const std::size_t end = clause.find('#', pos + 1);
            if (end == std::string::npos) rejectClause("Unterminated date literal", clause);
            tokens.push_back({TokenKind::Date, clause.substr(pos + 1, end - pos - 1)});
            pos = end + 1;
        } else if (isNameStart(c)) {
            const std::size_t start = pos;
            while (pos < clause.size() && isNamePart(clause[pos])) ++pos;
            tokens.push_back({TokenKind::Name, clause.substr(start, pos - start)});
        } else if (isDigit(c) || (c == '.' && pos + 1 < clause.size() && isDigit(clause[pos + 1]))) {
            const std::size_t start = pos;
            while (pos < clause.size() && (isDigit(clause[pos]) || clause[pos] == '.')) ++pos;
            if (pos < clause.size() && (clause[pos] == 'e' || clause[pos] == 'E')) {
                ++pos;
                if (pos < clause.size() && (clause[pos] == '+' || clause[pos] == '-')) ++pos;
                while (pos < clause.size() && isDigit(clause[pos])) ++pos;
            }
            if (pos < clause.size() && isNamePart(clause[pos])) rejectClause("Invalid number", clause);
            tokens.push_back({TokenKind::Number, clause.substr(start, pos - start)});
        } else {
            static const char* const kSymbols[] = {"<>", "<=", ">=", "!=", "=", "<", ">", "(", ")", ",", "+", "-", "*", "/"};
            bool matched = false;
            for (const char* symbol : kSymbols) {
                const std::string s(symbol);
                if (clause.compare(pos, s.size(), s) == 0) {
                    tokens.push_back({TokenKind::Symbol, s});
                    pos += s.size();
                    matched = true;
                    break;
                }
            }
            if (!matched) rejectClause(std::string("Unexpected character '") + c + "'", clause);
        }
    }
    return tokens;
}

bool sameWord(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

bool isKeyword(const std::string& word)
{
    for (const char* keyword : {"AND", "OR", "NOT", "IN", "IS", "NULL", "LIKE", "ILIKE", "TRUE", "FALSE"})
        if (sameWord(word, keyword)) return true;
    return false;
}

bool readInt(const std::string& text, int& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

QString dateCall(const std::string& literal, const std::string& clause, bool wantDateTime)
{
    // M/D/YYYY [h:mm[:ss] [AM|PM]]
    std::string date = literal;
    while (!date.empty() && date.front() == ' ') date.erase(date.begin());
    while (!date.empty() && date.back() == ' ') date.pop_back();
    const std::size_t blank = date.find(' ');
    const std::string day = date.substr(0, blank);
    std::string time = blank == std::string::npos ? std::string() : date.substr(blank + 1);

    const std::size_t slash1 = day.find('/');
    const std::size_t slash2 = slash1 == std::string::npos ? slash1 : day.find('/', slash1 + 1);
    int m = 0, d = 0, y = 0;
    if (slash2 == std::string::npos || !readInt(day.substr(0, slash1), m) ||
        !readInt(day.substr(slash1 + 1, slash2 - slash1 - 1), d) || !readInt(day.substr(slash2 + 1), y) ||
        !QDate(y, m, d).isValid() || y < 100) {
        rejectClause("Invalid date literal #" + literal + "#", clause);
    }

    int h = 0, min = 0, s = 0;
    if (!time.empty()) {
        std::string meridiem;
        if (const std::size_t space = time.find(' '); space != std::string::npos) {
            meridiem = time.substr(space + 1);
            time = time.substr(0, space);
            while (!meridiem.empty() && meridiem.front() == ' ') meridiem.erase(meridiem.begin());
        }
        const std::size_t colon1 = time.find(':');
        const std::size_t colon2 = colon1 == std::string::npos ? colon1 : time.find(':', colon1 + 1);
        const bool parsed = colon1 != std::string::npos && readInt(time.substr(0, colon1), h) &&
                            readInt(time.substr(colon1 + 1, colon2 == std::string::npos ? std::string::npos
                                                                                         : colon2 - colon1 - 1),
                                    min) &&
                            (colon2 == std::string::npos || readInt(time.substr(colon2 + 1), s));
        bool valid = parsed;
        if (valid && !meridiem.empty()) {
            const bool pm = sameWord(meridiem, "PM");
            valid = (pm || sameWord(meridiem, "AM")) && h >= 1 && h <= 12;
            h = h % 12 + (pm ? 12 : 0);
        }
        if (!valid || !QTime(h, min, s).isValid()) rejectClause("Invalid date literal #" + literal + "#", clause);
        wantDateTime = true;
    }
    if (wantDateTime)
        return QStringLiteral("make_datetime(%1,%2,%3,%4,%5,%6)").arg(y).arg(m).arg(d).arg(h).arg(min).arg(s);
    return QStringLiteral("make_date(%1,%2,%3)").arg(y).arg(m).arg(d);
}

bool isObjectIdName(const Token& token, const QgisSchema& schema)
{
    return (token.kind == TokenKind::Name || token.kind == TokenKind::QuotedName) &&
           strcasecmp(token.text.c_str(), schema.oidFieldName.c_str()) == 0;
}

std::optional<std::vector<QgsFeatureId>> objectIdList(const std::vector<Token>& tokens, const QgisSchema& schema)
{
    if (tokens.size() < 5 || !isObjectIdName(tokens[0], schema)) return std::nullopt;
    if (tokens[1].kind != TokenKind::Name || !sameWord(tokens[1].text, "IN")) return std::nullopt;
    if (tokens[2].text != "(" || tokens.back().text != ")") return std::nullopt;
    std::vector<QgsFeatureId> ids;
    QgsFeatureIds seen;
    for (std::size_t i = 3; i + 1 < tokens.size(); i += 2) {
        std::int64_t id = 0;
        const std::string& text = tokens[i].text;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
        if (tokens[i].kind != TokenKind::Number || ec != std::errc() || end != text.data() + text.size())
            return std::nullopt;
        if (!seen.contains(id)) {
            seen.insert(id);
            ids.push_back(id);
        }
        const std::string& after = tokens[i + 1].text;
        if (tokens[i + 1].kind != TokenKind::Symbol || (after != "," && after != ")")) return std::nullopt;
        if (after == ")" && i + 2 != tokens.size()) return std::nullopt;
    }
    return ids;
}

} // namespace

QgisWhere translateWhereClause(const std::string& clause, const QgisSchema& schema)
{
    const std::vector<Token> tokens = tokenize(clause);
    QgisWhere where;
    if (tokens.empty()) return where;
    if ((where.ids = objectIdList(tokens, schema))) return where;

    QStringList parts;
    bool lastFieldIsDateTime = false;
    for (const Token& token : tokens) {
        switch (token.kind) {
        case TokenKind::Name:
            if (isKeyword(token.text)) {
                parts << QString::fromStdString(token.text).toUpper();
                break;
            }
            [[fallthrough]];
        case TokenKind::QuotedName: {
            if (schema.oidIsStandIn && isObjectIdName(token, schema)) {
                parts << QStringLiteral("$id");
                lastFieldIsDateTime = false;
                break;
            }
            const std::int32_t index = schema.findField(token.text);
            const QgisFieldInfo* info = index >= 0 ? &schema.field(index) : nullptr;
            parts << QgsExpression::quotedColumnRef(QString::fromStdString(info != nullptr ? info->name : token.text));
            // A date compared with a date-and-time field must be one too, or QGIS compares them as text.
            lastFieldIsDateTime = info != nullptr && info->holdsTime;
            break;
        }
        case TokenKind::Text: parts << QgsExpression::quotedString(QString::fromStdString(token.text)); break;
        case TokenKind::Date: parts << dateCall(token.text, clause, lastFieldIsDateTime); break;
        case TokenKind::Number:
        case TokenKind::Symbol: parts << QString::fromStdString(token.text); break;
        }
    }
    where.expression = parts.join(QLatin1Char(' '));
    return where;
}

QgsFeatureRequest featureRequest(const QgisWhere& where, QgsVectorLayer& layer)
{
    QgsFeatureRequest request;
    if (where.ids) {
        QgsFeatureIds ids;
        for (const QgsFeatureId id : *where.ids) ids.insert(id);
        return request.setFilterFids(ids);
    }
    if (where.expression.isEmpty()) return request;

    QgsExpression expression(where.expression);
    if (expression.hasParserError())
        host::raiseError(host::errors::kHostCallFailed, expression.parserErrorString().toStdString());
    QgsExpressionContext context(QgsExpressionContextUtils::globalProjectLayerScopes(&layer));
    if (!expression.prepare(&context) || expression.hasEvalError())
        host::raiseError(host::errors::kHostCallFailed, expression.evalErrorString().toStdString());
    request.setFilterExpression(where.expression);
    request.setExpressionContext(context);
    return request;
}

} // namespace corvane::qgis
