// Any bytes as an automation script: the reader either gives steps, each
// with a known verb and at most three arguments, or throws
// std::runtime_error naming a line. The names of an open step are pieces
// of its text, never longer than it.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "AutomationScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t named = 0;
    for (const auto& name : corvane::map::splitNames(text)) {
        if (name.empty() && text.find('"') == std::string_view::npos) __builtin_trap();
        named += name.size();
    }
    if (named > size) __builtin_trap();
    try {
        int lastLine = 0;
        for (const auto& step : corvane::map::readScript(text)) {
            if (step.verb.empty() || step.arguments.size() > 3 || step.line <= lastLine) __builtin_trap();
            lastLine = step.line;
        }
    } catch (const std::runtime_error& error) {
        if (std::string_view(error.what()).rfind("line ", 0) != 0) __builtin_trap();
    }
    return 0;
}
