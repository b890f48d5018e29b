#pragma once
// A map of layers from GIS files, which is also its own data view (as the
// host's focus map is), and the page layout that shows it. The map
// application listens for extent changes and refreshes to redraw.
// The map has one coordinate system: the one its user chose, else that of
// its first layer that has one. Extents are in it; an envelope of another
// system set as the extent is projected into it first, as the box on the
// ground that holds the envelope.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gdal/GdalGeometry.h"
#include "gdal/HandedOutFeature.h"
#include "host/Application.h"

namespace corvane::gdal {

// Who listens to a view: called on the UI thread after the change.
struct ViewListener {
    std::function<void(const Box& extent)> extentChanged;
    std::function<void()> refreshed;
};

class GdalMap final : public host::IMap, public host::IActiveView, public std::enable_shared_from_this<GdalMap> {
public:
    explicit GdalMap(std::string name = "Layers")
        : m_name(std::move(name)), m_handOuts(std::make_shared<HandedOutFeatures>())
    {
    }

    std::int32_t LayerCount() override { return static_cast<std::int32_t>(m_layers.size()); }
    host::Ref<host::ILayer> Layer(std::int32_t index) override;

    host::Ref<host::IMap> FocusMap() override { return host::Ref<host::IMap>(shared_from_this()); }
    // Before any extent was set: the full extent of the map's layers.
    host::Ref<host::IEnvelope> Extent() override;
    void Extent(const host::Ref<host::IEnvelope>& extent) override;
    void Refresh() override;

    [[nodiscard]] const std::string& name() const noexcept { return m_name; }
    void addLayer(host::Ref<host::ILayer> layer);
    void insertLayer(std::size_t position, host::Ref<host::ILayer> layer);
    void removeLayer(std::size_t position);
    void clearLayers() { m_layers.clear(); }
    [[nodiscard]] const std::vector<host::Ref<host::ILayer>>& layers() const noexcept { return m_layers; }

    // Empty when no layer has a coordinate system and none was chosen.
    [[nodiscard]] Srs srs() const;
    // Chosen by the user; an empty one goes back to the first layer's.
    // The extent shown stays on the same ground.
    void setSrs(Srs srs);
    [[nodiscard]] bool srsChosen() const noexcept { return m_chosenSrs != nullptr; }

    // What feature searches by object IDs over this map's layers handed out
    // last. Layers added with addLayer report here.
    [[nodiscard]] const std::shared_ptr<HandedOutFeatures>& handOuts() const noexcept { return m_handOuts; }

    // Union of the extents of every feature layer in the map's system,
    // groups walked at any depth.
    [[nodiscard]] std::optional<Box> fullExtent() const;
    [[nodiscard]] Box extentBox();
    void setExtentBox(const Box& box);

    void setListener(ViewListener listener) { m_listener = std::move(listener); }
    [[nodiscard]] int refreshCount() const noexcept { return m_refreshCount; }

private:
    std::string m_name;
    std::vector<host::Ref<host::ILayer>> m_layers;
    std::optional<Box> m_extent;
    Srs m_chosenSrs;
    std::shared_ptr<HandedOutFeatures> m_handOuts;
    ViewListener m_listener;
    int m_refreshCount = 0;
};

// The page: its extent is the page's, in page units; its focus map is the
// map it shows, whose own view is the map itself.
class PageLayout final : public host::IActiveView, public host::IPageLayout {
public:
    explicit PageLayout(std::shared_ptr<GdalMap> map) : m_map(std::move(map)) {}

    host::Ref<host::IMap> FocusMap() override { return host::Ref<host::IMap>(m_map); }
    host::Ref<host::IEnvelope> Extent() override { return host::makeRef<GdalEnvelope>(m_page); }
    void Extent(const host::Ref<host::IEnvelope>& extent) override;
    void Refresh() override;

    void setMap(std::shared_ptr<GdalMap> map) { m_map = std::move(map); }
    void setListener(ViewListener listener) { m_listener = std::move(listener); }
    [[nodiscard]] int refreshCount() const noexcept { return m_refreshCount; }
    [[nodiscard]] const Box& pageBox() const noexcept { return m_page; }

private:
    std::shared_ptr<GdalMap> m_map;
    Box m_page{0.0, 0.0, 8.5, 11.0};  // a letter page in inches
    ViewListener m_listener;
    int m_refreshCount = 0;
};

} // namespace corvane::gdal
