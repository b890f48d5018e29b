#include "com/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

std::string trimKey(std::string_view key)
{
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return std::string(key);
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

void Registry::load()
{
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) return;
    std::ifstream in(m_path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the registry file " + m_path);
    std::string line;
    std::string current;
    int lineNumber = 0;
    try {
        while (std::getline(in, line)) {
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == ';') continue;
            if (lineNumber == 1) {
                if (line != kHeader) throw std::runtime_error("not a registry file");
                continue;
            }
            if (line.front() == '[') {
                if (line.back() != ']') throw std::runtime_error("malformed key line");
                current = trimKey(std::string_view(line).substr(1, line.size() - 2));
                createKey(current);
                continue;
            }
            if (current.empty()) throw std::runtime_error("value outside a key");
            std::string name;
            std::size_t pos = 0;
            if (line[0] == '@')
                pos = 1;
            else
                name = unquote(line, pos);
            if (pos >= line.size() || line[pos] != '=') throw std::runtime_error("expected '='");
            ++pos;
            const std::string data = unquote(line, pos);
            setValue(current, name, data);
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

void Registry::createKey(std::string_view key)
{
    std::string path = trimKey(key);
    while (!path.empty()) {
        auto [it, inserted] = m_keys.try_emplace(fold(path));
        if (!inserted) return;
        it->second.name = path;
        path = parentOf(path);
    }
}

void Registry::setValue(std::string_view key, std::string_view name, std::string_view data)
{
    createKey(key);
    Key& k = m_keys[fold(trimKey(key))];
    k.values[fold(name)] = {std::string(name), std::string(data)};
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
    for (auto it = m_keys.lower_bound(prefix); it != m_keys.end() && it->first.starts_with(prefix); ++it) {
        const std::string rest = it->first.substr(prefix.size());
        if (rest.find('\\') == std::string::npos) out.push_back(it->second.name.substr(prefix.size()));
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
    const std::string temporary = m_path + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) throw std::runtime_error("cannot write the registry file " + temporary);
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::remove(temporary.c_str());
        throw std::runtime_error("cannot replace the registry file " + m_path + ": " + ec.message());
    }
}

} // namespace corvane::com
