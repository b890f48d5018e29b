#pragma once
// The file-system routines: the install-location set-up run when the
// command is created, and four small helpers over the platform's file
// system (host::fileSystem()). Paths are Windows paths with backslashes.
//
// The helpers trap their own errors and report them to the user; their
// callers are never told that anything failed (the tests then answer false).

#include <cstdint>
#include <string>

namespace CorvaneGIS_IO {

// Finds the first drive from A to Z with a "Program Files" folder, creates
// the company, optional sub-folder and product folders below it as needed
// and an empty file `fileName` in the product folder if it has none. Sets
// DriveLetter, ProductFolderPath and ConfigFilePath. 1 on success, -1 on
// any failure (a message only when no drive has the folder).
std::int16_t fSetupProductFolder(const std::string& company, const std::string& product, const std::string& fileName,
                                 const std::string& subFolder);

bool fDoesFileExist(const std::string& path);
// A trailing backslash is allowed.
bool fDoesDirectoryExist(const std::string& path);
// Deletes the file if there is one; nothing otherwise.
void fDeleteFile(const std::string& path);
// One level: the parent must exist.
void fCreateDirectory(const std::string& path);

} // namespace CorvaneGIS_IO
