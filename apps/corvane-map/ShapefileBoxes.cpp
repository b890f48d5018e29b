#include "ShapefileBoxes.h"

#include <QFile>
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

} // namespace

std::optional<std::vector<IndexedBox>> readShapefileBoxes(const std::string& shpPath)
{
    QFile file(QString::fromStdString(shpPath));
    if (!file.open(QIODevice::ReadOnly) || file.size() < static_cast<qint64>(kHeaderBytes)) return std::nullopt;
    const auto size = static_cast<std::size_t>(file.size());
    const uchar* data = file.map(0, file.size());
    if (data == nullptr || bigEndian32(data) != 9994 || littleEndian32(data + 28) != 1000) return std::nullopt;

    std::vector<IndexedBox> boxes;
    std::int64_t fid = 0;
    for (std::size_t at = kHeaderBytes; at + kRecordHeaderBytes <= size; ++fid) {
        const std::size_t contentBytes = static_cast<std::size_t>(bigEndian32(data + at + 4)) * 2;
        const std::size_t content = at + kRecordHeaderBytes;
        if (contentBytes < 4 || contentBytes > size - content) return std::nullopt;
        const std::int32_t type = littleEndian32(data + content);
        const std::size_t boxBytes = isPointType(type) ? 16 : 32;
        if (type != 0) {
            if (contentBytes < 4 + boxBytes) return std::nullopt;
            const uchar* box = data + content + 4;
            IndexedBox entry{{littleEndianDouble(box), littleEndianDouble(box + 8), 0, 0}, fid};
            if (isPointType(type)) {
                entry.box.xMax = entry.box.xMin;
                entry.box.yMax = entry.box.yMin;
            } else {
                entry.box.xMax = littleEndianDouble(box + 16);
                entry.box.yMax = littleEndianDouble(box + 24);
            }
            const gdal::Box& b = entry.box;
            if (std::isfinite(b.xMin) && std::isfinite(b.yMin) && std::isfinite(b.xMax) && std::isfinite(b.yMax) &&
                b.xMin <= b.xMax && b.yMin <= b.yMax)
                boxes.push_back(entry);
        }
        at = content + contentBytes;
    }
    return boxes;
}

} // namespace corvane::map
