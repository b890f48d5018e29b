#pragma once
// The host's command interface (esriSystemUI), in slot order. The host reads
// the properties for its toolbar and calls OnCreate once and OnClick on each
// press, always on its UI thread.

#include "com/Unknown.h"

struct ICommand : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* checked) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Tooltip(BSTR* tooltip) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Message(BSTR* message) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* helpFile) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HelpContextID(LONG* helpContextId) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Bitmap(OLE_HANDLE* bitmap) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnCreate(IDispatch* hook) = 0;
    virtual HRESULT STDMETHODCALLTYPE OnClick() = 0;

  protected:
    ~ICommand() = default;
};

inline constexpr IID IID_ICommand = corvane::com::guid("{36B06538-4437-11D1-B970-080009EE4E51}");
