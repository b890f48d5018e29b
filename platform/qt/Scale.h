#pragma once
// Twips (1/1440 inch) to pixels at the screen's factor, rounded the way the
// designer rounds: to the nearest pixel.

#include <QRect>

#include "ui/Layout.h"

namespace corvane::qt {

[[nodiscard]] inline int toPixels(int twips, int twipsPerPixel)
{
    if (twipsPerPixel <= 0) return twips;
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((-twips + half) / twipsPerPixel);
}

[[nodiscard]] inline QRect toPixels(const ui::ControlSpec& spec, int twipsPerPixel)
{
    return {toPixels(spec.left, twipsPerPixel), toPixels(spec.top, twipsPerPixel),
            toPixels(spec.width, twipsPerPixel), toPixels(spec.height, twipsPerPixel)};
}

// 1440 / logical dots per inch of the primary screen; 15 at 96 dpi.
[[nodiscard]] int screenTwipsPerPixel();

} // namespace corvane::qt
