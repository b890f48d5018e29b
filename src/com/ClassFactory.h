#pragma once
// The class factory that the server support hands out for each class of a
// server's table. Creating an object or locking the factory keeps the
// server from unloading.

#include "com/Server.h"
#include "com/Unknown.h"

namespace corvane::com {

class ClassFactory : public IClassFactory {
  public:
    explicit ClassFactory(const CoClassEntry& entry) : m_entry(entry) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

    void* interfaceFor(REFIID iid) noexcept;

  protected:
    ~ClassFactory() = default;

  private:
    const CoClassEntry& m_entry;
};

} // namespace corvane::com
