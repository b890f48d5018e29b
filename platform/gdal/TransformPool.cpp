#include "gdal/TransformPool.h"

#include "gdal/CplErrors.h"

namespace corvane::gdal {

struct TransformPool::Entry {
    Srs from;
    Srs to;
    bool none = false;  // same systems, or PROJ has no way between them
    std::mutex mutex;
    std::vector<std::unique_ptr<OGRCoordinateTransformation>> idle;
};

TransformPool::Lent::~Lent() { giveBack(); }

TransformPool::Lent& TransformPool::Lent::operator=(Lent&& other) noexcept
{
    if (this != &other) {
        giveBack();
        m_entry = std::move(other.m_entry);
        m_transform = std::move(other.m_transform);
    }
    return *this;
}

void TransformPool::Lent::giveBack() noexcept
{
    if (!m_entry || !m_transform) return;
    try {
        const std::lock_guard lock(m_entry->mutex);
        m_entry->idle.push_back(std::move(m_transform));
    } catch (...) {
        m_transform.reset();  // no room to keep it: make a new one next time
    }
    m_entry.reset();
}

TransformPool::Lent TransformPool::borrow(const Srs& from, const Srs& to)
{
    if (!from || !to) return {};
    std::shared_ptr<Entry> entry;
    {
        const std::lock_guard lock(m_mutex);
        for (const auto& e : m_entries) {
            if (e->from == from && e->to == to) entry = e;
        }
        if (!entry) {
            entry = std::make_shared<Entry>();
            entry->from = from;
            entry->to = to;
            entry->none = sameSrs(from, to);
            m_entries.push_back(entry);
        }
    }
    Lent lent;
    const std::lock_guard lock(entry->mutex);
    if (entry->none) return lent;
    if (!entry->idle.empty()) {
        lent.m_transform = std::move(entry->idle.back());
        entry->idle.pop_back();
    } else {
        ScopedCplErrors quiet;
        lent.m_transform.reset(OGRCreateCoordinateTransformation(from.get(), to.get()));
        if (!lent.m_transform) {
            entry->none = true;
            return lent;
        }
    }
    lent.m_entry = std::move(entry);
    return lent;
}

} // namespace corvane::gdal
