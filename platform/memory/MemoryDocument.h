#pragma once
// A memory map document: its maps, the focus map, and whether the data view
// or the page layout is the active view.

#include <memory>
#include <vector>

#include "host/Application.h"
#include "memory/MemoryMap.h"

namespace corvane::memory {

class MemoryDocument final : public host::IMxDocument {
public:
    // Starts with one map, named "Layers", in focus and the data view active.
    explicit MemoryDocument(ContextPtr context);

    // The focus map; throws std::logic_error when the document has none.
    [[nodiscard]] MemoryMap& map() const;
    MemoryMap& addMap(const std::string& name);
    // nullptr: the document has no focus map (FocusMap is empty).
    void setFocusMap(MemoryMap* map);
    void showDataView() noexcept { m_layoutShown = false; }
    void showLayout() noexcept { m_layoutShown = true; }
    [[nodiscard]] bool layoutShown() const noexcept { return m_layoutShown; }
    [[nodiscard]] MemoryPageLayout& pageLayout() const noexcept { return *m_layout; }

    host::Ref<host::IMap> FocusMap() override;
    host::Ref<host::IActiveView> ActiveView() override;

private:
    ContextPtr m_context;
    std::vector<std::shared_ptr<MemoryMap>> m_maps;
    std::shared_ptr<MemoryMap> m_focus;
    std::shared_ptr<MemoryPageLayout> m_layout;
    bool m_layoutShown = false;
};

} // namespace corvane::memory
