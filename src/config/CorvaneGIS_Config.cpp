#include "config/CorvaneGIS_Config.h"

#include "config/ConfigItems.h"
#include "config/FileSlot.h"
#include "host/FileSystem.h"
#include "host/HostError.h"
#include "shared/Public.h"

#include <cstdio>
#include <exception>
#include <random>

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
        // A leftover pending file is harmless: no save uses its name again.
    }
}

// Opens slot 1 on a pending file that this call creates. A name that is
// taken (by another save, or by anything planted there) is never touched:
// another name is tried.
std::string openPendingFile(const std::string& target)
{
    constexpr int kAttempts = 16;
    for (int attempt = 1;; ++attempt) {
        std::string pending = PendingConfigurationPath(target);
        try {
            fileSlot1().openOutputNew(pending);
            return pending;
        } catch (const corvane::host::HostError& error) {
            if (error.number() != corvane::host::errors::kFileAlreadyExists || attempt == kAttempts) throw;
        }
    }
}

} // namespace

std::int32_t CountConfigurationItems(const std::string& path)
{
    CloseSlotOnError guard;
    auto& slot = fileSlot1();
    slot.close();
    // Items are counted, not made, as the file is read: a file of millions
    // of commas counts at the speed of reading it, in bounded memory.
    return slot.countItemsIn(path);
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
    static std::mt19937_64 generator{std::random_device{}()};
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".new-%016llx", static_cast<unsigned long long>(generator()));
    return configFilePath + suffix;
}

void WriteConfiguration(const std::string& parcelLayerName, const std::string& streetNameField,
                        const std::string& addressNumberField)
{
    // Copies: the arguments may be the very variables set at the end.
    std::string values[] = {parcelLayerName, streetNameField, addressNumberField};
    const std::string target = CorvaneGIS_Public::ConfigFilePath;
    std::string pending; // empty until this save has created it
    auto& slot = fileSlot1();
    try {
        slot.close();
        pending = openPendingFile(target);
        for (const std::string& value : values)
            slot.printLine(corvane::config::quoteItem(value));
        slot.close();
        corvane::host::fileSystem().rename(pending, target);
    } catch (...) {
        slot.closeQuietly();
        if (!pending.empty()) removeQuietly(pending);
        throw;
    }
    CorvaneGIS_Public::ParcelLayerName = std::move(values[0]);
    CorvaneGIS_Public::StreetNameField = std::move(values[1]);
    CorvaneGIS_Public::AddressNumberField = std::move(values[2]);
}

} // namespace CorvaneGIS_Config
