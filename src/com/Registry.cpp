#include "com/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace corvane::com {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";

std::string fold(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The key path in one spelling: a key name is never empty, so backslashes
// at either end and runs of them inside are one separator or none. Without
// this, two backslashes in a row made a parent ending in a backslash, which
// look-ups took for its own parent, and a walk of the keys went in circles.
std::string trimKey(std::string_view key)
{
    std::string path;
    path.reserve(key.size());
    for (const char c : key) {
        if (c != '\\') {
            path += c;
        } else if (!path.empty() && path.back() != '\\') {
            path += '\\';
        }
    }
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

// The file the next registry is written to before it replaces the old one.
// Its name is new each time and it must not exist yet: a fixed name could be
// laid down beforehand as a link, and the registry would be written through it
// to wherever it points.
std::FILE* createPendingFile(const std::string& target, std::string& pending)
{
    static std::mt19937_64 generator{std::random_device{}()};
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".new-%016llx", static_cast<unsigned long long>(generator()));
        pending = target + suffix;
#ifdef _WIN32
        // The C library here has no exclusive mode; the name is unguessable and checked to be free.
        std::error_code ec;
        if (std::filesystem::exists(std::filesystem::symlink_status(pending, ec))) continue;
        if (std::FILE* file = std::fopen(pending.c_str(), "wb")) return file;
#else
        if (std::FILE* file = std::fopen(pending.c_str(), "wbx")) return file;
#endif
        if (!std::filesystem::exists(std::filesystem::symlink_status(pending))) break;
    }
    throw std::runtime_error("cannot create a file beside the registry file " + target);
}

std::string quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

// Reads a quoted string starting at line[pos] == '"'; pos ends after the closing quote.
std::string unquote(const std::string& line, std::size_t& pos)
{
    if (pos >= line.size() || line[pos] != '"') throw std::runtime_error("expected a quoted string");
    std::string out;
    for (++pos; pos < line.size(); ++pos) {
        const char c = line[pos];
        if (c == '"') {
            ++pos;
            return out;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            const char next = line[++pos];
            out += next == 'n' ? '\n' : next;
            continue;
        }
        out += c;
    }
    throw std::runtime_error("unterminated string");
}

std::string parentOf(const std::string& key)
{
    const auto cut = key.rfind('\\');
    return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

} // namespace

std::string Registry::defaultPath()
{
    if (const char* explicitPath = std::getenv("CORVANE_REGISTRY"); explicitPath != nullptr && *explicitPath != 0)
        return explicitPath;
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != 0)
        base = data;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0)
        base = std::filesystem::path(home) / ".local" / "share";
    else
        base = std::filesystem::temp_directory_path();
    return (base / "corvane" / "registry.reg").string();
}

Registry::Registry(std::string path) : m_path(std::move(path))
{
    load();
}

Registry Registry::fromText(std::string path, std::string_view text)
{
    Registry registry(std::move(path), Unread{});
    registry.parse(text);
    return registry;
}

void Registry::load()
{
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) return;
    std::ifstream in(m_path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the registry file " + m_path);
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw std::runtime_error("cannot read the registry file " + m_path);
    parse(content.view());
}

void Registry::parse(std::string_view text)
{
    Key* currentKey = nullptr; // map nodes stay where they are while others are added
    int lineNumber = 0;
    try {
        while (!text.empty()) {
            const std::size_t end = text.find('\n');
            std::string line(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == ';') continue;
            if (lineNumber == 1) {
                if (line != kHeader) throw std::runtime_error("not a registry file");
                continue;
            }
            if (line.front() == '[') {
                if (line.back() != ']') throw std::runtime_error("malformed key line");
                currentKey = insertKey(std::string_view(line).substr(1, line.size() - 2));
                continue;
            }
            if (currentKey == nullptr) throw std::runtime_error("value outside a key");
            std::string name;
            std::size_t pos = 0;
            if (line[0] == '@')
                pos = 1;
            else
                name = unquote(line, pos);
            if (pos >= line.size() || line[pos] != '=') throw std::runtime_error("expected '='");
            ++pos;
            std::string data = unquote(line, pos);
            std::string folded = fold(name);
            currentKey->values[std::move(folded)] = {std::move(name), std::move(data)};
        }
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(m_path + ":" + std::to_string(lineNumber) + ": " + e.what());
    }
}

bool Registry::keyExists(std::string_view key) const
{
    return m_keys.contains(fold(trimKey(key)));
}

std::optional<std::string> Registry::value(std::string_view key, std::string_view name) const
{
    const auto k = m_keys.find(fold(trimKey(key)));
    if (k == m_keys.end()) return std::nullopt;
    const auto v = k->second.values.find(fold(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.second;
}

Registry::Key* Registry::insertKey(std::string_view key)
{
    std::string path = trimKey(key);
    if (path.empty()) return nullptr;
    auto [leaf, inserted] = m_keys.try_emplace(fold(path));
    if (inserted) {
        leaf->second.name = path;
        for (path = parentOf(path); !path.empty(); path = parentOf(path)) {
            auto [it, added] = m_keys.try_emplace(fold(path));
            if (!added) break;
            it->second.name = path;
        }
    }
    return &leaf->second;
}

void Registry::createKey(std::string_view key)
{
    (void)insertKey(key);
}

void Registry::setValue(std::string_view key, std::string_view name, std::string_view data)
{
    Key* k = insertKey(key);
    if (k != nullptr) k->values[fold(name)] = {std::string(name), std::string(data)};
}

void Registry::deleteTree(std::string_view key)
{
    const std::string path = trimKey(key);
    const std::string folded = fold(path);
    const std::string below = folded + '\\';
    for (auto it = m_keys.begin(); it != m_keys.end();) {
        if (it->first == folded || it->first.starts_with(below))
            it = m_keys.erase(it);
        else
            ++it;
    }
    pruneEmptyParents(parentOf(path));
}

void Registry::pruneEmptyParents(std::string key)
{
    while (!key.empty()) {
        const std::string folded = fold(key);
        const auto it = m_keys.find(folded);
        if (it == m_keys.end()) return;
        if (!it->second.values.empty() || !subkeys(key).empty()) return;
        m_keys.erase(it);
        key = parentOf(key);
    }
}

std::vector<std::string> Registry::subkeys(std::string_view key) const
{
    const std::string prefix = fold(trimKey(key)) + '\\';
    std::vector<std::string> out;
    auto it = m_keys.lower_bound(prefix);
    while (it != m_keys.end() && it->first.starts_with(prefix)) {
        const std::string_view rest = std::string_view(it->first).substr(prefix.size());
        if (rest.find('\\') != std::string_view::npos) {
            ++it; // below a child whose own key is missing
            continue;
        }
        out.push_back(it->second.name.substr(prefix.size()));
        // Jump over everything below this child: its keys continue with a
        // backslash, and ']' is the character right after it.
        it = m_keys.lower_bound(it->first + ']');
    }
    return out;
}

void Registry::save() const
{
    // Nothing to keep and no file yet (say, an unregistration on a machine
    // where nothing was ever registered): a missing file already reads as
    // this empty registry, so none is created.
    if (m_keys.empty() && !std::filesystem::exists(m_path)) return;
    std::ostringstream text;
    text << kHeader << "\r\n";
    for (const auto& [folded, key] : m_keys) {
        text << "\r\n[" << key.name << "]\r\n";
        for (const auto& [foldedName, entry] : key.values)
            text << (entry.first.empty() ? std::string("@") : quote(entry.first)) << '=' << quote(entry.second)
                 << "\r\n";
    }
    const std::filesystem::path target(m_path);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    std::string temporary;
    std::FILE* out = createPendingFile(m_path, temporary);
    const std::string bytes = text.str();
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot write the registry file " + temporary);
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot replace the registry file " + m_path + ": " + ec.message());
    }
}

} // namespace corvane::com
