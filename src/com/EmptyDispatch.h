#pragma once
// IDispatch for an interface that has no members of its own: no type
// information, no names, nothing to invoke. Derive from EmptyDispatch<I>
// where I is the dispatch interface.

#include "com/Unknown.h"

namespace corvane::com {

inline constexpr DISPID kDispidUnknown = -1;

template <class DispatchInterface> class EmptyDispatch : public DispatchInterface {
  public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, OLECHAR**, UINT count, LCID, DISPID* ids) override
    {
        if (ids != nullptr)
            for (UINT i = 0; i < count; ++i)
                ids[i] = kDispidUnknown;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }

  protected:
    EmptyDispatch() = default;
    ~EmptyDispatch() = default;
};

} // namespace corvane::com
