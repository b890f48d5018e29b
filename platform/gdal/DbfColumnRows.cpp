#include "gdal/DbfColumnRows.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <cpl_string.h>
#include <shapefil.h>

#include "host/HostError.h"

namespace corvane::gdal {

namespace {

struct DbfCloser {
    void operator()(DBFInfo* dbf) const { DBFClose(dbf); }
};

// shapelib seeks and reads once per record, two system calls each; these
// file hooks serve its reads from a window of the file read a megabyte at a
// time, so a million records cost a hundred reads.
struct WindowedFile {
    int fd = -1;
    SAOffset position = 0;
    SAOffset windowStart = 0;
    std::vector<char> window;
};

constexpr std::size_t kWindowBytes = 1 << 20;

WindowedFile* fileOf(SAFile file) { return reinterpret_cast<WindowedFile*>(file); }

SAFile openForReading(const char* filename, const char* access)
{
    if (std::strchr(access, 'w') != nullptr || std::strchr(access, '+') != nullptr) return nullptr;
    const int fd = ::open(filename, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    auto* file = new WindowedFile;
    file->fd = fd;
    return reinterpret_cast<SAFile>(file);
}

SAOffset readFromWindow(void* target, SAOffset size, SAOffset count, SAFile handle)
{
    WindowedFile& file = *fileOf(handle);
    if (size == 0) return 0;
    auto* out = static_cast<char*>(target);
    SAOffset wanted = size * count;
    SAOffset done = 0;
    while (done < wanted) {
        const bool inWindow = file.position >= file.windowStart && file.position < file.windowStart + file.window.size();
        if (!inWindow) {
            // No bigger than what is left of the file: small files read small.
            struct stat status {};
            const auto fileSize = ::fstat(file.fd, &status) == 0 ? static_cast<SAOffset>(status.st_size) : kWindowBytes;
            const std::size_t length = fileSize > file.position ? std::min<std::size_t>(kWindowBytes, fileSize - file.position) : 0;
            if (length == 0) break;
            file.window.resize(length);
            const ssize_t got = ::pread(file.fd, file.window.data(), length, static_cast<off_t>(file.position));
            file.windowStart = file.position;
            file.window.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            if (got <= 0) break;
        }
        const SAOffset offset = file.position - file.windowStart;
        const SAOffset take = std::min<SAOffset>(wanted - done, file.window.size() - offset);
        std::memcpy(out + done, file.window.data() + offset, take);
        done += take;
        file.position += take;
    }
    return done / size;
}

SAOffset refuseWriting(void*, SAOffset, SAOffset, SAFile) { return 0; }

SAOffset seekInWindow(SAFile handle, SAOffset offset, int whence)
{
    WindowedFile& file = *fileOf(handle);
    if (whence == SEEK_SET) {
        file.position = offset;
    } else if (whence == SEEK_CUR) {
        file.position += offset;
    } else {
        struct stat status {};
        if (::fstat(file.fd, &status) != 0) return static_cast<SAOffset>(-1);
        file.position = static_cast<SAOffset>(status.st_size) + offset;
    }
    return 0;
}

SAOffset tellInWindow(SAFile handle) { return fileOf(handle)->position; }

int flushNothing(SAFile) { return 0; }

int closeWindowed(SAFile handle)
{
    WindowedFile* file = fileOf(handle);
    const int result = ::close(file->fd);
    delete file;
    return result;
}

int refuseRemoving(const char*) { return -1; }

void ignoreMessage(const char*) {}  // a failed read shows as a missing value, which raises

double toNumber(const char* text) { return std::atof(text); }

const SAHooks kWindowedHooks = {openForReading, readFromWindow, refuseWriting, seekInWindow, tellInWindow,
                                flushNothing,   closeWindowed,  refuseRemoving, ignoreMessage, toNumber};

// The .dbf beside the layer's .shp, among the files GDAL reads.
std::string dbfOf(GDALDataset& dataset, const std::string& layerName)
{
    const CPLStringList files(dataset.GetFileList());
    for (int i = 0; i < files.size(); ++i) {
        const std::filesystem::path file(files[i]);
        if (EQUAL(file.extension().c_str(), ".dbf") && EQUAL(file.stem().c_str(), layerName.c_str())) return files[i];
    }
    return {};
}

} // namespace

struct DbfRead {
    std::unique_ptr<DBFInfo, DbfCloser> dbf;
    std::shared_ptr<const RowContext> wholeRows;  // for features read in full by ID
    std::int32_t fieldIndex = -1;
    int dbfField = -1;
    int records = 0;
    GIntBig firstId = OGRNullFID;
    std::string encoding;  // empty: OGR hands the bytes on as they are
};

class DbfRow final : public host::IFeature {
public:
    explicit DbfRow(std::shared_ptr<const DbfRead> read) : m_read(std::move(read)) {}

    void reset(GIntBig id, host::Variant value)
    {
        m_id = id;
        m_value = std::move(value);
        m_whole.reset();
    }
    [[nodiscard]] const host::Variant& value() const noexcept { return m_value; }

    std::int32_t OID() override { return objectId(m_id, m_read->wholeRows->schema->layerName); }

    host::Variant Value(std::int32_t index) override
    {
        if (index == m_read->fieldIndex) return m_value;
        (void)m_read->wholeRows->schema->field(index);  // an index out of range raises before any read
        return whole().Value(index);
    }

    host::Ref<host::IGeometry> Shape() override { return whole().Shape(); }

private:
    GdalRow& whole()
    {
        if (!m_whole) {
            const RowContext& context = *m_read->wholeRows;
            m_whole = std::make_unique<GdalRow>(m_read->wholeRows, readWholeFeature(*context.source, *context.schema, m_id));
        }
        return *m_whole;
    }

    std::shared_ptr<const DbfRead> m_read;
    GIntBig m_id = OGRNullFID;
    host::Variant m_value;
    std::unique_ptr<GdalRow> m_whole;
};

std::unique_ptr<DbfColumnRows> DbfColumnRows::open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                   std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                   GIntBig firstId)
{
    if (source->driverName() != "ESRI Shapefile") return nullptr;
    const std::string path = dbfOf(lease.dataset(), schema->layerName);
    if (path.empty()) return nullptr;
    auto read = std::make_shared<DbfRead>();
    SAHooks hooks = kWindowedHooks;
    read->dbf.reset(DBFOpenLL(path.c_str(), "rb", &hooks));
    if (!read->dbf) return nullptr;
    const char* column = lease.layer().GetLayerDefn()->GetFieldDefn(schema->field(fieldIndex).ogrIndex)->GetNameRef();
    read->dbfField = DBFGetFieldIndex(read->dbf.get(), column);
    if (read->dbfField < 0 || DBFGetFieldInfo(read->dbf.get(), read->dbfField, nullptr, nullptr, nullptr) != FTString) {
        return nullptr;
    }
    read->records = DBFGetRecordCount(read->dbf.get());
    // OGR reads as many features as the .shp holds when it has one.
    if (lease.layer().GetFeatureCount(FALSE) != read->records) return nullptr;
    if (const char* encoding = lease.layer().GetMetadataItem("SOURCE_ENCODING", "SHAPEFILE")) read->encoding = encoding;
    auto whole = std::make_shared<RowContext>();
    whole->source = std::move(source);
    whole->schema = std::move(schema);
    whole->geometryRead = true;  // a lease reads every field and the shape
    read->wholeRows = std::move(whole);
    read->fieldIndex = fieldIndex;
    read->firstId = firstId;
    return std::make_unique<DbfColumnRows>(std::move(read));
}

DbfColumnRows::DbfColumnRows(std::shared_ptr<DbfRead> read) : m_read(std::move(read)) {}

DbfColumnRows::~DbfColumnRows() = default;

const char* DbfColumnRows::lastText() const noexcept
{
    const auto& row = m_rows[m_lastBuilt];
    if (!row || !row->value().isText()) return nullptr;
    return std::get<std::string>(row->value().storage()).c_str();
}

std::shared_ptr<DbfRow> DbfColumnRows::freeRow()
{
    // Callers hold at most the row before the one they ask for.
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i] && m_rows[i].use_count() == 1) {
            m_lastBuilt = i;
            return m_rows[i];
        }
    }
    m_lastBuilt = (m_lastBuilt + 1) % m_rows.size();
    m_rows[m_lastBuilt] = std::make_shared<DbfRow>(m_read);
    return m_rows[m_lastBuilt];
}

host::Ref<host::IFeature> DbfColumnRows::next()
{
    DBFInfo* dbf = m_read->dbf.get();
    while (m_next < m_read->records) {
        const int record = m_next++;
        if (record == m_read->firstId || DBFIsRecordDeleted(dbf, record)) continue;
        host::Variant value = host::Variant::null();
        const char* raw = DBFReadStringAttribute(dbf, record, m_read->dbfField);
        if (raw == nullptr) {
            host::raiseError(host::errors::kHostCallFailed,
                             "Cannot read record " + std::to_string(record) + " of " + m_read->wholeRows->schema->layerName);
        }
        // A text field left blank is Null (DBFIsAttributeNULL, without reading it twice).
        if (raw[0] != '\0') {
            if (m_read->encoding.empty()) {
                value = host::Variant(std::string(raw));
            } else {
                char* recoded = CPLRecode(raw, m_read->encoding.c_str(), CPL_ENC_UTF8);
                value = host::Variant(std::string(recoded));
                CPLFree(recoded);
            }
        }
        auto row = freeRow();
        row->reset(record, std::move(value));
        m_lastId = record;
        return host::Ref<host::IFeature>(std::move(row));
    }
    return {};
}

} // namespace corvane::gdal
