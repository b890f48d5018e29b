#include "com/ClassFactory.h"

#include "com/ServerLock.h"

namespace corvane::com {

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return m_entry.createInstance(iid, object);
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock)
{
    lockServer(lock != 0);
    return S_OK;
}

void* ClassFactory::interfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return static_cast<IClassFactory*>(this);
    return nullptr;
}

} // namespace corvane::com
