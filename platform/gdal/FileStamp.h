#pragma once
// The size and modification time of each file a dataset reads, so that what
// was learnt from the files (open datasets, value indexes) is dropped once
// any of them changes on disk. Taken by DataSource on each lease; a stamp
// that could not be taken (a virtual file system, a file gone) equals no
// other, so nothing is kept on its strength.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::gdal {

struct FileStamp {
    struct Entry {
        bool exists = false;
        std::uintmax_t size = 0;
        std::int64_t modified = 0;  // nanoseconds of the file clock
        friend bool operator==(const Entry&, const Entry&) = default;
    };
    std::vector<Entry> files;
    bool valid = false;

    [[nodiscard]] bool sameAs(const FileStamp& other) const { return valid && other.valid && files == other.files; }
};

// Stamps the files in this order. A SQLite database's write-ahead log
// ("-wal") is stamped with it, as committed rows may wait there.
FileStamp stampFiles(const std::vector<std::string>& paths);

} // namespace corvane::gdal
