#pragma once
// The pictures drawn with QPainter. Fonts are named explicitly so that the
// same machine always makes the same files.

#include <QImage>

namespace corvane::assets {

inline constexpr const char* kFontFamily = "DejaVu Sans";

[[nodiscard]] QImage logoPicture();                      // 120 x 50
[[nodiscard]] QImage buttonFace(bool pressed);           // 112 x 18
[[nodiscard]] QImage gradientFace(bool pressed);         // 337 x 55, pressed 336 x 55
[[nodiscard]] QImage handCursorPicture();                // 32 x 32, transparent
[[nodiscard]] QImage helpPicture();                      // 733 x 533

} // namespace corvane::assets
