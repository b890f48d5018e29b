#pragma once
// What the system did to the memory host, for tests to read back: every
// Search with its filter, every view extent set and refresh, every frame
// call. Reads are not recorded, except through the call count of the
// FaultInjector.

#include <cstdint>
#include <string>
#include <vector>

#include "memory/Box.h"

namespace corvane::memory {

struct SearchRecord {
    std::string call;        // "ITable.Search" or "IFeatureLayer.Search"
    std::string source;      // the table's or the layer's name
    bool hasFilter = false;  // false: an empty filter reference
    std::string whereClause; // the filter's clause as given
    bool recycling = false;
};

enum class ViewAction { SetExtent, Refresh };

struct ViewRecord {
    std::string view; // "Map <name>" or "PageLayout"
    ViewAction action = ViewAction::Refresh;
    Box extent;       // the extent set (SetExtent only)
};

struct FrameRecord {
    std::int32_t frame = 0; // 1 for the first frame created, 2 for the next...
    std::string call;       // "Create", "Caption", "Visible", "Move"
    std::string detail;     // the handle, the caption, "True"/"False", "left,top,width,height"
};

class Journal {
public:
    void record(SearchRecord entry);
    void record(ViewRecord entry);
    void record(FrameRecord entry);

    [[nodiscard]] const std::vector<SearchRecord>& searches() const noexcept { return m_searches; }
    [[nodiscard]] const std::vector<ViewRecord>& views() const noexcept { return m_views; }
    [[nodiscard]] const std::vector<FrameRecord>& frames() const noexcept { return m_frames; }
    // All of the above in the order they happened, one readable line each.
    [[nodiscard]] const std::vector<std::string>& lines() const noexcept { return m_lines; }

    void clear();

private:
    std::vector<SearchRecord> m_searches;
    std::vector<ViewRecord> m_views;
    std::vector<FrameRecord> m_frames;
    std::vector<std::string> m_lines;
};

} // namespace corvane::memory
