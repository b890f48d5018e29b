#pragma once
// Coordinate transformations between pairs of coordinate systems, made once
// per pair through PROJ and reused. A transformation object must not be used
// by two threads at once, so a caller borrows one for as long as it draws a
// layer and gives it back; a second thread drawing the same pair meanwhile
// gets a copy of its own.
//
//   TransformPool pool;
//   auto lent = pool.borrow(layerSrs, mapSrs);
//   if (lent) geometry.transform(lent.get());   // empty: nothing to do
//   // given back when `lent` goes

#include <memory>
#include <mutex>
#include <vector>

#include "gdal/SpatialReference.h"

namespace corvane::gdal {

class TransformPool {
    struct Entry;

public:
    class Lent {
    public:
        Lent() = default;
        Lent(Lent&&) noexcept = default;
        // The one it held goes back to the pool first.
        Lent& operator=(Lent&& other) noexcept;
        Lent(const Lent&) = delete;
        Lent& operator=(const Lent&) = delete;
        ~Lent();

        explicit operator bool() const noexcept { return m_transform != nullptr; }
        [[nodiscard]] OGRCoordinateTransformation* get() const noexcept { return m_transform.get(); }

    private:
        friend class TransformPool;
        void giveBack() noexcept;
        std::shared_ptr<Entry> m_entry;
        std::unique_ptr<OGRCoordinateTransformation> m_transform;
    };

    // Empty when no transformation is needed (same systems, or either
    // unknown) or PROJ has none between them; the failure is remembered so
    // that a layer does not ask again on every redraw.
    Lent borrow(const Srs& from, const Srs& to);

private:
    std::mutex m_mutex;
    std::vector<std::shared_ptr<Entry>> m_entries;
};

} // namespace corvane::gdal
