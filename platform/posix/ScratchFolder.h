#pragma once
// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes. For tests and demos that map a
// drive letter somewhere harmless.

#include <filesystem>
#include <string>

namespace corvane::posix {

class ScratchFolder {
  public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    [[nodiscard]] const std::filesystem::path& path() const noexcept { return m_path; }
    // Creates `relative` (and its parents) below the folder; returns its path.
    std::filesystem::path makeFolder(const std::filesystem::path& relative) const;
    // Writes `bytes` to the file `relative`, creating or replacing it.
    void writeFile(const std::filesystem::path& relative, const std::string& bytes) const;
    // The file's bytes; empty when there is no such file.
    [[nodiscard]] std::string readFile(const std::filesystem::path& relative) const;

  private:
    std::filesystem::path m_path;
};

} // namespace corvane::posix
