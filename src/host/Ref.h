#pragma once
// Shared-ownership reference to a host object. Using an empty reference
// raises error 91 instead of dereferencing null, and interface queries are
// the type tests of the host object model.

#include <memory>
#include <utility>

#include "host/HostError.h"

namespace corvane::host {

// Every interface of the host object model derives virtually from this, so
// that any reference can be queried for any other interface.
struct HostObject {
    HostObject() = default;
    HostObject(const HostObject&) = default;
    HostObject& operator=(const HostObject&) = default;
    virtual ~HostObject() = default;
};

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    Ref(std::shared_ptr<T> ptr) : m_ptr(std::move(ptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(const Ref<U>& other) : m_ptr(other.shared()) {}
    // Moving between interfaces spares the count update of a copy (rows are
    // handed out a million at a time).
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(Ref<U>&& other) noexcept : m_ptr(std::move(other.m_ptr)) {}
    template <class U>
        requires std::is_convertible_v<U*, T*>
    Ref(std::shared_ptr<U> ptr) : m_ptr(std::move(ptr)) {}

    T* operator->() const
    {
        if (!m_ptr) raiseError(errors::kObjectNotSet);
        return m_ptr.get();
    }
    T& operator*() const { return *operator->(); }

    [[nodiscard]] bool isNothing() const noexcept { return !m_ptr; }
    explicit operator bool() const noexcept { return static_cast<bool>(m_ptr); }
    [[nodiscard]] const std::shared_ptr<T>& shared() const noexcept { return m_ptr; }
    [[nodiscard]] T* get() const noexcept { return m_ptr.get(); }
    void reset() noexcept { m_ptr.reset(); }

    // TypeOf test: an empty reference supports nothing.
    template <class U>
    [[nodiscard]] bool is() const noexcept
    {
        return dynamic_cast<U*>(m_ptr.get()) != nullptr;
    }

    // Assignment to a variable of another interface type: empty stays empty,
    // an object that lacks the interface raises a type mismatch.
    template <class U>
    [[nodiscard]] Ref<U> as() const
    {
        if (!m_ptr) return {};
        auto cast = std::dynamic_pointer_cast<U>(m_ptr);
        if (!cast) raiseError(errors::kTypeMismatch);
        return Ref<U>(std::move(cast));
    }

    friend bool operator==(const Ref& a, const Ref& b) noexcept { return a.m_ptr == b.m_ptr; }

private:
    template <class U>
    friend class Ref;
    std::shared_ptr<T> m_ptr;
};

template <class T, class... Args>
Ref<T> makeRef(Args&&... args)
{
    return Ref<T>(std::make_shared<T>(std::forward<Args>(args)...));
}

} // namespace corvane::host
