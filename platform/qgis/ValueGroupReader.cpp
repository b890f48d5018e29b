#include "qgis/ValueGroupReader.h"

#include <utility>

#include <qgsfeature.h>
#include <qgsfeatureiterator.h>

namespace corvane::qgis {

namespace {

// Groups handed over at once while the caller is busy, and while it waits:
// waking it for each group would cost more than the group takes to hand out.
constexpr std::size_t kBatch = 256;
constexpr std::size_t kBatchAwaited = 32;

} // namespace

ValueGroupReader::ValueGroupReader(std::unique_ptr<QgsAbstractFeatureSource> source, const QgsFeatureRequest& request,
                                   std::size_t mostAhead)
    : m_source(std::move(source)), m_mostAhead(mostAhead)
{
    m_thread = std::thread([this, request] { read(request); });
}

ValueGroupReader::~ValueGroupReader()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

std::optional<ValueGroup> ValueGroupReader::next()
{
    if (m_taken.empty()) {
        std::unique_lock lock(m_mutex);
        m_waiting = true;
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished; });
        m_waiting = false;
        m_taken.swap(m_ready);
        lock.unlock();
        // The reader may be waiting for room.
        m_changed.notify_all();
        if (m_taken.empty()) return std::nullopt;
    }
    ValueGroup group = std::move(m_taken.front());
    m_taken.pop_front();
    return group;
}

bool ValueGroupReader::deliver(std::deque<ValueGroup>& batch)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopping || m_ready.size() < m_mostAhead; });
    if (m_stopping) return false;
    for (ValueGroup& group : batch) m_ready.push_back(std::move(group));
    batch.clear();
    const bool wake = m_waiting;
    lock.unlock();
    if (wake) m_changed.notify_all();
    return true;
}

void ValueGroupReader::read(const QgsFeatureRequest& request)
{
    std::deque<ValueGroup> batch;
    try {
        QgsFeatureIterator rows = m_source->getFeatures(request);
        QgsFeature row;
        bool open = true;
        while (open && rows.nextFeature(row)) {
            batch.push_back(ValueGroup{row.attribute(0), row.attribute(1).toLongLong()});
            const std::size_t enough =
                m_waiting.load(std::memory_order_relaxed) ? kBatchAwaited : kBatch;
            if (batch.size() >= enough || m_stopping.load(std::memory_order_relaxed)) open = deliver(batch);
        }
        rows.close();
        if (open) deliver(batch);
    } catch (...) {
        // A failed read ends the groups like a finished one: the caller's
        // rows stop there.
    }
    {
        const std::lock_guard lock(m_mutex);
        m_finished = true;
    }
    m_changed.notify_all();
}

} // namespace corvane::qgis
