#pragma once
// Reference counting and interface lookup for a COM class, kept out of the
// interfaces themselves so that their vtables stay pure.
//
//   class Impl : public ICommand, public IOther {
//   public:
//       void* interfaceFor(REFIID iid) noexcept;  // nullptr when unsupported
//       ...
//   };
//   ICommand* p = ComObject<Impl>::create();   // one reference, owned by the caller
//
// Every live object counts towards the server's DllCanUnloadNow.

#include "com/ServerLock.h"
#include "com/Unknown.h"

#include <atomic>
#include <new>
#include <utility>

namespace corvane::com {

template <class Impl> class ComObject final : public Impl {
  public:
    template <class... Args> explicit ComObject(Args&&... args) : Impl(std::forward<Args>(args)...) { objectCreated(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    ~ComObject() { objectDestroyed(); }

    // A new object with one reference, or nullptr when memory or the
    // constructor failed.
    template <class... Args> static ComObject* create(Args&&... args) noexcept
    {
        try {
            return new ComObject(std::forward<Args>(args)...);
        } catch (...) {
            return nullptr;
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        *object = this->interfaceFor(iid);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

  private:
    std::atomic<ULONG> m_references{1};
};

// Creates an object and hands out the requested interface; the creation
// reference is dropped, so a failed query destroys the object again.
template <class Impl, class... Args> HRESULT createComObject(REFIID iid, void** object, Args&&... args) noexcept
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    auto* created = ComObject<Impl>::create(std::forward<Args>(args)...);
    if (created == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

} // namespace corvane::com
