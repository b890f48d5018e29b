#include "command/CommandObject.h"

#include "com/BstrText.h"
#include "com/ComObject.h"
#include "com/HostBridge.h"

#include <string>

namespace corvane::command {

namespace {

// What a hook that is not one of our host's objects stands for: an object
// that offers no host interface, so taking it as the application fails.
struct ForeignObject final : host::HostObject {};

template <class Getter> HRESULT getString(BSTR* out, Getter getter) noexcept
{
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    try {
        const std::string text = getter();
        *out = com::toBstr(text);
        // A missing string reads as the empty string, which is also what a
        // trapped getter gives; the host is never told of a failure.
    } catch (...) {
    }
    return S_OK;
}

VARIANT_BOOL toVariantBool(bool value) noexcept
{
    return value ? VARIANT_TRUE : VARIANT_FALSE;
}

// Holds a reference for the length of a call: a host that releases the
// command from inside it (while the modal configuration dialog runs, say)
// must not destroy the object under its own feet.
class KeepAlive {
  public:
    explicit KeepAlive(ICommand* object) noexcept : m_object(object) { m_object->AddRef(); }
    KeepAlive(const KeepAlive&) = delete;
    KeepAlive& operator=(const KeepAlive&) = delete;
    ~KeepAlive() { m_object->Release(); }

  private:
    ICommand* m_object;
};

} // namespace

HRESULT STDMETHODCALLTYPE CommandObject::get_Enabled(VARIANT_BOOL* enabled)
{
    if (enabled == nullptr) return E_POINTER;
    *enabled = toVariantBool(m_command.ICommand_Enabled());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Checked(VARIANT_BOOL* checked)
{
    if (checked == nullptr) return E_POINTER;
    *checked = toVariantBool(m_command.ICommand_Checked());
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Name(BSTR* name)
{
    return getString(name, [this] { return m_command.ICommand_Name(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Caption(BSTR* caption)
{
    return getString(caption, [this] { return m_command.ICommand_Caption(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Tooltip(BSTR* tooltip)
{
    return getString(tooltip, [this] { return m_command.ICommand_Tooltip(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Message(BSTR* message)
{
    return getString(message, [this] { return m_command.ICommand_Message(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::get_HelpFile(BSTR* helpFile)
{
    return getString(helpFile, [this] { return m_command.ICommand_HelpFile(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::get_HelpContextID(LONG* helpContextId)
{
    if (helpContextId == nullptr) return E_POINTER;
    *helpContextId = m_command.ICommand_HelpContextID();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Bitmap(OLE_HANDLE* bitmap)
{
    if (bitmap == nullptr) return E_POINTER;
    *bitmap = m_command.ICommand_Bitmap();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandObject::get_Category(BSTR* category)
{
    return getString(category, [this] { return m_command.ICommand_Category(); });
}

HRESULT STDMETHODCALLTYPE CommandObject::OnCreate(IDispatch* hook)
{
    const KeepAlive alive(this);
    try {
        host::Ref<host::HostObject> object = com::unwrapHostObject(hook);
        if (hook != nullptr && object.isNothing()) object = host::makeRef<ForeignObject>();
        m_command.ICommand_OnCreate(object);
    } catch (...) {
        // Only memory can fail here, before the member could trap it.
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CommandObject::OnClick()
{
    const KeepAlive alive(this);
    m_command.ICommand_OnClick();
    return S_OK;
}

void* CommandObject::interfaceFor(REFIID iid) noexcept
{
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__CorvaneAddressSearch)
        return static_cast<_CorvaneAddressSearch*>(this);
    if (iid == IID_ICommand) return static_cast<ICommand*>(this);
    return nullptr;
}

HRESULT createCommandObject(REFIID iid, void** object) noexcept
{
    return com::createComObject<CommandObject>(iid, object);
}

} // namespace corvane::command
