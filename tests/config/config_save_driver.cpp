// A process that saves the configuration again and again, for the tests of
// saves from two processes at once:
//
//   config_save_driver FOLDER LABEL COUNT
//
// FOLDER is drive C; the file is C:\config. Save i writes the items
// "LABEL-i", "street-LABEL-i" and "number-LABEL-i". After each save the
// file is read back: it must hold three items that belong to one save (of
// this process or of another one). Exits 0 when every read was whole, 1
// when one was not, 2 when a save itself failed.

#include "config/CorvaneGIS_Config.h"
#include "host/HostError.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "shared/Public.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool oneSave(const std::string& layer, const std::string& street, const std::string& number)
{
    return !layer.empty() && street == "street-" + layer && number == "number-" + layer;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: config_save_driver FOLDER LABEL COUNT\n", stderr);
        return 2;
    }
    corvane::posix::PosixFileSystem fs;
    fs.mapDrive('C', argv[1]);
    corvane::posix::ScopedFileSystem installed(fs);
    CorvaneGIS_Public::ConfigFilePath = "C:\\config";
    const std::string label = argv[2];
    const int count = std::atoi(argv[3]);
    int broken = 0;
    for (int i = 1; i <= count; ++i) {
        const std::string layer = label + "-" + std::to_string(i);
        try {
            CorvaneGIS_Config::WriteConfiguration(layer, "street-" + layer, "number-" + layer);
        } catch (const corvane::host::HostError& error) {
            std::fprintf(stderr, "save %s failed: %d %s\n", layer.c_str(), error.number(), error.description().c_str());
            return 2;
        }
        try {
            const std::int32_t items = CorvaneGIS_Config::CountConfigurationItems(CorvaneGIS_Public::ConfigFilePath);
            CorvaneGIS_Config::ReadConfiguration(CorvaneGIS_Public::ConfigFilePath);
            if (items != 3 || !oneSave(CorvaneGIS_Public::ParcelLayerName, CorvaneGIS_Public::StreetNameField,
                                       CorvaneGIS_Public::AddressNumberField)) {
                ++broken;
            }
        } catch (const corvane::host::HostError&) {
            ++broken;
        }
    }
    if (broken > 0) std::fprintf(stderr, "%s: %d broken read-backs\n", label.c_str(), broken);
    return broken == 0 ? 0 : 1;
}
