#include "gdal/WhereTerms.h"

#include <cctype>
#include <string_view>

namespace corvane::gdal {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool equalsIgnoringCase(const std::string& a, const char* b)
{
    const std::string_view other(b);
    if (a.size() != other.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(other[i]))) {
            return false;
        }
    }
    return true;
}

} // namespace

namespace {

struct Token {
    enum class Kind { Name, Text, Other };
    Kind kind = Kind::Other;
    std::string text;
};

// Just enough of the dialect to find terms: names, text literals, and
// everything else as single characters or words.
std::vector<Token> tokenize(const std::string& clause)
{
    std::vector<Token> tokens;
    std::size_t pos = 0;
    while (pos < clause.size()) {
        const char c = clause[pos];
        if (isBlank(c)) {
            ++pos;
        } else if (c == '\'' || c == '"') {
            std::string text;
            ++pos;
            while (pos < clause.size()) {
                if (clause[pos] == c) {
                    if (pos + 1 < clause.size() && clause[pos + 1] == c) {
                        text += c;
                        pos += 2;
                        continue;
                    }
                    break;
                }
                text += clause[pos++];
            }
            ++pos;
            tokens.push_back({c == '\'' ? Token::Kind::Text : Token::Kind::Name, text});
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '#' ||
                   static_cast<unsigned char>(c) >= 0x80) {
            std::string word;
            while (pos < clause.size() && !isBlank(clause[pos]) && std::string_view("'\"()=<>!,").find(clause[pos]) ==
                                                                      std::string_view::npos) {
                word += clause[pos++];
            }
            tokens.push_back({Token::Kind::Name, word});
        } else {
            std::string op(1, c);
            ++pos;
            while (pos < clause.size() && std::string_view("=<>!").find(clause[pos]) != std::string_view::npos &&
                   std::string_view("=<>!").find(c) != std::string_view::npos) {
                op += clause[pos++];
            }
            tokens.push_back({Token::Kind::Other, op});
        }
    }
    return tokens;
}

} // namespace

std::vector<std::string> namesIn(const std::string& clause)
{
    std::vector<std::string> names;
    for (auto& token : tokenize(clause)) {
        if (token.kind == Token::Kind::Name) names.push_back(std::move(token.text));
    }
    return names;
}

std::vector<TextEquality> conjoinedTextEqualities(const std::string& clause)
{
    const auto tokens = tokenize(clause);
    std::vector<TextEquality> terms;
    std::vector<Token> term;
    int depth = 0;
    auto finishTerm = [&] {
        if (term.size() == 3 && term[0].kind == Token::Kind::Name && term[1].kind == Token::Kind::Other &&
            term[1].text == "=" && term[2].kind == Token::Kind::Text) {
            terms.push_back({term[0].text, term[2].text});
        }
        term.clear();
    };
    for (const Token& token : tokens) {
        if (token.kind == Token::Kind::Other && token.text == "(") ++depth;
        if (token.kind == Token::Kind::Other && token.text == ")") --depth;
        if (depth == 0 && token.kind == Token::Kind::Name) {
            if (equalsIgnoringCase(token.text, "OR") || equalsIgnoringCase(token.text, "NOT")) return {};
            if (equalsIgnoringCase(token.text, "AND")) {
                finishTerm();
                continue;
            }
        }
        term.push_back(token);
    }
    finishTerm();
    return terms;
}

} // namespace corvane::gdal
