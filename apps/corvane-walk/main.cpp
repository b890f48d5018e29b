// corvane-walk: a walk through the command without a display. It registers
// the server library in a temporary registry, creates the command through
// COM as a host does, hands it an in-memory host with a small town, and
// clicks it: first on an empty configuration (the user picks the parcel
// layer and its fields in the configuration dialog), then again. Every
// message box and every dialog shown is printed as it happens.
//
//   corvane-walk [--library PATH]
#include "Installer.h"
#include "com/BstrText.h"
#include "com/ComServerLoader.h"
#include "com/HostBridge.h"
#include "com/ProcessObjects.h"
#include "com/Registry.h"
#include "headless/HeadlessToolkit.h"
#include "memory/MemoryHost.h"
#include "memory/MemoryTown.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScratchFolder.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

namespace {

using namespace corvane;

std::string printable(std::string text)
{
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 4))
        text.replace(at, 2, "\\r\\n");
    return text;
}

std::string stringProperty(ICommand& command, HRESULT (STDMETHODCALLTYPE ICommand::*getter)(BSTR*))
{
    BSTR text = nullptr;
    const HRESULT hr = (command.*getter)(&text);
    std::string out = SUCCEEDED(hr) ? com::fromBstr(text) : "(failed)";
    SysFreeString(text);
    return out;
}

void printProperties(ICommand& command)
{
    VARIANT_BOOL enabled = 0;
    VARIANT_BOOL checked = 0;
    LONG help = 0;
    OLE_HANDLE bitmap = 0;
    command.get_Enabled(&enabled);
    command.get_Checked(&checked);
    command.get_HelpContextID(&help);
    command.get_Bitmap(&bitmap);
    std::cout << "  Enabled       " << enabled << "\n"
              << "  Checked       " << checked << "\n"
              << "  Name          " << stringProperty(command, &ICommand::get_Name) << "\n"
              << "  Caption       " << stringProperty(command, &ICommand::get_Caption) << "\n"
              << "  Tooltip       " << stringProperty(command, &ICommand::get_Tooltip) << "\n"
              << "  Message       " << stringProperty(command, &ICommand::get_Message) << "\n"
              << "  HelpFile      \"" << stringProperty(command, &ICommand::get_HelpFile) << "\"\n"
              << "  HelpContextID " << help << "\n"
              << "  Bitmap        0x" << std::hex << bitmap << std::dec << "\n"
              << "  Category      " << stringProperty(command, &ICommand::get_Category) << "\n";
}

int indexOf(const ui::ListBox& list, const std::string& text)
{
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == text) return i;
    return -1;
}

// The user in the configuration dialog: parcel layer, street field, number field, Continue.
void configureTown(ui::Form& form)
{
    std::cout << "  [" << form.name() << " shown modally, no owner]\n";
    const std::pair<const char*, const char*> picks[] = {
        {"List1", "Parcels"}, {"List2", "STNAME"}, {"List3", "ADDNUM"}};
    for (const auto& [list, text] : picks) {
        const int index = indexOf(form.listBox(list), text);
        std::cout << "  user picks \"" << text << "\" in " << list << " (" << form.listBox(list).ListCount()
                  << " entries)\n";
        form.userSelect(list, index);
    }
    std::cout << "  user clicks Continue\n";
    form.userClick("Command1");
}

void printFrames(const memory::MemoryHost& host)
{
    for (const auto& frame : host.frames())
        std::cout << "  [modeless frame " << frame->id() << " \"" << frame->caption() << "\" "
                  << (frame->visible() ? "visible" : "hidden") << "]\n";
}

int walk(const std::string& libraryPath)
{
    posix::ScratchFolder scratch;
    scratch.makeFolder("C/Program Files");
    const std::string registryPath = (scratch.path() / "registry.reg").string();
    setenv("CORVANE_REGISTRY", registryPath.c_str(), 1);

    // The host's services, published before any server is loaded.
    headless::HeadlessToolkit toolkit;
    memory::MemoryHost host;
    memory::MemoryTown town(host);
    posix::PosixFileSystem files;
    files.mapDrive('C', scratch.path() / "C");
    CorvanePublishProcessObject(com::kToolkitObject, &toolkit);
    CorvanePublishProcessObject(com::kFileSystemObject, &files);
    CorvanePublishProcessObject(com::kHostClassesObject, &host.classes());
    toolkit.onMessageBox([](const headless::MessageBoxRecord& box) {
        std::cout << "  [message box \"" << box.title << "\"" << (box.modalForm.empty() ? "" : " over " + box.modalForm)
                  << "] " << printable(box.prompt) << "\n";
    });

    std::cout << "Drive C: is " << (scratch.path() / "C").string() << "\n";
    for (const std::string& clsid : regsvr::installServer(libraryPath, registryPath))
        std::cout << "Registered " << clsid << " from " << libraryPath << "\n";

    com::ComServerLoader loader(registryPath);
    com::ComPtr<ICommand> command = loader.createCommand("CorvaneGIS.CorvaneAddressSearch");
    std::cout << "Created CorvaneGIS.CorvaneAddressSearch through its class factory\n";
    printProperties(*command.get());

    std::cout << "OnCreate with the host application\n";
    auto hook = com::wrapHostObject(host.application());
    command->OnCreate(hook.get());
    const auto config = scratch.path() / "C/Program Files/CorvaneGIS/CorvaneAddressSearch/config";
    std::cout << "  config: " << config.string() << " (" << std::filesystem::file_size(config) << " bytes)\n";

    std::cout << "Click 1 (empty configuration)\n";
    toolkit.whenModal("frmConfig", configureTown);
    command->OnClick();
    printFrames(host);
    std::cout << "  config now holds: "
              << printable(scratch.readFile("C/Program Files/CorvaneGIS/CorvaneAddressSearch/config")) << "\n";

    std::cout << "Click 2 (configured)\n";
    command->OnClick();
    printFrames(host);

    command.reset();
    std::cout << "Released the command; server can unload: "
              << (loader.freeUnusedLibraries() == 0 ? "yes" : "no (dialogs still hold it)") << "\n";
    regsvr::uninstallServer(libraryPath, registryPath);
    std::cout << "Unregistered; registry left empty: " << (com::Registry(registryPath).empty() ? "yes" : "no") << "\n";

    CorvanePublishProcessObject(com::kToolkitObject, nullptr);
    CorvanePublishProcessObject(com::kFileSystemObject, nullptr);
    CorvanePublishProcessObject(com::kHostClassesObject, nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string library = CORVANE_SERVER_LIBRARY;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--library" && i + 1 < argc)
            library = argv[++i];
        else {
            std::cerr << "usage: corvane-walk [--library PATH]\n";
            return 2;
        }
    }
    try {
        return walk(library);
    } catch (const std::exception& e) {
        std::cerr << "corvane-walk: " << e.what() << "\n";
        return 1;
    }
}
