#pragma once
// How a host hands one of its host-model objects (above all its application)
// through a COM call that takes an IDispatch*, such as ICommand::OnCreate.
//
// The host wraps the object with wrapHostObject() and passes the result as
// the hook. The receiver queries the hook for IHostObjectSource and asks it
// for the object; a hook without that interface is not a host object. Both
// sides are built from the same sources, so the C++ reference may cross the
// call. Called on the host's UI thread only.
//
//   auto hook = corvane::com::wrapHostObject(application);
//   command->OnCreate(hook.get());

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/EmptyDispatch.h"
#include "host/Ref.h"

struct IHostObjectSource : IDispatch {
    // Copies the wrapped object into *object; E_POINTER for a null slot.
    virtual HRESULT STDMETHODCALLTYPE GetHostObject(corvane::host::Ref<corvane::host::HostObject>* object) = 0;

  protected:
    ~IHostObjectSource() = default;
};

inline constexpr IID IID_IHostObjectSource = corvane::com::guid("{DCEF09A3-2A68-426B-8827-39AD20884367}");

namespace corvane::com {

class HostObjectSource : public EmptyDispatch<IHostObjectSource> {
  public:
    explicit HostObjectSource(host::Ref<host::HostObject> object) : m_object(std::move(object)) {}

    HRESULT STDMETHODCALLTYPE GetHostObject(host::Ref<host::HostObject>* object) override
    {
        if (object == nullptr) return E_POINTER;
        *object = m_object;
        return S_OK;
    }

    void* interfaceFor(REFIID iid) noexcept
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IHostObjectSource)
            return static_cast<IHostObjectSource*>(this);
        return nullptr;
    }

  protected:
    ~HostObjectSource() = default;

  private:
    host::Ref<host::HostObject> m_object;
};

// The hook for `object`; empty only when memory is exhausted.
inline ComPtr<IDispatch> wrapHostObject(host::Ref<host::HostObject> object)
{
    return ComPtr<IDispatch>::attach(ComObject<HostObjectSource>::create(std::move(object)));
}

// The host object behind a hook, or an empty reference when the hook is
// null or is not a host object.
inline host::Ref<host::HostObject> unwrapHostObject(IDispatch* hook) noexcept
{
    if (hook == nullptr) return {};
    ComPtr<IHostObjectSource> source;
    if (FAILED(hook->QueryInterface(IID_IHostObjectSource, source.putVoid())) || !source) return {};
    host::Ref<host::HostObject> object;
    if (FAILED(source->GetHostObject(&object))) return {};
    return object;
}

} // namespace corvane::com
