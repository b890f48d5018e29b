#include "memory/TextDictionary.h"

namespace corvane::memory {

std::uint32_t TextDictionary::intern(std::string_view text)
{
    if (auto found = m_codes.find(text); found != m_codes.end()) return found->second;
    const auto code = static_cast<std::uint32_t>(m_texts.size());
    const std::string& stored = m_texts.emplace_back(text);
    m_codes.emplace(std::string_view(stored), code);
    return code;
}

std::optional<std::uint32_t> TextDictionary::find(std::string_view text) const
{
    if (auto found = m_codes.find(text); found != m_codes.end()) return found->second;
    return std::nullopt;
}

} // namespace corvane::memory
