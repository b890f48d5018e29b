#pragma once
// Each distinct text of a column stored once; rows hold 32-bit codes. Keeps a
// million rows of street names small, and lets a where clause compare codes.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace corvane::memory {

class TextDictionary {
public:
    std::uint32_t intern(std::string_view text);
    [[nodiscard]] std::optional<std::uint32_t> find(std::string_view text) const;
    [[nodiscard]] const std::string& text(std::uint32_t code) const { return m_texts[code]; }
    [[nodiscard]] std::size_t size() const noexcept { return m_texts.size(); }

private:
    std::deque<std::string> m_texts; // a deque never moves its elements: the map's keys stay valid
    std::unordered_map<std::string_view, std::uint32_t> m_codes;
};

} // namespace corvane::memory
