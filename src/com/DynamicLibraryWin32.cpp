#include "com/DynamicLibrary.h"

#ifdef _WIN32

#include <filesystem>
#include <windows.h>

namespace corvane::com {

DynamicLibrary::DynamicLibrary(const std::string& path) : m_path(path)
{
    m_handle = LoadLibraryW(std::filesystem::path(path).wstring().c_str());
    if (m_handle == nullptr) throw LoadError("cannot load " + path + ": error " + std::to_string(GetLastError()));
}

DynamicLibrary::~DynamicLibrary()
{
    if (m_handle != nullptr) FreeLibrary(static_cast<HMODULE>(m_handle));
}

void* DynamicLibrary::symbol(const char* name) const noexcept
{
    if (m_handle == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(m_handle), name));
}

std::string modulePathOf(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return {};
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, buffer, MAX_PATH);
    if (length == 0 || length == MAX_PATH) return {};
    return std::filesystem::path(std::wstring(buffer, length)).string();
}

} // namespace corvane::com

#endif // _WIN32
