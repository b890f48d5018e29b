#pragma once
// Everything a dialog needs around it in a test: the headless toolkit with
// its scripted user, a memory host with a small town in its focus map, a
// scratch drive C: holding the product folder and its configuration file,
// and the public variables as the command's OnCreate and OnClick set them.
// Tears down the component's state (dialogs, file slot) afterwards.

#include <memory>
#include <string>
#include <vector>

#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "memory/MemoryHost.h"
#include "memory/MemoryTown.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "posix/ScratchFolder.h"
#include "search/frmMain.h"

namespace corvane::testing {

inline constexpr const char* kConfigPath = "C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config";

class DialogWorld {
public:
    enum class Town {
        // "Parcels" (STNAME text, ADDNUM integer) at the top level, a group
        // "Basemap" holding "Lots" (STREET text, NUMBER text), a raster "Imagery".
        Small,
        // The memory host's parcel town (memory/MemoryTown.h).
        Memory,
    };
    // The configuration file is empty.
    explicit DialogWorld(Town town = Town::Small);
    ~DialogWorld();
    DialogWorld(const DialogWorld&) = delete;
    DialogWorld& operator=(const DialogWorld&) = delete;

    // The configuration file as the dialog writes it.
    void configure(const std::string& layer, const std::string& street, const std::string& number);
    void writeConfig(const std::string& bytes);
    [[nodiscard]] std::string configBytes() const;
    void deleteConfig();

    // A new search dialog in SearchDialog, as OnCreate makes it.
    std::shared_ptr<frmMain> newSearchDialog();
    // Shows SearchDialog through its frame, as a configured click does.
    std::shared_ptr<frmMain> showSearchDialog();

    [[nodiscard]] std::vector<std::string> prompts() const { return toolkit.messagePrompts(); }
    // The prompts that are unexpected-error reports.
    [[nodiscard]] std::vector<std::string> reports() const;
    [[nodiscard]] static bool slotClosed();
    // Exceptions that reached a form's event dispatch instead of a trap.
    [[nodiscard]] int unhandledErrors() const noexcept { return *m_unhandled; }

    headless::HeadlessToolkit toolkit;
    memory::MemoryHost host;
    memory::MemoryFeatureLayer* parcels = nullptr;
    memory::MemoryFeatureLayer* lots = nullptr;
    std::unique_ptr<memory::MemoryTown> town;
    posix::ScratchFolder scratch;
    posix::PosixFileSystem files;

private:
    headless::ScopedToolkit m_installedToolkit;
    posix::ScopedFileSystem m_installedFiles;
    std::shared_ptr<int> m_unhandled = std::make_shared<int>(0);
};

// The box a parcel's envelope becomes when zoomed with the factor 0.2.
[[nodiscard]] memory::Box enlarged(const memory::Box& box, double scale);

} // namespace corvane::testing
