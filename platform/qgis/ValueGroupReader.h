#pragma once
// Reads the rows of a grouping query on a thread of its own, so the database
// groups the next values while the caller hands out the rows of the groups
// already read: a whole-table read then costs about the longer of the two
// instead of their sum. Made, read and destroyed on one thread (the UI
// thread); the feature source is a snapshot of the grouping layer that QGIS
// lets other threads read, the way its map renderer reads layers.
//
//   ValueGroupReader reader(std::make_unique<QgsVectorLayerFeatureSource>(grouping), request);
//   while (std::optional<ValueGroup> group = reader.next()) { ... }
//
// A query that fails, at its start or part way, simply ends: next() gives
// nothing more.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <qgsfeaturerequest.h>
#include <qgsfeaturesource.h>

#include "qgis/ValueGroup.h"

namespace corvane::qgis {

class ValueGroupReader {
public:
    // The reader stays at most about `mostAhead` groups ahead of the
    // caller: a column of a million different values is not held in memory
    // all at once.
    static constexpr std::size_t kMostAhead = 65536;

    ValueGroupReader(std::unique_ptr<QgsAbstractFeatureSource> source, const QgsFeatureRequest& request,
                     std::size_t mostAhead = kMostAhead);
    // Stops the reading thread and waits for it.
    ~ValueGroupReader();
    ValueGroupReader(const ValueGroupReader&) = delete;
    ValueGroupReader& operator=(const ValueGroupReader&) = delete;

    // The next group, waiting for the database when none is read yet;
    // nothing after the last.
    std::optional<ValueGroup> next();

private:
    void read(const QgsFeatureRequest& request);
    // Hands the groups read so far to the caller's side; false when the
    // caller has gone.
    bool deliver(std::deque<ValueGroup>& batch);

    std::unique_ptr<QgsAbstractFeatureSource> m_source;
    const std::size_t m_mostAhead;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ValueGroup> m_ready;  // read, not yet taken
    bool m_finished = false;         // no more will come
    // Also read between deliveries, without the lock: a stale value merely
    // delays a delivery to the next full batch.
    std::atomic<bool> m_stopping = false;  // the caller has gone
    std::atomic<bool> m_waiting = false;   // the caller waits for groups
    std::deque<ValueGroup> m_taken;  // the caller's own, taken in one go
    std::thread m_thread;
};

} // namespace corvane::qgis
