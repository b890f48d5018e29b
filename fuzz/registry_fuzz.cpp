// Any bytes as the registry file: the reader either gives a registry or
// throws std::runtime_error naming a line, and whatever it read answers
// look-ups of every key it holds.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "com/Registry.h"

namespace {

void walk(const corvane::com::Registry& registry, const std::string& key, int depth)
{
    if (depth > 64) return;
    if (!registry.keyExists(key)) __builtin_trap();
    (void)registry.value(key);
    for (const std::string& below : registry.subkeys(key)) walk(registry, key + "\\" + below, depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto registry = corvane::com::Registry::fromText("fuzz.reg", text);
        if (registry.keyExists(corvane::com::kClassesRoot)) walk(registry, corvane::com::kClassesRoot, 0);
    } catch (const std::runtime_error& error) {
        if (std::string_view(error.what()).rfind("fuzz.reg:", 0) != 0) __builtin_trap();
    }
    return 0;
}
