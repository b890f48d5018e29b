#include "gdal/GdalDocument.h"

#include "gdal/Recorders.h"

namespace corvane::gdal {

GdalDocument::GdalDocument(std::shared_ptr<GdalMap> map)
    : m_map(std::move(map)), m_layout(std::make_shared<PageLayout>(m_map))
{
}

host::Ref<host::IActiveView> GdalDocument::ActiveView()
{
    if (m_layoutView) return host::Ref<host::IActiveView>(m_layout);
    return host::Ref<host::IActiveView>(m_map);
}

void GdalDocument::setMap(std::shared_ptr<GdalMap> map)
{
    m_map = std::move(map);
    m_layout->setMap(m_map);
}

GdalApplication::GdalApplication(std::shared_ptr<GdalDocument> document, host::Ref<host::IStatusBar> statusBar)
    : m_document(std::move(document)), m_statusBar(std::move(statusBar))
{
    if (!m_statusBar) m_statusBar = host::makeRef<RecordingStatusBar>();
}

} // namespace corvane::gdal
