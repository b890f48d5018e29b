#include "memory/Journal.h"

#include "host/Variant.h"

namespace corvane::memory {

namespace {

// Long object-ID lists would make the readable line useless; the record keeps the whole clause.
constexpr std::size_t kLineClauseLimit = 200;

std::string boxText(const Box& box)
{
    return host::formatNumber(box.xmin) + "," + host::formatNumber(box.ymin) + "," + host::formatNumber(box.xmax) +
           "," + host::formatNumber(box.ymax);
}

} // namespace

void Journal::record(SearchRecord entry)
{
    std::string line = entry.call + " " + entry.source + " ";
    if (!entry.hasFilter) {
        line += "(no filter)";
    } else if (entry.whereClause.size() > kLineClauseLimit) {
        line += "[" + entry.whereClause.substr(0, kLineClauseLimit) + "...]";
    } else {
        line += "[" + entry.whereClause + "]";
    }
    line += entry.recycling ? " recycling" : " not recycling";
    m_lines.push_back(std::move(line));
    m_searches.push_back(std::move(entry));
}

void Journal::record(ViewRecord entry)
{
    if (entry.action == ViewAction::SetExtent) {
        m_lines.push_back(entry.view + " Extent= " + boxText(entry.extent));
    } else {
        m_lines.push_back(entry.view + " Refresh");
    }
    m_views.push_back(std::move(entry));
}

void Journal::record(FrameRecord entry)
{
    m_lines.push_back("Frame " + std::to_string(entry.frame) + " " + entry.call + " " + entry.detail);
    m_frames.push_back(std::move(entry));
}

void Journal::clear()
{
    m_searches.clear();
    m_views.clear();
    m_frames.clear();
    m_lines.clear();
}

} // namespace corvane::memory
