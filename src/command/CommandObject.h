#pragma once
// The COM object of the command class: ICommand and the default interface
// _CorvaneAddressSearch over one CorvaneAddressSearch. It turns the members'
// C++ results into COM strings and Booleans; every vtable call is a barrier
// that no exception crosses, and the members' own failures are not failures
// for the host (S_OK). Reference counting comes from com::ComObject.

#include "com/EmptyDispatch.h"
#include "com/ICommand.h"
#include "command/CorvaneAddressSearch.h"
#include "command/CorvaneGIS.h"

namespace corvane::command {

class CommandObject : public ICommand, public com::EmptyDispatch<_CorvaneAddressSearch> {
  public:
    HRESULT STDMETHODCALLTYPE get_Enabled(VARIANT_BOOL* enabled) override;
    HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* checked) override;
    HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_Caption(BSTR* caption) override;
    HRESULT STDMETHODCALLTYPE get_Tooltip(BSTR* tooltip) override;
    HRESULT STDMETHODCALLTYPE get_Message(BSTR* message) override;
    HRESULT STDMETHODCALLTYPE get_HelpFile(BSTR* helpFile) override;
    HRESULT STDMETHODCALLTYPE get_HelpContextID(LONG* helpContextId) override;
    HRESULT STDMETHODCALLTYPE get_Bitmap(OLE_HANDLE* bitmap) override;
    HRESULT STDMETHODCALLTYPE get_Category(BSTR* category) override;
    HRESULT STDMETHODCALLTYPE OnCreate(IDispatch* hook) override;
    HRESULT STDMETHODCALLTYPE OnClick() override;

    void* interfaceFor(REFIID iid) noexcept;

    // The C++ class behind the vtables (tests).
    CorvaneAddressSearch& command() noexcept { return m_command; }

  protected:
    CommandObject() = default;
    ~CommandObject() = default;

  private:
    CorvaneAddressSearch m_command;
};

// The class table's creation function: a new object, queried for `iid`.
HRESULT createCommandObject(REFIID iid, void** object) noexcept;

} // namespace corvane::command
