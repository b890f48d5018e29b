#include "gdal/DamagedFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace corvane::gdal {

namespace {

namespace fs = std::filesystem;

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The extension GDAL's message blames, or empty.
std::string blamedExtension(const std::string& gdalMessage)
{
    const std::string text = lower(gdalMessage);
    for (const char* extension : {"shx", "dbf", "shp"}) {
        if (text.find(std::string(".") + extension) != std::string::npos ||
            text.find(std::string(extension) + " file") != std::string::npos) {
            return extension;
        }
    }
    return {};
}

} // namespace

std::string withDamagedFile(const std::string& gdalMessage, const std::string& sourcePath, const std::string& layerName)
{
    const std::string extension = blamedExtension(gdalMessage);
    if (extension.empty()) return gdalMessage;
    const fs::path source(sourcePath);
    std::error_code ec;
    const fs::path base = fs::is_directory(source, ec) ? source / layerName : source;
    std::string upper = extension;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    // Shapefiles come with lower- or upper-case extensions.
    for (const std::string& spelled : {extension, upper}) {
        fs::path candidate = base;
        candidate.replace_extension(spelled);
        if (fs::is_regular_file(candidate, ec)) return gdalMessage + "; damaged file: " + candidate.string();
    }
    return gdalMessage;
}

} // namespace corvane::gdal
