#pragma once
// The order of sorted list boxes: the current locale's collation with letter
// case ignored, as the native list box sorts, so "Águas Compridas" stands
// among the A's. A list makes each entry's key once, when the entry is
// added; two keys then compare as plain bytes, with no Unicode work per
// comparison. Texts are UTF-8. Thread-safe (one collator per thread).
//
//   std::string a = listSortKey("Águas Compridas");
//   std::string b = listSortKey("Vila Popular");
//   assert(a < b);                       // byte order is the list's order
//   assert(listSortKey("Main St") == listSortKey("MAIN ST"));

#include <string>
#include <string_view>

namespace corvane::ui {

// Equal keys for texts that differ only in letter case. Never throws for
// any input; ill-formed UTF-8 sorts by its replacement characters.
[[nodiscard]] std::string listSortKey(std::string_view text);

} // namespace corvane::ui
