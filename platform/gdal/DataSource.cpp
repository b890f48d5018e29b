#include "gdal/DataSource.h"

#include <filesystem>
#include <exception>
#include <mutex>
#include <string_view>
#include <system_error>

#include <cpl_string.h>

#include "gdal/CplErrors.h"
#include "gdal/DamagedFile.h"
#include "gdal/PgSources.h"
#include "host/HostError.h"

namespace corvane::gdal {

namespace {

constexpr std::size_t kMaxIdleDatasets = 4;

void registerDriversOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

bool answers(GDALDataset& dataset)
{
    ScopedCplErrors quiet;
    OGRLayer* result = dataset.ExecuteSQL("SELECT 1", nullptr, nullptr);
    if (result != nullptr) dataset.ReleaseResultSet(result);
    return result != nullptr && !quiet.failed();
}

} // namespace

GDALDatasetUniquePtr openDataset(const std::string& path, unsigned int openFlags, const OpenOptions& options,
                                 std::vector<std::string>* warnings)
{
    registerDriversOnce();
    std::error_code ec;
    // GDAL's virtual file systems and connection strings are not files.
    const bool plainPath = path.rfind("/vsi", 0) != 0 && path.find(':') == std::string::npos;
    if (plainPath && !std::filesystem::exists(path, ec)) {
        host::raiseError(host::errors::kFileNotFound, "File not found: " + path);
    }
    CPLStringList driverOptions;
    for (const auto& option : options.driverOptions) driverOptions.AddString(option.c_str());

    ScopedCplErrors errors;
    GDALDatasetUniquePtr dataset(GDALDataset::FromHandle(
        GDALOpenEx(path.c_str(), openFlags | GDAL_OF_READONLY | GDAL_OF_VERBOSE_ERROR,
                   nullptr, driverOptions.List(), nullptr)));
    if (!dataset) {
        std::string message = errors.message();
        if (message.empty()) message = "not a GIS file that GDAL can read";
        // Opened as the .shp itself, a Shapefile's layer is named after it.
        raiseGdalFailure("Cannot open " + displayPath(path),
                         withDamagedFile(message, path, std::filesystem::path(path).stem().string()));
    }
    if (warnings != nullptr) warnings->insert(warnings->end(), errors.warnings().begin(), errors.warnings().end());
    return dataset;
}

std::string displayPath(const std::string& path)
{
    static constexpr std::string_view kPassword = "password=";
    std::string shown = path;
    for (auto at = shown.find(kPassword); at != std::string::npos; at = shown.find(kPassword, at)) {
        // Only a whole keyword: after the PG: prefix, a blank or a quote.
        const bool keyword = at == 0 || shown[at - 1] == ' ' || shown[at - 1] == ':' || shown[at - 1] == '"' ||
                             shown[at - 1] == '\'';
        if (!keyword) {
            at += kPassword.size();
            continue;
        }
        std::size_t end = at + kPassword.size();
        if (end < shown.size() && shown[end] == '\'') {
            // A quoted value, with \' and \\ escaped inside.
            for (++end; end < shown.size() && shown[end] != '\''; ++end) {
                if (shown[end] == '\\') ++end;
            }
            if (end < shown.size()) ++end;
        } else {
            while (end < shown.size() && shown[end] != ' ' && shown[end] != '"') ++end;
        }
        while (end < shown.size() && shown[end] == ' ') ++end;
        shown.erase(at, end - at);
    }
    while (!shown.empty() && shown.back() == ' ') shown.pop_back();
    return shown;
}

LayerLease::LayerLease(std::shared_ptr<DataSource> source, GDALDatasetUniquePtr dataset, OGRLayer* layer)
    : m_source(std::move(source)), m_dataset(std::move(dataset)), m_layer(layer),
      m_unwindingAtStart(std::uncaught_exceptions())
{
}

LayerLease::~LayerLease()
{
    if (!m_source || !m_dataset) return;
    if (m_broken || std::uncaught_exceptions() > m_unwindingAtStart) {
        m_dataset.reset();
        m_source->dropIdle();
        return;
    }
    // An idle connection must hold no open read: a database keeps the
    // read's transaction, and its locks, until the read is closed.
    m_layer->ResetReading();
    m_source->giveBack(std::move(m_dataset), m_generation);
}

DataSource::DataSource(std::string path, OpenOptions options)
    : m_path(std::move(path)), m_displayName(displayPath(m_path)), m_options(std::move(options))
{
}

std::shared_ptr<DataSource> DataSource::create(std::string path, OpenOptions options)
{
    return std::shared_ptr<DataSource>(new DataSource(std::move(path), std::move(options)));
}

LayerLease DataSource::lease(const std::string& layerName)
{
    GDALDatasetUniquePtr dataset;
    std::uint64_t generation = 0;
    {
        std::lock_guard lock(m_mutex);
        checkFilesLocked();
        generation = m_generation;
        if (!m_idle.empty()) {
            dataset = std::move(m_idle.back());
            m_idle.pop_back();
        }
    }
    // A server may have closed an idle connection (a restart, an idle
    // timeout): one round trip tells, where a failed read would cost a click.
    if (dataset && isPostgresConnection(m_path) && !answers(*dataset)) {
        dataset.reset();
        dropIdle();
    }
    if (!dataset) {
        dataset = openDataset(m_path, GDAL_OF_VECTOR, m_options);
        std::lock_guard lock(m_mutex);
        recordFilesLocked(*dataset);
    }
    if (dataset->GetDriver() != nullptr) {
        // Leases are taken on the map's render worker too.
        std::lock_guard lock(m_mutex);
        if (m_driverName.empty()) m_driverName = dataset->GetDriver()->GetDescription();
    }

    // GDAL reads the name only up to a NUL: such a name names no layer.
    OGRLayer* layer = layerName.find('\0') == std::string::npos ? dataset->GetLayerByName(layerName.c_str()) : nullptr;
    if (layer == nullptr) {
        giveBack(std::move(dataset), generation);
        host::raiseError(host::errors::kHostCallFailed, "Layer " + layerName + " not found in " + m_displayName);
    }
    ScopedCplErrors errors;
    layer->SetSpatialFilter(nullptr);
    if (layer->SetAttributeFilter(nullptr) != OGRERR_NONE) errors.raise("Cannot reset layer " + layerName);
    if (layer->TestCapability(OLCIgnoreFields)) {
        if (layer->SetIgnoredFields(nullptr) != OGRERR_NONE) errors.raise("Cannot reset layer " + layerName);
    }
    layer->ResetReading();
    LayerLease lease(shared_from_this(), std::move(dataset), layer);
    lease.m_generation = generation;
    return lease;
}

void DataSource::recordFilesLocked(GDALDataset& dataset)
{
    if (!m_files.empty()) return;
    const CPLStringList files(dataset.GetFileList());
    for (int i = 0; i < files.size(); ++i) m_files.emplace_back(files[i]);
    m_stamp = stampFiles(m_files);
}

void DataSource::checkFilesLocked()
{
    if (m_files.empty()) return;
    FileStamp now = stampFiles(m_files);
    if (now.sameAs(m_stamp)) return;
    // Changed, or cannot tell: forget everything learnt from the old files.
    m_stamp = std::move(now);
    ++m_generation;
    m_idle.clear();
    m_indexes.clear();
}

std::shared_ptr<const ValueIndex> DataSource::valueIndex(const std::string& layerName, const std::string& fieldName)
{
    std::lock_guard lock(m_mutex);
    checkFilesLocked();
    if (!m_stamp.valid) return nullptr;
    const auto found = m_indexes.find({layerName, fieldName});
    return found == m_indexes.end() ? nullptr : found->second;
}

void DataSource::keepValueIndex(const std::string& layerName, const std::string& fieldName,
                                std::shared_ptr<const ValueIndex> index, std::uint64_t generation)
{
    std::lock_guard lock(m_mutex);
    checkFilesLocked();
    if (!index || !m_stamp.valid || generation != m_generation) return;
    m_indexes[{layerName, fieldName}] = std::move(index);
}

std::string DataSource::driverName()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_driverName.empty()) return m_driverName;
    }
    // Opening once tells the driver; the dataset goes to the idle pool.
    auto dataset = openDataset(m_path, GDAL_OF_VECTOR, m_options);
    std::string name = dataset->GetDriver() != nullptr ? dataset->GetDriver()->GetDescription() : "";
    std::lock_guard lock(m_mutex);
    recordFilesLocked(*dataset);
    if (m_idle.size() < kMaxIdleDatasets) m_idle.push_back(std::move(dataset));
    if (m_driverName.empty()) m_driverName = name;
    return m_driverName;
}

void DataSource::keepIdle(GDALDatasetUniquePtr dataset)
{
    std::lock_guard lock(m_mutex);
    recordFilesLocked(*dataset);
    if (m_driverName.empty() && dataset->GetDriver() != nullptr) m_driverName = dataset->GetDriver()->GetDescription();
    if (m_idle.size() < kMaxIdleDatasets) m_idle.push_back(std::move(dataset));
}

void DataSource::dropIdle()
{
    std::vector<GDALDatasetUniquePtr> idle;
    {
        std::lock_guard lock(m_mutex);
        idle.swap(m_idle);
    }
}

void DataSource::giveBack(GDALDatasetUniquePtr dataset, std::uint64_t generation)
{
    std::lock_guard lock(m_mutex);
    if (generation == m_generation && m_idle.size() < kMaxIdleDatasets) m_idle.push_back(std::move(dataset));
}

} // namespace corvane::gdal
