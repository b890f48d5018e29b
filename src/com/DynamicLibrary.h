#pragma once
// A loaded shared library (dlopen / LoadLibrary), closed with the object.

#include <memory>
#include <stdexcept>
#include <string>

namespace corvane::com {

class LoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class DynamicLibrary {
  public:
    // Throws LoadError with the loader's own explanation.
    explicit DynamicLibrary(const std::string& path);
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    [[nodiscard]] const std::string& path() const noexcept { return m_path; }
    // nullptr when the library has no such export.
    [[nodiscard]] void* symbol(const char* name) const noexcept;
    // Keeps the library mapped for the rest of the process.
    void leak() noexcept { m_handle = nullptr; }

  private:
    std::string m_path;
    void* m_handle = nullptr;
};

// The file of the loaded library (or program) that holds `address`; empty
// when it cannot be told.
[[nodiscard]] std::string modulePathOf(const void* address);

} // namespace corvane::com
