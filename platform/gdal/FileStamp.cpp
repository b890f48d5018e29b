#include "gdal/FileStamp.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace corvane::gdal {

namespace {

FileStamp::Entry stampOf(const std::filesystem::path& path, bool& ok)
{
    FileStamp::Entry entry;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error) ok = false;
        return entry;
    }
    entry.exists = true;
    entry.size = std::filesystem::file_size(path, error);
    if (error) ok = false;
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error) ok = false;
    entry.modified = std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count();
    return entry;
}

} // namespace

FileStamp stampFiles(const std::vector<std::string>& paths)
{
    FileStamp stamp;
    bool ok = !paths.empty();
    for (const auto& path : paths) {
        if (path.rfind("/vsi", 0) == 0) ok = false;
        stamp.files.push_back(stampOf(path, ok));
        const auto extension = std::filesystem::path(path).extension().string();
        if (extension == ".gpkg" || extension == ".GPKG" || extension == ".sqlite" || extension == ".db") {
            stamp.files.push_back(stampOf(path + "-wal", ok));
        }
    }
    stamp.valid = ok;
    return stamp;
}

} // namespace corvane::gdal
