#pragma once
// The toolbar command the host creates: its fixed properties, its creation
// (OnCreate) and its click (OnClick). The host reaches it through the COM
// object of CommandObject.h, on its UI thread only.
//
// Every member traps its own errors: it shows a message box naming itself
// and returns normally (a getter then gives its default result). No member
// throws, and none reports a failure to its caller.

#include "com/Types.h"
#include "host/Application.h"
#include "host/Ref.h"

#include <cstdint>
#include <string>

class CorvaneAddressSearch {
  public:
    CorvaneAddressSearch() = default;
    CorvaneAddressSearch(const CorvaneAddressSearch&) = delete;
    CorvaneAddressSearch& operator=(const CorvaneAddressSearch&) = delete;
    ~CorvaneAddressSearch();

    bool ICommand_Enabled();
    bool ICommand_Checked();
    std::string ICommand_Name();
    std::string ICommand_Caption();
    std::string ICommand_Tooltip();
    std::string ICommand_Message();
    std::string ICommand_HelpFile();
    std::int32_t ICommand_HelpContextID();
    // The handle of frmResources' Picture1; 0 (and no message) on an error.
    OLE_HANDLE ICommand_Bitmap();
    std::string ICommand_Category();

    // The hook is the host's application. An empty hook is kept as empty;
    // any other object that is not an IApplication fails the creation.
    void ICommand_OnCreate(const corvane::host::Ref<corvane::host::HostObject>& hook);
    void ICommand_OnClick();

    // The hook handed to OnCreate, kept for the life of the command.
    corvane::host::Ref<corvane::host::IApplication> HookApplication;

  private:
    void Class_Terminate();
};
