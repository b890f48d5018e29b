// towngen: writes the synthetic town.
//   towngen [--parcels N] [--streets M] [--seed S] [--format gpkg|shp] [--srs EPSG] [--out PATH]

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "towngen/TownWriter.h"

namespace {

using corvane::towngen::Format;
using corvane::towngen::TownSize;

constexpr std::int64_t kParcelsPerStreet = 75;

bool parseCount(std::string_view text, std::int64_t& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

int usage()
{
    std::fputs("usage: towngen [--parcels N] [--streets M] [--seed S] [--format gpkg|shp] [--srs EPSG] [--out PATH]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    TownSize size;
    bool streetsGiven = false;
    Format format = Format::GeoPackage;
    corvane::towngen::TownPlace place;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string_view value = argv[++i];
        std::int64_t number = 0;
        if (option == "--parcels" && parseCount(value, number)) {
            size.parcels = number;
        } else if (option == "--streets" && parseCount(value, number) && number > 0) {
            size.streets = number;
            streetsGiven = true;
        } else if (option == "--seed" && parseCount(value, number)) {
            size.seed = static_cast<std::uint64_t>(number);
        } else if (option == "--format" && (value == "gpkg" || value == "shp")) {
            format = value == "gpkg" ? Format::GeoPackage : Format::Shapefile;
        } else if (option == "--srs" && parseCount(value.substr(value.rfind(':') + 1), number) && number > 0 &&
                   number < 1000000) {
            place.epsg = static_cast<int>(number);  // "4326" or "EPSG:4326"
        } else if (option == "--out") {
            out = value;
        } else {
            return usage();
        }
    }
    if (!streetsGiven) size.streets = std::max<std::int64_t>(corvane::towngen::kSpecialStreets, size.parcels / kParcelsPerStreet);
    if (out.empty()) out = format == Format::GeoPackage ? "demo-town.gpkg" : "demo-town";
    try {
        corvane::towngen::writeTown(size, format, out, place);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "towngen: %s\n", error.what());
        return 1;
    }
    return 0;
}
