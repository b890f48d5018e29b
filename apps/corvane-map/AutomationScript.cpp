#include "AutomationScript.h"

#include <algorithm>
#include <stdexcept>

namespace corvane::map {

namespace {

struct Verb {
    const char* name;
    int fixedArguments;  // words before the rest of the line
    bool restRequired;
};

// The last argument of a step is the rest of the line, blanks included.
constexpr Verb kVerbs[] = {
    {"open", 0, true},         {"view", 0, true},     {"full-extent", 0, false}, {"press", 0, true},
    {"type", 2, false},        {"click", 1, false},   {"close", 0, true},        {"select", 2, true},
    {"screenshot", 0, true},   {"screenshot-dialog", 1, true}, {"screenshot-screen", 0, true},
    {"extent", 0, false},
};

const Verb* findVerb(std::string_view name)
{
    for (const Verb& v : kVerbs)
        if (name == v.name) return &v;
    return nullptr;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    return text;
}

[[noreturn]] void badLine(int line, const std::string& why)
{
    throw std::runtime_error("line " + std::to_string(line) + ": " + why);
}

ScriptStep readStep(int lineNumber, std::string_view line)
{
    ScriptStep step;
    step.line = lineNumber;
    const std::size_t space = line.find(' ');
    step.verb = std::string(line.substr(0, space));
    std::string_view rest = space == std::string_view::npos ? std::string_view() : trimmed(line.substr(space + 1));
    const Verb* verb = findVerb(step.verb);
    if (verb == nullptr) badLine(lineNumber, "unknown step " + step.verb);
    for (int a = 0; a < verb->fixedArguments; ++a) {
        const std::size_t end = rest.find(' ');
        if (end == std::string_view::npos && (verb->restRequired || a + 1 < verb->fixedArguments)) {
            rest = {};
            break;
        }
        step.arguments.emplace_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    if (static_cast<int>(step.arguments.size()) < verb->fixedArguments || (verb->restRequired && rest.empty()))
        badLine(lineNumber, step.verb + " needs more arguments");
    if (!rest.empty() || step.verb == "type") step.arguments.emplace_back(rest);
    return step;
}

} // namespace

std::vector<ScriptStep> readScript(std::string_view text)
{
    std::vector<ScriptStep> steps;
    int lineNumber = 0;
    while (true) {
        const std::size_t end = text.find('\n');
        std::string line(text.substr(0, end));
        ++lineNumber;
        std::erase(line, '\r');
        const std::string_view content = trimmed(line);
        if (!content.empty() && content.front() != '#') steps.push_back(readStep(lineNumber, content));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return steps;
}

std::vector<std::string> splitNames(std::string_view text)
{
    std::vector<std::string> names;
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && isSpace(text[at])) ++at;
        if (at == text.size()) return names;
        std::size_t end = 0;
        if (text[at] == '"') {
            ++at;
            end = std::min(text.find('"', at), text.size());
            names.emplace_back(text.substr(at, end - at));
            at = std::min(end + 1, text.size());
        } else {
            end = at;
            while (end < text.size() && !isSpace(text[end])) ++end;
            names.emplace_back(text.substr(at, end - at));
            at = end;
        }
    }
}

} // namespace corvane::map
