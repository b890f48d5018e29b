#pragma once
// Owning pointer to a COM interface: Release on destruction, AddRef on copy.

#include "com/Unknown.h"

#include <utility>

namespace corvane::com {

template <class T> class ComPtr {
  public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes over a reference the caller already owns.
    static ComPtr attach(T* raw) noexcept
    {
        ComPtr p;
        p.m_raw = raw;
        return p;
    }
    ComPtr(const ComPtr& other) noexcept : m_raw(other.m_raw)
    {
        if (m_raw != nullptr) m_raw->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_raw(std::exchange(other.m_raw, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_raw, other.m_raw);
        return *this;
    }
    ~ComPtr() { reset(); }

    void reset() noexcept
    {
        if (m_raw != nullptr) std::exchange(m_raw, nullptr)->Release();
    }
    [[nodiscard]] T* get() const noexcept { return m_raw; }
    T* operator->() const noexcept { return m_raw; }
    explicit operator bool() const noexcept { return m_raw != nullptr; }
    // For out-parameters: releases what is held and hands out the slot.
    T** put() noexcept
    {
        reset();
        return &m_raw;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    [[nodiscard]] T* detach() noexcept { return std::exchange(m_raw, nullptr); }

    template <class U> HRESULT queryInterface(REFIID iid, ComPtr<U>& out) const noexcept
    {
        if (m_raw == nullptr) return E_POINTER;
        return m_raw->QueryInterface(iid, out.putVoid());
    }

  private:
    T* m_raw = nullptr;
};

} // namespace corvane::com
