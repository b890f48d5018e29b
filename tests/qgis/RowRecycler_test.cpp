#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "qgis/RowRecycler.h"

namespace corvane::qgis {
namespace {

struct CountedRow {
    explicit CountedRow(int& counter) : alive(counter) { ++alive; }
    ~CountedRow() { --alive; }
    CountedRow(const CountedRow&) = delete;
    CountedRow& operator=(const CountedRow&) = delete;
    int& alive;
    int value = 0;
};

TEST(RowRecycler, ReusesOnlyRowsNobodyHoldsAndFreesThemAllWhenTheLastOwnerGoes)
{
    int alive = 0;
    std::shared_ptr<CountedRow> survivor;
    {
        auto recycler = RowRecycler<CountedRow>::Holder::make();
        const auto next = [&] {
            CountedRow* row = recycler->take();
            return recycler->own(row != nullptr ? row : new CountedRow(alive));
        };
        std::shared_ptr<CountedRow> first = next();
        first->value = 1;
        CountedRow* const firstObject = first.get();
        first.reset();
        std::shared_ptr<CountedRow> second = next();
        EXPECT_EQ(second.get(), firstObject);  // released, so taken again
        EXPECT_EQ(alive, 1);

        // A row shared with another owner is not handed out while either holds it.
        std::shared_ptr<CountedRow> copy = second;
        second.reset();
        std::shared_ptr<CountedRow> third = next();
        EXPECT_NE(third.get(), copy.get());
        EXPECT_EQ(alive, 2);
        copy.reset();
        survivor = std::move(third);
    }
    // The holder is gone; the row still held keeps the recycler, and its
    // release frees everything.
    EXPECT_EQ(alive, 2);
    survivor->value = 7;
    survivor.reset();
    EXPECT_EQ(alive, 0);
}

} // namespace
} // namespace corvane::qgis
