#pragma once
// One GIS file (or folder) and the open GDAL datasets over it. Each cursor
// leases a dataset of its own for as long as it reads, so two cursors over
// the same layer never disturb each other's filters or reading position;
// idle datasets are kept for the next lease, as opening one costs far more
// than a query. Leases may outlive the map that made them. When the files
// change on disk, idle datasets and value indexes are dropped at the next
// lease, and datasets leased before are not kept when given back.

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "gdal/FileStamp.h"
#include "gdal/ValueIndex.h"

namespace corvane::gdal {

struct OpenOptions {
    // Driver open options, "KEY=VALUE" (for instance "ENCODING=CP1252" for a
    // Shapefile without a .cpg).
    std::vector<std::string> driverOptions;
};

// Opens a file with GDAL. Raises HostError naming the file: 53 when it does
// not exist, the failed-call number when GDAL cannot read it. GDAL's
// warnings about the opening go to `warnings` when given.
GDALDatasetUniquePtr openDataset(const std::string& path, unsigned int openFlags, const OpenOptions& options,
                                 std::vector<std::string>* warnings = nullptr);

// A path or connection string fit to show: a "password=..." part of a
// connection string is left out.
std::string displayPath(const std::string& path);

class DataSource;

// Exclusive use of one layer of one open dataset; returns it on destruction.
// A dataset that failed is not returned: a lease given up while an
// exception unwinds, or one its holder marked broken, closes its dataset and
// the source's idle ones, so that the next lease connects afresh (a database
// server that was restarted has closed every connection to it).
class LayerLease {
public:
    LayerLease(std::shared_ptr<DataSource> source, GDALDatasetUniquePtr dataset, OGRLayer* layer);
    LayerLease(LayerLease&&) noexcept = default;
    LayerLease& operator=(LayerLease&&) noexcept = default;
    LayerLease(const LayerLease&) = delete;
    LayerLease& operator=(const LayerLease&) = delete;
    ~LayerLease();

    [[nodiscard]] OGRLayer& layer() const noexcept { return *m_layer; }
    [[nodiscard]] GDALDataset& dataset() const noexcept { return *m_dataset; }
    // Which state of the files on disk this dataset was opened on.
    [[nodiscard]] std::uint64_t generation() const noexcept { return m_generation; }

    // The dataset stays usable until the lease ends, and is closed then.
    void markBroken() noexcept { m_broken = true; }

private:
    friend class DataSource;
    std::uint64_t m_generation = 0;
    std::shared_ptr<DataSource> m_source;
    GDALDatasetUniquePtr m_dataset;
    OGRLayer* m_layer = nullptr;
    int m_unwindingAtStart = 0;
    bool m_broken = false;
};

class DataSource : public std::enable_shared_from_this<DataSource> {
public:
    static std::shared_ptr<DataSource> create(std::string path, OpenOptions options = {});

    [[nodiscard]] const std::string& path() const noexcept { return m_path; }
    // The path for messages: a connection string without its password.
    [[nodiscard]] const std::string& displayName() const noexcept { return m_displayName; }
    [[nodiscard]] const OpenOptions& options() const noexcept { return m_options; }

    // A dataset of its own for the caller, opened read-only, with the layer
    // reset: no attribute or spatial filter, no ignored fields, at its start.
    // Raises HostError when the file or the layer cannot be opened.
    LayerLease lease(const std::string& layerName);

    // The driver's short name ("GPKG", "ESRI Shapefile"...).
    [[nodiscard]] std::string driverName();

    // Keeps a dataset that was opened on this source as a lease opens one
    // (a database's, read for its table list) for the next lease: a new
    // connection costs a server more than its first query.
    void keepIdle(GDALDatasetUniquePtr dataset);

    // The value index of one field of a layer (by OGR field name), when a
    // read built one and the files have not changed since; else empty.
    [[nodiscard]] std::shared_ptr<const ValueIndex> valueIndex(const std::string& layerName,
                                                               const std::string& fieldName);
    // Keeps an index built by reading through a lease of `generation`,
    // unless the files changed since that lease was made. Never on disk.
    void keepValueIndex(const std::string& layerName, const std::string& fieldName,
                        std::shared_ptr<const ValueIndex> index, std::uint64_t generation);

private:
    DataSource(std::string path, OpenOptions options);
    friend class LayerLease;
    void giveBack(GDALDatasetUniquePtr dataset, std::uint64_t generation);
    void dropIdle();
    // Starts a new generation when the files changed; call with m_mutex held.
    void checkFilesLocked();
    void recordFilesLocked(GDALDataset& dataset);

    std::string m_path;
    std::string m_displayName;
    OpenOptions m_options;
    std::mutex m_mutex;
    std::vector<GDALDatasetUniquePtr> m_idle;
    std::string m_driverName;
    std::vector<std::string> m_files;  // known once a dataset was opened
    FileStamp m_stamp;
    std::uint64_t m_generation = 0;
    std::map<std::pair<std::string, std::string>, std::shared_ptr<const ValueIndex>> m_indexes;
};

} // namespace corvane::gdal
