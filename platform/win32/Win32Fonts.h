#pragma once
// The dialogs' fonts, made once per face, size and style and kept for the
// life of the process (a handful in all). The tables were drawn for a narrow
// bitmap face; where the machine's face of that name is wider, a one-line
// caption is drawn a little smaller (down to 70 %) rather than cut off.
// UI thread only.

#include "ui/Layout.h"

#include <string_view>
#include <windows.h>

namespace corvane::win32 {

// Never null (the system's font when the face cannot be made).
[[nodiscard]] HFONT fontFor(const ui::Font& font);

// The font in which `text` fits `width` pixels on one line, as drawn on `dc`.
[[nodiscard]] HFONT fittedFont(HDC dc, const ui::Font& font, std::wstring_view text, int width);

} // namespace corvane::win32
