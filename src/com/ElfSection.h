#pragma once
// Reads one named section out of a 64-bit little-endian ELF file, the form
// in which a Linux server library carries its version information (where a
// Windows DLL has its VERSIONINFO resource).

#include <optional>
#include <string>

namespace corvane::com {

// The section's bytes; nullopt when the file is not such an ELF file or has
// no section of that name.
[[nodiscard]] std::optional<std::string> readElfSection(const std::string& path, const std::string& name);

} // namespace corvane::com
