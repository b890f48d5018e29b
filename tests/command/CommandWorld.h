#pragma once
// The machine a command test runs on: a scratch drive C: with a
// "Program Files" folder, the headless toolkit, a memory host with one open
// document, and the component freshly loaded (every public variable empty).

#include "config/FileSlot.h"
#include "config/frmConfig.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "help/frmHelp.h"
#include "memory/MemoryHost.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScopedFileSystem.h"
#include "posix/ScratchFolder.h"
#include "shared/Public.h"
#include "shared/frmResources.h"

#include <filesystem>
#include <string>

namespace corvane::testing {

inline constexpr const char* kConfigRelative = "C/Program Files/CorvaneGIS/CorvaneAddressSearch/config";
inline constexpr const char* kThreeItems = "\"Parcels\"\r\n\"STNAME\"\r\n\"ADDNUM\"\r\n";

class CommandWorld {
  public:
    CommandWorld()
    {
        CorvaneGIS_Public::ResetForNewComponent();
        scratch.makeFolder("C/Program Files");
        files.mapDrive('C', scratch.path() / "C");
    }
    ~CommandWorld()
    {
        // Forms go while the toolkit that made their windows is still there.
        CorvaneGIS_Public::ResetForNewComponent();
        if (frmConfig::hasDefaultInstance()) frmConfig::defaultInstance()->Unload();
        frmHelp::releaseAll();
        frmResources::release();
        config::fileSlot1().closeQuietly();
    }
    CommandWorld(const CommandWorld&) = delete;
    CommandWorld& operator=(const CommandWorld&) = delete;

    [[nodiscard]] std::filesystem::path companyFolder() const
    {
        return scratch.path() / "C" / "Program Files" / "CorvaneGIS";
    }
    [[nodiscard]] std::filesystem::path configFile() const { return scratch.path() / kConfigRelative; }
    void writeConfig(const std::string& bytes) const { scratch.writeFile(kConfigRelative, bytes); }

    posix::ScratchFolder scratch;
    posix::PosixFileSystem files;
    posix::ScopedFileSystem installedFiles{files};
    headless::HeadlessToolkit toolkit;
    headless::ScopedToolkit installedToolkit{toolkit};
    memory::MemoryHost host;
};

} // namespace corvane::testing
