#pragma once
// UTF-8 (the system's strings) to and from UTF-16 (the Win32 API's). Shared
// by the windowing layer and the file system on Windows; any thread.

#include <string>
#include <string_view>

namespace corvane::win32 {

[[nodiscard]] std::wstring widen(std::string_view text);
[[nodiscard]] std::string narrow(std::wstring_view text);

} // namespace corvane::win32
