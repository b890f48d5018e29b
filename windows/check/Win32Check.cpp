// The Wine check of the Windows platform layer: the file system on the real
// drives (error numbers, the one-step replacing save) and the windowing
// layer's windows against the shared form model (sorted insertion, clicks
// raised by code and by the user, typing, Enter, drawn labels, modal runs,
// unloading from a handler, the busy pointer). Needs a display. Prints one
// line per check; the exit code is the number of failed checks.
//
//   corvane-win32-check.exe SCRATCH_FOLDER
// clang-format off
#include <windows.h>
#include <objbase.h>
// clang-format on

#include "host/FileSystem.h"
#include "host/HostError.h"
#include "ui/Form.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32FormPeer.h"
#include "win32/Win32Module.h"
#include "win32/Win32Text.h"
#include "win32/Win32Toolkit.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace corvane;

int g_failures = 0;

void check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failures;
}

// The error number an action raises, or 0.
template <class F> std::int32_t errorOf(F&& action)
{
    try {
        action();
    } catch (const host::HostError& e) {
        return e.number();
    }
    return 0;
}

std::string readAll(host::FileSystem& files, const std::string& path)
{
    auto stream = files.open(path, host::OpenMode::Input);
    std::string content = stream->readAll();
    stream->close();
    return content;
}

void writeFile(host::FileSystem& files, const std::string& path, const std::string& bytes, host::OpenMode mode)
{
    auto stream = files.open(path, mode);
    stream->write(bytes);
    stream->close();
}

void checkFileSystem(const std::string& scratch)
{
    win32::Win32FileSystem files;
    check(files.folderExists("C:\\Program Files\\") && !files.fileExists("C:\\Program Files\\"),
          "C:\\Program Files\\ is a folder of the real drive C:");
    check(!files.folderExists("Q:\\Program Files\\"), "a drive that is not there has no Program Files");

    const std::string base = scratch + "\\files";
    check(errorOf([&] { files.createFolder(base); }) == 0 && files.folderExists(base + "\\"), "a folder is created");
    check(errorOf([&] { files.createFolder(base); }) == host::errors::kFileAlreadyExists,
          "creating it again raises 58");
    check(errorOf([&] { files.createFolder(base + "\\missing\\level"); }) == host::errors::kPathNotFound,
          "a folder whose parent is missing raises 76");
    check(errorOf([&] { files.open(base + "\\none", host::OpenMode::Input); }) == host::errors::kFileNotFound,
          "reading a missing file raises 53");
    check(errorOf([&] { files.open(base + "\\missing\\none", host::OpenMode::Input); }) == host::errors::kPathNotFound,
          "reading from a missing folder raises 76");
    check(errorOf([&] { files.open(base, host::OpenMode::Input); }) == host::errors::kPathFileAccessError,
          "opening a folder as a file raises 75");
    check(errorOf([&] { files.deleteFile(base + "\\none"); }) == host::errors::kFileNotFound,
          "deleting a missing file raises 53");

    const std::string config = base + "\\config";
    const std::string fresh = base + "\\config.new";
    writeFile(files, config, "\"old\"\r\n", host::OpenMode::Append);
    writeFile(files, config, "\"more\"\r\n", host::OpenMode::Append);
    check(readAll(files, config) == "\"old\"\r\n\"more\"\r\n", "appending adds at the end");
    writeFile(files, fresh, "\"new\"\r\n", host::OpenMode::Output);
    check(errorOf([&] { files.rename(fresh, config); }) == 0 && readAll(files, config) == "\"new\"\r\n" &&
              !files.fileExists(fresh),
          "a save replaces the existing file in one step");
    check(errorOf([&] { files.rename(fresh, config); }) == host::errors::kFileNotFound,
          "replacing from a missing file raises 53");
    writeFile(files, fresh, "x", host::OpenMode::Output);
    check(errorOf([&] { files.rename(fresh, base); }) == host::errors::kPathFileAccessError,
          "replacing a folder raises 75");
    check(errorOf([&] { files.deleteFile(fresh); }) == 0 && errorOf([&] { files.deleteFile(config); }) == 0 &&
              !files.fileExists(config),
          "files are deleted");
}

constexpr ui::ControlSpec listSpec()
{
    ui::ControlSpec spec{};
    spec.name = "List1";
    spec.kind = ui::ControlKind::ListBox;
    spec.left = 120;
    spec.top = 120;
    spec.width = 2400;
    spec.height = 1500;
    spec.tabIndex = 1;
    spec.sorted = true;
    spec.tooltip = "Pick one";
    return spec;
}

constexpr ui::ControlSpec textSpec()
{
    ui::ControlSpec spec{};
    spec.name = "Text1";
    spec.kind = ui::ControlKind::TextBox;
    spec.left = 2700;
    spec.top = 120;
    spec.width = 1500;
    spec.height = 315;
    spec.tabIndex = 0;
    return spec;
}

constexpr ui::ControlSpec labelSpec()
{
    ui::ControlSpec spec{};
    spec.name = "Label1";
    spec.kind = ui::ControlKind::Label;
    spec.left = 2700;
    spec.top = 600;
    spec.width = 1500;
    spec.height = 300;
    spec.caption = "Label";
    return spec;
}

constexpr ui::ControlSpec buttonSpec()
{
    ui::ControlSpec spec{};
    spec.name = "Command1";
    spec.kind = ui::ControlKind::CommandButton;
    spec.left = 2700;
    spec.top = 1200;
    spec.width = 1500;
    spec.height = 345;
    spec.caption = "OK";
    spec.tabIndex = 2;
    spec.isDefault = true;
    return spec;
}

constexpr std::array kControls{listSpec(), textSpec(), labelSpec(), buttonSpec()};
constexpr ui::FormSpec kFormSpec{"frmCheck", "Check", 4500, 1800, {171, 181, 193}, {}, kControls};

class CheckForm final : public ui::Form {
  public:
    CheckForm() : Form(kFormSpec)
    {
        listBox("List1").Click = [this] { ++listClicks; };
        captioned("Command1").Click = [this] {
            ++buttonClicks;
            if (unloadOnClick) Unload();
        };
        captioned("Label1").Click = [this] { ++labelClicks; };
    }
    int listClicks = 0;
    int buttonClicks = 0;
    int labelClicks = 0;
    bool unloadOnClick = false;
};

HWND childOf(HWND form, const wchar_t* className)
{
    HWND found = nullptr;
    for (HWND c = GetWindow(form, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(c, name, 64);
        if (found == nullptr && lstrcmpiW(name, className) == 0) found = c;
    }
    return found;
}

std::vector<std::string> listEntries(HWND list)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(win32::narrow(text));
    }
    return entries;
}

void pumpMessages()
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

CheckForm* g_modalForm = nullptr;
LPARAM g_labelPoint = 0;

void CALLBACK clickModalLabel(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (g_modalForm == nullptr) return;
    // The click is handled before SendMessage returns; only then does the
    // run end, so the two can never come in the other order.
    SendMessageW(reinterpret_cast<HWND>(g_modalForm->hWnd()), WM_LBUTTONUP, 0, g_labelPoint);
    g_modalForm->Hide();
    g_modalForm = nullptr;
}

void checkToolkit()
{
    win32::Win32Toolkit toolkit;
    ui::setToolkit(&toolkit);
    const int perPixel = toolkit.twipsPerPixelX();
    check(perPixel == win32::screenTwipsPerPixel() && perPixel > 0,
          "twips per pixel from the screen's DPI: " + std::to_string(perPixel));

    auto form = std::make_shared<CheckForm>();
    form->Load();
    HWND window = reinterpret_cast<HWND>(form->hWnd());
    RECT client{};
    GetClientRect(window, &client);
    check(client.right == win32::toPixels(4500, perPixel) && client.bottom == win32::toPixels(1800, perPixel),
          "the window's client area is the table's size in pixels");
    HWND list = childOf(window, L"ListBox");
    HWND edit = childOf(window, L"Edit");
    HWND button = childOf(window, L"Button");
    check(list != nullptr && edit != nullptr && button != nullptr && childOf(window, L"Static") == nullptr,
          "lists, text boxes and buttons are windows; labels are drawn");

    HWND first = GetNextDlgTabItem(window, nullptr, FALSE);
    HWND second = first != nullptr ? GetNextDlgTabItem(window, first, FALSE) : nullptr;
    HWND third = second != nullptr ? GetNextDlgTabItem(window, second, FALSE) : nullptr;
    check(first == edit && second == list && third == button, "Tab follows the table's tab order");

    ui::ListBox& model = form->listBox("List1");
    for (const char* entry : {"b", "A", "c", "a", "B"})
        model.AddItem(entry);
    check(listEntries(list) == model.items() && model.items() == std::vector<std::string>{"A", "a", "b", "B", "c"},
          "sorted insertion ignores case and keeps equal entries in arrival order, in the window too");

    model.ListIndex(3);
    check(form->listClicks == 1 && SendMessageW(list, LB_GETCURSEL, 0, 0) == 3,
          "selecting in code raises the click once and selects in the window");
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    check(form->listClicks == 2 && model.ListIndex() == 1 && model.Text() == "a", "a user's pick reaches the model");
    model.AddItem("0");
    check(model.ListIndex() == 2 && SendMessageW(list, LB_GETCURSEL, 0, 0) == 2,
          "an entry added before the selection moves it in both");
    model.Clear();
    check(SendMessageW(list, LB_GETCOUNT, 0, 0) == 0 && form->listClicks == 2, "clearing raises no click");

    SetWindowTextW(edit, L"Ma\u00efn");
    check(form->textBox("Text1").Text() == "Ma\xc3\xafn", "typing reaches the model as UTF-8");
    form->textBox("Text1").Text("OAK");
    wchar_t typed[16] = {};
    GetWindowTextW(edit, typed, 16);
    check(std::wstring(typed) == L"OAK", "a text set in code shows in the window");

    form->Show(ui::vbModeless);
    pumpMessages();
    MSG enter{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    SetFocus(edit);
    if (!IsDialogMessageW(window, &enter)) DispatchMessageW(&enter);
    pumpMessages();
    check(form->buttonClicks == 1, "Enter presses the default button");

    const RECT label{win32::toPixels(2700, perPixel), win32::toPixels(600, perPixel), 0, 0};
    g_labelPoint = MAKELPARAM(label.left + 3, label.top + 3);
    SendMessageW(window, WM_LBUTTONUP, 0, g_labelPoint);
    check(form->labelClicks == 1, "a click on a drawn label raises its click");

    toolkit.setMousePointer(ui::MousePointer::Hourglass);
    const bool busy = toolkit.mousePointer() == ui::MousePointer::Hourglass;
    toolkit.setMousePointer(ui::MousePointer::Default);
    check(busy && toolkit.mousePointer() == ui::MousePointer::Default, "the busy pointer is set and restored");

    form->Hide();
    g_modalForm = form.get();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    bool otherDisabled = false;
    form->captioned("Label1").Click = [&] { otherDisabled = IsWindowEnabled(other) == FALSE; };
    SetTimer(nullptr, 0, 10, clickModalLabel);
    form->Show(ui::vbModal);
    check(!form->Visible() && IsWindowEnabled(other), "a modal run ends when the form hides, and re-enables the rest");
    check(otherDisabled, "other windows are disabled during the modal run");
    DestroyWindow(other);

    form->unloadOnClick = true;
    form->Show(ui::vbModeless);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    check(!form->Loaded() && IsWindow(window) && !IsWindowVisible(window),
          "unloading from its own click hides the window at once");
    pumpMessages();
    check(!IsWindow(window), "and destroys it once the click has returned");
    ui::setToolkit(nullptr);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) return 100;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    checkFileSystem(win32::narrow(argv[1]));
    checkToolkit();
    CoUninitialize();
    std::printf("%d failed\n", g_failures);
    return g_failures;
}
