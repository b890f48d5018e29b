#include "ShapefileBoxes.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace corvane::map {

namespace {

constexpr std::size_t kHeaderBytes = 100;
constexpr std::size_t kRecordHeaderBytes = 8;

std::uint32_t bigEndian32(const uchar* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | std::uint32_t(p[3]);
}

std::int32_t littleEndian32(const uchar* p)
{
    return static_cast<std::int32_t>(std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                                     (std::uint32_t(p[3]) << 24));
}

double littleEndianDouble(const uchar* p)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool isPointType(std::int32_t type) { return type == 1 || type == 11 || type == 21; }

// One record's box, unless its shape is null or its box is not a box.
// False when the record is too short for its type.
bool addBox(const uchar* content, std::size_t contentBytes, std::int64_t fid, std::vector<IndexedBox>& boxes)
{
    const std::int32_t type = littleEndian32(content);
    if (type == 0) return true;
    const bool point = isPointType(type);
    if (contentBytes < 4 + (point ? 16u : 32u)) return false;
    const uchar* box = content + 4;
    IndexedBox entry{{littleEndianDouble(box), littleEndianDouble(box + 8), 0, 0}, fid};
    entry.box.xMax = point ? entry.box.xMin : littleEndianDouble(box + 16);
    entry.box.yMax = point ? entry.box.yMin : littleEndianDouble(box + 24);
    const gdal::Box& b = entry.box;
    if (std::isfinite(b.xMin) && std::isfinite(b.yMin) && std::isfinite(b.xMax) && std::isfinite(b.yMax) &&
        b.xMin <= b.xMax && b.yMin <= b.yMax)
        boxes.push_back(entry);
    return true;
}

} // namespace

std::optional<std::vector<IndexedBox>> readShapefileBoxes(const std::string& shpPath, std::size_t windowBytes)
{
    QFile file(QString::fromStdString(shpPath));
    if (!file.open(QIODevice::ReadOnly) || file.size() < static_cast<qint64>(kHeaderBytes)) return std::nullopt;
    const auto size = static_cast<std::size_t>(file.size());
    uchar header[kHeaderBytes];
    if (file.read(reinterpret_cast<char*>(header), kHeaderBytes) != static_cast<qint64>(kHeaderBytes) ||
        bigEndian32(header) != 9994 || littleEndian32(header + 28) != 1000)
        return std::nullopt;

    std::vector<IndexedBox> boxes;
    std::int64_t fid = 0;
    // Mapped a window at a time, so that a large file never sits in memory
    // whole: only the boxes stay.
    for (std::size_t at = kHeaderBytes; at + kRecordHeaderBytes <= size;) {
        const std::size_t length = std::min(windowBytes, size - at);
        uchar* window = file.map(static_cast<qint64>(at), static_cast<qint64>(length));
        if (window == nullptr) return std::nullopt;
        std::size_t offset = 0;
        bool wellFormed = true;
        while (offset + kRecordHeaderBytes <= length) {
            const std::size_t contentBytes = static_cast<std::size_t>(bigEndian32(window + offset + 4)) * 2;
            const std::size_t content = offset + kRecordHeaderBytes;
            if (contentBytes < 4 || contentBytes > size - (at + content)) {
                wellFormed = false;
                break;
            }
            if (contentBytes > length - content) break;  // continues in the next window
            if (!addBox(window + content, contentBytes, fid, boxes)) {
                wellFormed = false;
                break;
            }
            offset = content + contentBytes;
            ++fid;
        }
        file.unmap(window);
        // A record larger than a window is not worth a special case.
        if (!wellFormed || offset == 0) return std::nullopt;
        at += offset;
    }
    return boxes;
}

} // namespace corvane::map
