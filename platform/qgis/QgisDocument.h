#pragma once
// The application, its document and the active view of the QGIS host. The
// focus map is the project's layer tree, read afresh at every use. The
// active view is the map canvas: QGIS's main window has no page layout (its
// print layouts are separate windows), so the active view is always the
// data view. Extents are read and set in the project's coordinate system;
// an envelope taken from a feature is transformed from its layer's system
// first. QGIS draws; the host sets the extent, marks the feature whose
// envelope it was (ZoomedFeatureMark.h) and asks for a redraw. UI thread only.
//
//   auto document = std::make_shared<QgisDocument>(QgsProject::instance(), iface->mapCanvas());
//   auto application = host::makeRef<QgisApplication>(document, statusBar);

#include <QPointer>
#include <memory>

#include <qgsmapcanvas.h>
#include <qgsproject.h>

#include "host/Application.h"
#include "qgis/ZoomedFeatureMark.h"

namespace corvane::qgis {

class QgisCanvasView final : public host::IActiveView {
public:
    QgisCanvasView(QgsProject* project, QgsMapCanvas* canvas) : m_project(project), m_canvas(canvas) {}

    host::Ref<host::IMap> FocusMap() override;
    // Raises HostError when the canvas is gone.
    host::Ref<host::IEnvelope> Extent() override;
    // Raises HostError when the envelope cannot be transformed.
    void Extent(const host::Ref<host::IEnvelope>& extent) override;
    void Refresh() override;

    // The mark on the feature last zoomed to; null when there is none.
    [[nodiscard]] QgsHighlight* mark() const noexcept { return m_mark.highlight(); }

private:
    QgsMapCanvas& canvas() const;

    QPointer<QgsProject> m_project;
    QPointer<QgsMapCanvas> m_canvas;
    ZoomedFeatureMark m_mark;
};

class QgisDocument final : public host::IMxDocument {
public:
    QgisDocument(QgsProject* project, QgsMapCanvas* canvas) : m_view(std::make_shared<QgisCanvasView>(project, canvas)) {}

    host::Ref<host::IMap> FocusMap() override { return m_view->FocusMap(); }
    host::Ref<host::IActiveView> ActiveView() override { return host::Ref<host::IActiveView>(m_view); }
    [[nodiscard]] const QgisCanvasView& view() const noexcept { return *m_view; }

private:
    std::shared_ptr<QgisCanvasView> m_view;
};

class QgisApplication final : public host::IApplication {
public:
    QgisApplication(std::shared_ptr<QgisDocument> document, host::Ref<host::IStatusBar> statusBar)
        : m_document(std::move(document)), m_statusBar(std::move(statusBar))
    {
    }

    host::Ref<host::IDocument> Document() override { return host::Ref<host::IDocument>(m_document); }
    host::Ref<host::IStatusBar> StatusBar() override { return m_statusBar; }

private:
    std::shared_ptr<QgisDocument> m_document;
    host::Ref<host::IStatusBar> m_statusBar;
};

} // namespace corvane::qgis
