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
    int dbfField = -1;
    int records = 0;
    GIntBig firstId = OGRNullFID;
    std::string encoding;  // empty: OGR hands the bytes on as they are
};

std::unique_ptr<DbfColumnRows> DbfColumnRows::open(LayerLease& lease, std::shared_ptr<DataSource> source,
                                                   std::shared_ptr<const LayerSchema> schema, std::int32_t fieldIndex,
                                                   GIntBig firstId)
{
    if (source->driverName() != "ESRI Shapefile") return nullptr;
    const std::string path = dbfOf(lease.dataset(), schema->layerName);
    if (path.empty()) return nullptr;
    auto read = std::make_unique<DbfRead>();
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
    const char* encoding = lease.layer().GetMetadataItem("SOURCE_ENCODING", "SHAPEFILE");
    // CPLRecode hands UTF-8 on unchanged when that spelling names it: no copy per record then.
    if (encoding != nullptr && !EQUAL(encoding, CPL_ENC_UTF8)) read->encoding = encoding;
    read->firstId = firstId;
    return std::make_unique<DbfColumnRows>(std::move(source), std::move(schema), fieldIndex, std::move(read));
}

DbfColumnRows::DbfColumnRows(std::shared_ptr<DataSource> source, std::shared_ptr<const LayerSchema> schema,
                             std::int32_t fieldIndex, std::unique_ptr<DbfRead> read)
    : ColumnRows(std::move(source), std::move(schema), fieldIndex), m_read(std::move(read))
{
}

DbfColumnRows::~DbfColumnRows() = default;

bool DbfColumnRows::readRecord(GIntBig& id, bool& isNull, std::string& text)
{
    DBFInfo* dbf = m_read->dbf.get();
    while (m_next < m_read->records) {
        const int record = m_next++;
        if (record == m_read->firstId || DBFIsRecordDeleted(dbf, record)) continue;
        const char* raw = DBFReadStringAttribute(dbf, record, m_read->dbfField);
        if (raw == nullptr) {
            host::raiseError(host::errors::kHostCallFailed,
                             "Cannot read record " + std::to_string(record) + " of " + layerName());
        }
        id = record;
        // A text field left blank is Null (DBFIsAttributeNULL, without reading it twice).
        isNull = raw[0] == '\0';
        if (isNull) return true;
        if (m_read->encoding.empty()) {
            text.assign(raw);
        } else {
            char* recoded = CPLRecode(raw, m_read->encoding.c_str(), CPL_ENC_UTF8);
            text.assign(recoded);
            CPLFree(recoded);
        }
        return true;
    }
    return false;
}

} // namespace corvane::gdal
