#include "com/DynamicLibrary.h"

#ifndef _WIN32

#include <dlfcn.h>
#include <filesystem>

namespace corvane::com {

DynamicLibrary::DynamicLibrary(const std::string& path) : m_path(path)
{
    // RTLD_LOCAL: each server keeps its own copy of everything it linked.
    m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        const char* why = dlerror();
        throw LoadError("cannot load " + path + ": " + (why != nullptr ? why : "unknown error"));
    }
}

DynamicLibrary::~DynamicLibrary()
{
    if (m_handle != nullptr) dlclose(m_handle);
}

void* DynamicLibrary::symbol(const char* name) const noexcept
{
    if (m_handle == nullptr) return nullptr;
    return dlsym(m_handle, name);
}

std::string modulePathOf(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return {};
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(info.dli_fname, ec);
    return ec ? std::string(info.dli_fname) : absolute.lexically_normal().string();
}

} // namespace corvane::com

#endif // _WIN32
