#include "DialogWorld.h"

#include "config/FileSlot.h"
#include "config/frmConfig.h"
#include "errors/ErrorHandling.h"
#include "help/frmHelp.h"
#include "shared/Public.h"

namespace corvane::testing {

namespace {

constexpr const char* kConfigFile = "Program Files/CorvaneGIS/CorvaneAddressSearch/config";

void plantTown(DialogWorld& world)
{
    using host::esriFieldTypeInteger;
    using host::esriFieldTypeString;
    auto& map = world.host.map();
    auto& parcels = map.addFeatureLayer("Parcels", {{"STNAME", esriFieldTypeString}, {"ADDNUM", esriFieldTypeInteger}});
    parcels.addFeature(memory::envelope(0, 0, 10, 10), {"ELM ST", std::int32_t{5}});
    parcels.addFeature(memory::envelope(10, 0, 20, 10), {"MAIN ST", std::int32_t{2}});
    parcels.addFeature(memory::envelope(20, 0, 30, 10), {"MAIN ST", std::int32_t{10}});
    parcels.addFeature(memory::envelope(30, 0, 40, 10), {"MAIN ST", std::int32_t{9}});
    parcels.addFeature(memory::envelope(40, 0, 50, 10), {"MAPLE AVE", std::int32_t{7}});
    parcels.addFeature(memory::envelope(50, 0, 60, 10), {"O'NEIL RD", std::int32_t{4}});
    parcels.addFeature(memory::envelope(60, 0, 70, 10), {"Main St", std::int32_t{1}});
    parcels.addFeature(memory::envelope(950, 1975, 1050, 2025), {"OAK AVE", std::int32_t{12}});
    parcels.addFeature(memory::envelope(70, 0, 80, 10), {"OAK AVE", host::Variant::null()});
    world.parcels = &parcels;
    auto& group = map.addGroupLayer("Basemap");
    auto& lots = group.addFeatureLayer("Lots", {{"STREET", esriFieldTypeString}, {"NUMBER", esriFieldTypeString}});
    lots.addFeature(memory::envelope(0, 100, 40, 140), {"BIRCH LN", "1"});
    lots.addFeature(memory::envelope(40, 100, 80, 140), {"BIRCH LN", "3"});
    world.lots = &lots;
    map.addOtherLayer("Imagery");
}

} // namespace

DialogWorld::DialogWorld(Town kind) : m_installedToolkit(toolkit), m_installedFiles(files)
{
    using namespace CorvaneGIS_Public;
    ResetForNewComponent();
    errors::Err().Clear();
    files.mapDrive('C', scratch.path());
    scratch.makeFolder("Program Files/CorvaneGIS/CorvaneAddressSearch");
    scratch.writeFile(kConfigFile, "");
    if (kind == Town::Memory) {
        town = std::make_unique<memory::MemoryTown>(host);
        parcels = &town->parcels;
    } else {
        plantTown(*this);
    }
    ProductName = "CorvaneAddressSearch";
    ProductVersion = "v2.15";
    DriveLetter = "C";
    ProductFolderPath = "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\";
    ConfigFilePath = kConfigPath;
    HostApplication = host.application();
    HostDocument = host::Ref<host::IMxDocument>(host.app().document());
    ApplicationRef = HostApplication;
    SearchDialog = std::make_shared<frmMain>();
    ui::setUnhandledErrorHandler([count = m_unhandled](const ui::Form&, std::exception_ptr) { ++*count; });
    host.faults().resetCount();
}

DialogWorld::~DialogWorld()
{
    ui::setUnhandledErrorHandler({});
    CorvaneGIS_Public::SearchDialog.reset();
    if (frmConfig::hasDefaultInstance()) frmConfig::defaultInstance()->Unload();
    frmHelp::releaseAll();
    config::fileSlot1().closeQuietly();
    CorvaneGIS_Public::ResetForNewComponent();
    errors::Err().Clear();
}

void DialogWorld::configure(const std::string& layer, const std::string& street, const std::string& number)
{
    writeConfig("\"" + layer + "\"\r\n\"" + street + "\"\r\n\"" + number + "\"\r\n");
}

void DialogWorld::writeConfig(const std::string& bytes) { scratch.writeFile(kConfigFile, bytes); }

std::string DialogWorld::configBytes() const { return scratch.readFile(kConfigFile); }

void DialogWorld::deleteConfig() { std::filesystem::remove(scratch.path() / kConfigFile); }

std::shared_ptr<frmMain> DialogWorld::newSearchDialog()
{
    CorvaneGIS_Public::SearchDialog = std::make_shared<frmMain>();
    return CorvaneGIS_Public::SearchDialog;
}

std::shared_ptr<frmMain> DialogWorld::showSearchDialog()
{
    auto dialog = CorvaneGIS_Public::SearchDialog;
    dialog->Frame()->Visible(true);
    return dialog;
}

std::vector<std::string> DialogWorld::reports() const
{
    std::vector<std::string> out;
    for (const auto& prompt : prompts())
        if (prompt.starts_with("We're sorry, an unexpected error has occurred.")) out.push_back(prompt);
    return out;
}

bool DialogWorld::slotClosed() { return !config::fileSlot1().isOpen(); }

memory::Box enlarged(const memory::Box& box, double scale)
{
    const double halfWidth = box.width() * scale / 2.0;
    const double halfHeight = box.height() * scale / 2.0;
    return {box.centerX() - halfWidth, box.centerY() - halfHeight, box.centerX() + halfWidth,
            box.centerY() + halfHeight};
}

} // namespace corvane::testing
