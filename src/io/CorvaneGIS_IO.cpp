#include "io/CorvaneGIS_IO.h"

#include "config/FileSlot.h"
#include "errors/ErrorHandling.h"
#include "host/FileSystem.h"
#include "shared/Public.h"
#include "shared/Runtime.h"
#include "ui/Text.h"

namespace CorvaneGIS_IO {

namespace {
constexpr const char* kModule = "CorvaneGIS_IO";
constexpr const char* kProgramFiles = ":\\Program Files\\";

using corvane::errors::reportTrappedError;
using corvane::host::fileSystem;
} // namespace

std::int16_t fSetupProductFolder(const std::string& company, const std::string& product, const std::string& fileName,
                                 const std::string& subFolder)
{
    using namespace CorvaneGIS_Public;
    std::int16_t result = 0;
    try {
        bool found = false;
        for (int i = 0; i <= 25; ++i) {
            const std::string letter(1, static_cast<char>(65 + i));
            if (fDoesDirectoryExist(letter + kProgramFiles)) {
                DriveLetter = letter;
                found = true;
                break;
            }
        }
        if (!found) {
            corvane::MsgBox("Sorry, " + ProductName + " can't find your local Program Files directory. Please email " +
                            corvane::errors::kSupportEmail + ". Thanks!");
            return -1;
        }

        DriveLetter = corvane::ui::upperCase(DriveLetter);
        std::string path = DriveLetter + kProgramFiles + company + "\\";
        if (!fDoesDirectoryExist(path)) fCreateDirectory(path);
        if (!subFolder.empty()) {
            path += subFolder + "\\";
            if (!fDoesDirectoryExist(path)) fCreateDirectory(path);
        }
        path += product + "\\";
        if (!fDoesDirectoryExist(path)) fCreateDirectory(path);
        ProductFolderPath = path;

        std::string filePath;
        if (!fileName.empty()) {
            filePath = path + fileName;
            if (!fDoesFileExist(filePath)) {
                auto& slot = corvane::config::fileSlot1();
                slot.close();
                slot.openAppend(filePath);
                slot.close();
            }
        }
        ConfigFilePath = filePath;
        result = 1;
    } catch (...) {
        // No message of its own: a folder that could not be made was
        // reported by fCreateDirectory already.
        corvane::config::fileSlot1().closeQuietly();
        result = -1;
    }
    return result;
}

bool fDoesFileExist(const std::string& path)
{
    std::int32_t line = 0;
    try {
        line = 200;
        auto& fso = fileSystem();
        line = 210;
        return fso.fileExists(path);
    } catch (...) {
        reportTrappedError("fDoesFileExist ", kModule, line);
        return false;
    }
}

bool fDoesDirectoryExist(const std::string& path)
{
    std::int32_t line = 0;
    try {
        line = 220;
        auto& fso = fileSystem();
        line = 230;
        return fso.folderExists(path);
    } catch (...) {
        reportTrappedError("fDoesDirectoryExist ", kModule, line);
        return false;
    }
}

void fDeleteFile(const std::string& path)
{
    std::int32_t line = 0;
    try {
        line = 240;
        auto& fso = fileSystem();
        line = 250;
        if (fDoesFileExist(path)) {
            line = 252;
            fso.deleteFile(path);
        }
    } catch (...) {
        reportTrappedError("fDeleteFile ", kModule, line);
    }
}

void fCreateDirectory(const std::string& path)
{
    std::int32_t line = 0;
    try {
        line = 260;
        auto& fso = fileSystem();
        line = 270;
        fso.createFolder(path);
    } catch (...) {
        reportTrappedError("fCreateDirectory ", kModule, line);
    }
}

} // namespace CorvaneGIS_IO
