#pragma once
// The document and the application around a map of GIS files. The document
// shows its focus map in a data view or a page layout; the application hands
// out the document and a status bar (a recording one unless the map
// application gives its own).

#include <memory>

#include "gdal/GdalMap.h"
#include "host/Application.h"

namespace corvane::gdal {

class GdalDocument final : public host::IMxDocument {
public:
    explicit GdalDocument(std::shared_ptr<GdalMap> map = std::make_shared<GdalMap>());

    host::Ref<host::IMap> FocusMap() override { return host::Ref<host::IMap>(m_map); }
    // The map itself in data view, the page layout in layout view.
    host::Ref<host::IActiveView> ActiveView() override;

    [[nodiscard]] const std::shared_ptr<GdalMap>& map() const noexcept { return m_map; }
    void setMap(std::shared_ptr<GdalMap> map);
    [[nodiscard]] const std::shared_ptr<PageLayout>& pageLayout() const noexcept { return m_layout; }
    void showLayout(bool layout) noexcept { m_layoutView = layout; }
    [[nodiscard]] bool layoutShown() const noexcept { return m_layoutView; }

private:
    std::shared_ptr<GdalMap> m_map;
    std::shared_ptr<PageLayout> m_layout;
    bool m_layoutView = false;
};

class GdalApplication final : public host::IApplication {
public:
    explicit GdalApplication(std::shared_ptr<GdalDocument> document,
                             host::Ref<host::IStatusBar> statusBar = {});

    host::Ref<host::IDocument> Document() override { return host::Ref<host::IDocument>(m_document); }
    host::Ref<host::IStatusBar> StatusBar() override { return m_statusBar; }

    [[nodiscard]] const std::shared_ptr<GdalDocument>& document() const noexcept { return m_document; }

private:
    std::shared_ptr<GdalDocument> m_document;
    host::Ref<host::IStatusBar> m_statusBar;
};

} // namespace corvane::gdal
