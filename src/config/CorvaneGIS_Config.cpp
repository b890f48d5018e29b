#include "config/CorvaneGIS_Config.h"

#include "config/ConfigItems.h"
#include "config/FileSlot.h"
#include "host/FileSystem.h"
#include "shared/Public.h"

#include <exception>

namespace CorvaneGIS_Config {

namespace {

using corvane::config::fileSlot1;

// Closes slot 1 on the way out of an operation that failed part-way.
class CloseSlotOnError {
  public:
    CloseSlotOnError() = default;
    CloseSlotOnError(const CloseSlotOnError&) = delete;
    CloseSlotOnError& operator=(const CloseSlotOnError&) = delete;
    ~CloseSlotOnError()
    {
        if (std::uncaught_exceptions() > m_uncaught) fileSlot1().closeQuietly();
    }

  private:
    int m_uncaught = std::uncaught_exceptions();
};

void removeQuietly(const std::string& path) noexcept
{
    try {
        auto& fs = corvane::host::fileSystem();
        if (fs.fileExists(path)) fs.deleteFile(path);
    } catch (...) {
        // A leftover pending file is harmless: the next save truncates it.
    }
}

} // namespace

std::int32_t CountConfigurationItems(const std::string& path)
{
    CloseSlotOnError guard;
    auto& slot = fileSlot1();
    slot.close();
    slot.openInput(path);
    std::int32_t count = 0;
    while (!slot.eof()) {
        ++count;
        static_cast<void>(slot.inputItem());
    }
    slot.close();
    return count;
}

void ReadConfiguration(const std::string& path)
{
    CloseSlotOnError guard;
    auto& slot = fileSlot1();
    slot.close();
    slot.openInput(path);
    // All three first: a short file must not leave a half-changed configuration.
    std::string parcelLayerName = slot.inputItem();
    std::string streetNameField = slot.inputItem();
    std::string addressNumberField = slot.inputItem();
    slot.close();
    CorvaneGIS_Public::ParcelLayerName = std::move(parcelLayerName);
    CorvaneGIS_Public::StreetNameField = std::move(streetNameField);
    CorvaneGIS_Public::AddressNumberField = std::move(addressNumberField);
}

std::string PendingConfigurationPath(const std::string& configFilePath)
{
    return configFilePath + ".new";
}

void WriteConfiguration(const std::string& parcelLayerName, const std::string& streetNameField,
                        const std::string& addressNumberField)
{
    // Copies: the arguments may be the very variables set at the end.
    std::string values[] = {parcelLayerName, streetNameField, addressNumberField};
    const std::string target = CorvaneGIS_Public::ConfigFilePath;
    const std::string pending = PendingConfigurationPath(target);
    auto& slot = fileSlot1();
    try {
        slot.close();
        slot.openOutput(pending);
        for (const std::string& value : values)
            slot.printLine(corvane::config::quoteItem(value));
        slot.close();
        corvane::host::fileSystem().rename(pending, target);
    } catch (...) {
        slot.closeQuietly();
        removeQuietly(pending);
        throw;
    }
    CorvaneGIS_Public::ParcelLayerName = std::move(values[0]);
    CorvaneGIS_Public::StreetNameField = std::move(values[1]);
    CorvaneGIS_Public::AddressNumberField = std::move(values[2]);
}

} // namespace CorvaneGIS_Config
