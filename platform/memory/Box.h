#pragma once
// A plain axis-aligned rectangle in map units: the shape of every memory
// feature, and the value behind memory envelopes and view extents.

#include <cmath>
#include <limits>

namespace corvane::memory {

struct Box {
    double xmin = 0.0, ymin = 0.0, xmax = 0.0, ymax = 0.0;

    [[nodiscard]] double width() const noexcept { return xmax - xmin; }
    [[nodiscard]] double height() const noexcept { return ymax - ymin; }
    [[nodiscard]] double centerX() const noexcept { return (xmin + xmax) / 2.0; }
    [[nodiscard]] double centerY() const noexcept { return (ymin + ymax) / 2.0; }
    friend bool operator==(const Box&, const Box&) = default;
};

// The shape of a feature whose geometry is Null.
inline constexpr Box kNoShape{std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0, 0.0};

[[nodiscard]] inline bool isNoShape(const Box& box) noexcept { return std::isnan(box.xmin); }

[[nodiscard]] inline Box envelope(double xmin, double ymin, double xmax, double ymax) noexcept
{
    return Box{xmin, ymin, xmax, ymax};
}

} // namespace corvane::memory
