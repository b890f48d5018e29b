#pragma once
// The registry of COM servers on platforms that have none: keys and string
// values laid out as on Windows (HKEY_CLASSES_ROOT\CLSID\{...}\InprocServer32
// and so on), kept in one text file in the .reg format. Key and value names
// compare ignoring ASCII case, as on Windows. Used by the server support
// when a library registers itself, by the loader and by the installer tool;
// a process reads the file when it opens it and writes it back on save().

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::com {

inline constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";

class Registry {
  public:
    // CORVANE_REGISTRY when set, otherwise registry.reg in the user's data
    // folder ($XDG_DATA_HOME/corvane, or ~/.local/share/corvane).
    [[nodiscard]] static std::string defaultPath();

    // Reads the file; a missing file is an empty registry. Throws
    // std::runtime_error for a file that exists but cannot be read or parsed.
    explicit Registry(std::string path);

    [[nodiscard]] const std::string& path() const noexcept { return m_path; }
    [[nodiscard]] bool keyExists(std::string_view key) const;
    // name "" is the key's default value.
    [[nodiscard]] std::optional<std::string> value(std::string_view key, std::string_view name = {}) const;
    // Creates the key and its parents as needed.
    void setValue(std::string_view key, std::string_view name, std::string_view data);
    void createKey(std::string_view key);
    // Removes the key, its values and every key below it; then removes
    // parents left with neither values nor keys.
    void deleteTree(std::string_view key);
    // Names of the keys directly below `key`.
    [[nodiscard]] std::vector<std::string> subkeys(std::string_view key) const;
    [[nodiscard]] bool empty() const noexcept { return m_keys.empty(); }

    // Writes the file (through a temporary file and a rename, so that a
    // reader never sees half of it); an empty registry creates no file where
    // there was none. Throws std::runtime_error on failure.
    void save() const;

  private:
    struct Key {
        std::string name;                                                  // as first written
        std::map<std::string, std::pair<std::string, std::string>> values; // folded name -> (name, data)
    };

    void load();
    void pruneEmptyParents(std::string key);

    std::string m_path;
    std::map<std::string, Key> m_keys; // folded full path -> key
};

} // namespace corvane::com
