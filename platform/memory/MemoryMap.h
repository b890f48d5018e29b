#pragma once
// A memory map: its top-level layers, and its own view (the data view, and
// the map frame inside a page layout), with an extent and a refresh count.

#include <memory>
#include <string>

#include "host/Application.h"
#include "memory/MemoryLayers.h"

namespace corvane::memory {

class MemoryMap final : public host::IMap,
                        public host::IActiveView,
                        public LayerContainer,
                        public std::enable_shared_from_this<MemoryMap> {
public:
    MemoryMap(ContextPtr context, std::string name)
        : LayerContainer(context), m_context(std::move(context)), m_name(std::move(name))
    {
    }

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }

    [[nodiscard]] const Box& extent() const noexcept { return m_extent; }
    void setExtent(const Box& extent) noexcept { m_extent = extent; }
    [[nodiscard]] int refreshCount() const noexcept { return m_refreshes; }
    [[nodiscard]] host::Ref<host::IMap> ref() { return host::Ref<host::IMap>(shared_from_this()); }

    std::int32_t LayerCount() override;
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

    host::Ref<host::IMap> FocusMap() override;
    host::Ref<host::IEnvelope> Extent() override;
    void Extent(const host::Ref<host::IEnvelope>& extent) override;
    void Refresh() override;

private:
    ContextPtr m_context;
    std::string m_name;
    Box m_extent{0.0, 0.0, 1000.0, 1000.0};
    int m_refreshes = 0;
};

// The page layout view: its own page extent; its focus map is the document's.
class MemoryPageLayout final : public host::IActiveView, public host::IPageLayout {
public:
    explicit MemoryPageLayout(ContextPtr context) : m_context(std::move(context)) {}

    void setFocusMap(std::shared_ptr<MemoryMap> map) { m_map = std::move(map); }
    [[nodiscard]] const Box& extent() const noexcept { return m_extent; }
    [[nodiscard]] int refreshCount() const noexcept { return m_refreshes; }

    host::Ref<host::IMap> FocusMap() override;
    host::Ref<host::IEnvelope> Extent() override;
    void Extent(const host::Ref<host::IEnvelope>& extent) override;
    void Refresh() override;

private:
    ContextPtr m_context;
    std::shared_ptr<MemoryMap> m_map;
    Box m_extent{0.0, 0.0, 8.5, 11.0};
    int m_refreshes = 0;
};

} // namespace corvane::memory
