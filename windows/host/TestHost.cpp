// corvane-test-host: a small Windows host for the command, cross-built like
// the DLL and run under Wine by windows/check-wine.sh. It holds the memory
// host's parcel town, publishes its host classes (with modeless frames that
// are real windows), creates the registered command by its ProgID as the
// native host does, and drives the whole journey through the command's real
// windows: the first click on an empty configuration, the message, the
// configuration dialog, Continue, the search dialog, Go, a number pick, the
// zoom the host records, and the help dialog. Each dialog is saved as a PNG.
// Prints one line per check; the exit code is the number of failed checks.
//
//   corvane-test-host.exe [SCREENSHOT_FOLDER]     (default C:\corvane\shots)
// <windows.h> first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include "JourneyDriver.h"
#include "Screenshot.h"
#include "WindowFinder.h"
#include "com/ComPtr.h"
#include "com/HostBridge.h"
#include "com/ICommand.h"
#include "com/ProcessObjects.h"
#include "memory/MemoryHost.h"
#include "memory/MemoryTown.h"
#include "win32/Win32ModelessFrame.h"
#include "win32/Win32Text.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace corvane;
using namespace corvane::testhost;

constexpr const wchar_t* kProgId = L"CorvaneGIS.CorvaneAddressSearch";
constexpr const wchar_t* kConfigPath = L"C:\\Program Files\\CorvaneGIS\\CorvaneAddressSearch\\config";
const std::wstring kConfigCaption = L"CorvaneAddressSearch - Configure";
const std::wstring kSearchCaption = L"CorvaneAddressSearch";
const std::wstring kHelpCaption = L"CorvaneAddressSearch - Help";

int g_failures = 0;

void check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failures;
}

std::string printable(const std::wstring& text)
{
    std::string out = win32::narrow(text);
    for (std::size_t at = out.find('\n'); at != std::string::npos; at = out.find('\n', at))
        out.replace(at, 1, "\\n");
    for (std::size_t at = out.find('\r'); at != std::string::npos; at = out.find('\r', at))
        out.replace(at, 1, "\\r");
    return out;
}

std::string readFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void clickButton(HWND button)
{
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Paints the window now and saves it.
void screenshot(HWND window, const std::wstring& folder, const wchar_t* name)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME | RDW_ERASE);
    const std::wstring path = folder + L"\\" + name;
    check(saveScreenshot(window, path), "screenshot " + win32::narrow(path));
}

// The user's walk, as steps the driver plays one after another.
std::vector<JourneyStep> journey(const memory::MemoryHost& host, const std::wstring& shots)
{
    struct Seen {
        std::wstring message;
        std::wstring street;
    };
    auto seen = std::make_shared<Seen>();
    std::vector<JourneyStep> steps;
    steps.push_back({"the first click says the tool is not configured", [=] {
                         const auto boxes = topLevelWindows(L"#32770");
                         if (boxes.empty()) return false;
                         seen->message = messageBoxText(boxes.front());
                         check(seen->message.find(L"Tool is not configured.") == 0,
                               "message \"" + printable(seen->message) + "\" titled \"" +
                                   printable(textOf(boxes.front())) + "\"");
                         screenshot(boxes.front(), shots, L"1-message.png");
                         PostMessageW(boxes.front(), WM_COMMAND, IDOK, 0);
                         return true;
                     }});
    steps.push_back({"the configuration dialog lists the layers; pick Parcels", [] {
                         const auto forms = topLevelWindows(L"CorvaneForm", kConfigCaption);
                         if (forms.empty()) return false;
                         const auto lists = childrenOf(forms.front(), L"ListBox");
                         return lists.size() == 3 && pickListEntry(lists[0], L"Parcels");
                     }});
    steps.push_back({"its fields are listed; pick STNAME and ADDNUM", [] {
                         const auto forms = topLevelWindows(L"CorvaneForm", kConfigCaption);
                         if (forms.empty()) return false;
                         const auto lists = childrenOf(forms.front(), L"ListBox");
                         if (lists.size() != 3 || entryCount(lists[1]) == 0) return false;
                         return pickListEntry(lists[1], L"STNAME") && pickListEntry(lists[2], L"ADDNUM");
                     }});
    steps.push_back({"press Continue", [=] {
                         const auto forms = topLevelWindows(L"CorvaneForm", kConfigCaption);
                         if (forms.empty()) return false;
                         screenshot(forms.front(), shots, L"2-configuration.png");
                         HWND button = buttonCaptioned(forms.front(), L"Continue");
                         if (button == nullptr) return false;
                         clickButton(button);
                         return true;
                     }});
    steps.push_back({"the search dialog lists the streets; type ma and press Go", [] {
                         HWND frame = frameHolding(kSearchCaption);
                         if (frame == nullptr) return false;
                         HWND form = formIn(frame);
                         const auto lists = childrenOf(form, L"ListBox");
                         const auto edits = childrenOf(form, L"Edit");
                         HWND go = buttonCaptioned(form, L"Go");
                         if (lists.size() != 2 || edits.empty() || go == nullptr || entryCount(lists[0]) == 0)
                             return false;
                         SetWindowTextW(edits.front(), L"ma");
                         clickButton(go);
                         return true;
                     }});
    steps.push_back({"Go selected a street and listed its numbers; pick 102", [=] {
                         HWND form = formIn(frameHolding(kSearchCaption));
                         if (form == nullptr) return false;
                         const auto lists = childrenOf(form, L"ListBox");
                         if (lists.size() != 2 || entryCount(lists[1]) == 0) return false;
                         seen->street = selectedEntry(lists[0]);
                         check(seen->street == L"MAIN ST", "Go selected \"" + printable(seen->street) + "\"");
                         return pickListEntry(lists[1], L"102");
                     }});
    steps.push_back({"the host zoomed to the parcel; open the help", [=, &host] {
                         if (host.map().refreshCount() == 0) return false;
                         HWND frame = frameHolding(kSearchCaption);
                         if (frame == nullptr) return false;
                         screenshot(frame, shots, L"3-search.png");
                         HWND help = buttonCaptioned(formIn(frame), L"?");
                         if (help == nullptr) return false;
                         clickButton(help);
                         return true;
                     }});
    steps.push_back({"the help dialog is shown; close it", [=] {
                         HWND frame = frameHolding(kHelpCaption);
                         if (frame == nullptr) return false;
                         screenshot(frame, shots, L"4-help.png");
                         PostMessageW(frame, WM_CLOSE, 0, 0);
                         return true;
                     }});
    return steps;
}

// The host's own loop: the dialog manager handles Tab and Enter in the
// frames it shows modelessly.
void runMessageLoop()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        bool handled = false;
        for (HWND frame : topLevelWindows(L"CorvaneModelessFrame"))
            if (!handled && IsChild(frame, message.hwnd) && IsDialogMessageW(frame, &message)) handled = true;
        if (handled) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int run(const std::wstring& shots)
{
    memory::MemoryHost host;
    memory::MemoryTown town(host);
    host.classes().registerClass(host::kModelessFrameClass, [] {
        return host::Ref<host::HostObject>(std::make_shared<win32::Win32ModelessFrame>());
    });
    CorvanePublishProcessObject(com::kHostClassesObject, &host.classes());
    CreateDirectoryW(shots.c_str(), nullptr);

    CLSID clsid{};
    check(CLSIDFromProgID(kProgId, &clsid) == S_OK, "the ProgID names a registered class");
    com::ComPtr<ICommand> command;
    check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_ICommand, command.putVoid()) == S_OK && command,
          "created by its ProgID through the registry, asked for ICommand");
    if (!command) return g_failures;

    // The dialogs' pictures and cursor travel inside the DLL.
    HMODULE library = GetModuleHandleW(L"CorvaneAddressSearch.dll");
    ICONINFO hand{};
    auto cursor = static_cast<HCURSOR>(LoadImageW(library, L"HAND_CUR", IMAGE_CURSOR, 32, 32, 0));
    const bool handOk = cursor != nullptr && GetIconInfo(cursor, &hand) && hand.xHotspot == 10 && hand.yHotspot == 10;
    if (hand.hbmMask != nullptr) DeleteObject(hand.hbmMask);
    if (hand.hbmColor != nullptr) DeleteObject(hand.hbmColor);
    check(handOk, "the DLL carries the pointing hand, hot spot (10, 10)");
    bool pictures = library != nullptr;
    for (const wchar_t* name : {L"LOGO_PNG", L"BUTTON_FACE_PNG", L"BUTTON_FACE_DOWN_PNG", L"GRADIENT_FACE_PNG",
                                L"GRADIENT_FACE_DOWN_PNG", L"HELP_PNG"})
        pictures = pictures && FindResourceW(library, name, MAKEINTRESOURCEW(10)) != nullptr;
    check(pictures, "the DLL carries the dialogs' pictures");

    auto hook = com::wrapHostObject(host.application());
    check(command->OnCreate(hook.get()) == S_OK, "OnCreate with the host's application");
    check(GetFileAttributesW(kConfigPath) != INVALID_FILE_ATTRIBUTES && readFile(kConfigPath).empty(),
          "OnCreate made an empty configuration file under the real C:\\Program Files");

    JourneyDriver driver(journey(host, shots), std::chrono::seconds(90));
    driver.start();
    check(command->OnClick() == S_OK, "the first click returns S_OK once the configuration dialog is done");
    runMessageLoop();
    check(driver.finished(), driver.finished() ? "the whole journey was walked" : "stuck at: " + driver.stuckAt());

    check(readFile(kConfigPath) == "\"Parcels\"\r\n\"STNAME\"\r\n\"ADDNUM\"\r\n",
          "Continue saved the three items in the configuration file");
    // MAIN ST 102 is parcel 5, a 100 by 50 rectangle centred at (200, 300):
    // enlarged by 1.2 about its centre.
    const memory::Box& extent = host.map().extent();
    char text[160];
    std::snprintf(text, sizeof text, "the view zoomed to (%.1f %.1f, %.1f %.1f), %d refresh", extent.xmin, extent.ymin,
                  extent.xmax, extent.ymax, host.map().refreshCount());
    const auto same = [](double a, double b) { return a - b < 1e-9 && b - a < 1e-9; };
    check(same(extent.xmin, 140.0) && same(extent.ymin, 270.0) && same(extent.xmax, 260.0) &&
              same(extent.ymax, 330.0) && host.map().refreshCount() == 1,
          text);

    command.reset();
    CorvanePublishProcessObject(com::kHostClassesObject, nullptr);
    return g_failures;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 100;
    const std::wstring shots = argc > 1 ? argv[1] : L"C:\\corvane\\shots";
    const int failures = run(shots);
    std::printf("%d failed\n", failures);
    std::fflush(stdout);
    // The command's dialogs still hold host objects; the library lets them
    // go when the process ends, as it does in the native host.
    return failures;
}
