#include "BenchWorld.h"

#include <array>

#include "gdal/MapBuilder.h"
#include "shared/Public.h"

namespace corvane::bench {

namespace {

ui::ControlSpec list(std::string_view name, int width)
{
    ui::ControlSpec spec;
    spec.name = name;
    spec.kind = ui::ControlKind::ListBox;
    spec.width = width;
    spec.height = 3000;
    spec.sorted = true;
    return spec;
}

const std::array<ui::ControlSpec, 2> kControls = {list("List1", 3000), list("List2", 1000)};

ui::FormSpec formSpec()
{
    ui::FormSpec spec;
    spec.name = "frmBench";
    spec.caption = "Bench";
    spec.clientWidth = 5000;
    spec.clientHeight = 4000;
    spec.controls = kControls;
    return spec;
}

const ui::FormSpec kForm = formSpec();

} // namespace

BenchWorld::BenchWorld(const std::string& path)
    : m_document(gdal::openDocument({path}))
{
    auto application = host::makeRef<gdal::GdalApplication>(m_document);
    m_classes = std::make_unique<gdal::GdalHostClasses>(application);
    host::setHostClasses(m_classes.get());
    CorvaneGIS_Public::HostApplication = application;
    CorvaneGIS_Public::HostDocument = host::Ref<host::IMxDocument>(m_document);
    m_form = std::make_shared<ui::Form>(kForm);
    m_form->Load();
}

BenchWorld::~BenchWorld()
{
    m_form->Unload();
    CorvaneGIS_Public::HostApplication.reset();
    CorvaneGIS_Public::HostDocument.reset();
    host::setHostClasses(nullptr);
}

std::string BenchWorld::lastMessage() const
{
    const auto prompts = m_toolkit.messagePrompts();
    return prompts.empty() ? std::string() : prompts.back();
}

} // namespace corvane::bench
