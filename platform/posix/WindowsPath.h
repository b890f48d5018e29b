#pragma once
// A Windows full path ("C:\Program Files\X\config") taken apart: drive
// letter and folder names. Either separator is accepted; "." and ".." are
// resolved here, and ".." never climbs above the drive's root, so no path
// can reach outside the folder its drive is mapped to.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::posix {

struct WindowsPath {
    char drive = 'C'; // upper case
    std::vector<std::string> components;
    bool trailingSeparator = false; // "...\folder\"
};

// Empty when the text is no full path: no drive letter and colon, a UNC
// path, or a name with a character Windows forbids (< > : " | ? * or a
// control character).
[[nodiscard]] std::optional<WindowsPath> parseWindowsPath(std::string_view text);

} // namespace corvane::posix
