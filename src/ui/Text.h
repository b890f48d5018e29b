#pragma once
// The runtime's text functions that depend on letter case, done with ICU so
// that they work for every script, not only ASCII. Texts are UTF-8.

#include <string>
#include <string_view>

namespace corvane::ui {

// Locale-aware upper case (UCase).
[[nodiscard]] std::string upperCase(std::string_view text);
// Equality ignoring letter case (layer names, "Shape").
[[nodiscard]] bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Ordering of a sorted list box: ascending, ignoring letter case. <0, 0, >0.
[[nodiscard]] int compareIgnoringCase(std::string_view a, std::string_view b);
// Number of characters (code points), and the first n of them (Left$).
[[nodiscard]] std::size_t characterCount(std::string_view text);
[[nodiscard]] std::string leftCharacters(std::string_view text, std::size_t count);
// Removes leading and trailing blanks (Trim$).
[[nodiscard]] std::string trimBlanks(std::string_view text);

} // namespace corvane::ui
