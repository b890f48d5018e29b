#pragma once
// The text of an automation script, read into steps without Qt, so that the
// reader can be fuzzed and tested on its own. Automation.h describes the
// steps; the map host's automation mode (on the UI thread) is the caller.
//
//   for (const ScriptStep& step : readScript("open town.gpkg\nextent\n"))
//       std::cout << step.line << ' ' << step.verb << '\n';

#include <string>
#include <string_view>
#include <vector>

namespace corvane::map {

struct ScriptStep {
    int line = 0;
    std::string verb;
    std::vector<std::string> arguments;  // the last one is the rest of the line
};

// The steps of `text` (UTF-8), comments and blank lines left out. Throws
// std::runtime_error naming the line of an unknown step or of a step that
// lacks arguments. An empty result means a script with nothing to do.
[[nodiscard]] std::vector<ScriptStep> readScript(std::string_view text);

// The names of an `open` step: words between blanks, where a name in double
// quotes keeps its blanks (a folder with a blank, a PG: connection string).
// An unclosed quote runs to the end of the text.
[[nodiscard]] std::vector<std::string> splitNames(std::string_view text);

} // namespace corvane::map
