// The Wine check's client: creates the registered command as a host does,
// by ProgID and by class identifier, and checks what it answers, its type
// library, its version resource and its unload test. Prints one line per
// check; the exit code is the number of failed checks.
// <windows.h> first: the OLE headers build on it.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include "com/ICommand.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr CLSID kClsid = corvane::com::guid("{874DCB92-E85B-476F-A001-73770CC0A220}");
constexpr IID kDefaultInterface = corvane::com::guid("{BAB6E39E-B393-4F3D-A633-6493195648BC}");
constexpr GUID kLibid = corvane::com::guid("{7796FB90-1ED0-40B7-A276-1E465D5D1DB1}");
// The stand-in of the host's own type library, which holds ICommand.
constexpr GUID kHostLibid = corvane::com::guid("{238CBAEB-F415-442E-81F8-804D1F98FB59}");

int g_failures = 0;
std::vector<std::string> g_prompts;

// Answers the command's message boxes as a user would, noting each prompt:
// with its own windowing layer the command now tells the user what failed
// instead of failing quietly.
BOOL CALLBACK answerMessageBox(HWND window, LPARAM)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
    std::string prompt;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        const int length = GetWindowTextW(c, text, 512);
        std::string narrowText;
        for (int i = 0; i < length; ++i)
            narrowText +=
                text[i] == L'\r' || text[i] == L'\n' ? ' ' : (text[i] < 128 ? static_cast<char>(text[i]) : '?');
        if (narrowText.size() > prompt.size() && narrowText != "OK") prompt = narrowText;
    }
    g_prompts.push_back(prompt);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void CALLBACK answerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), answerMessageBox, 0);
}

void check(bool ok, const std::string& what)
{
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok) ++g_failures;
}

std::string narrow(const wchar_t* text, std::size_t length)
{
    std::string out;
    for (std::size_t i = 0; i < length; ++i)
        out += text[i] < 128 ? static_cast<char>(text[i]) : '?';
    return out;
}

void checkString(ICommand* command, HRESULT (STDMETHODCALLTYPE ICommand::*getter)(BSTR*), const char* name,
                 const wchar_t* expected)
{
    BSTR text = nullptr;
    const HRESULT hr = (command->*getter)(&text);
    const std::wstring want(expected);
    const bool ok = hr == S_OK && text != nullptr && SysStringLen(text) == want.size() &&
                    std::wstring(text, SysStringLen(text)) == want;
    check(ok, std::string(name) + " = \"" + (text ? narrow(text, SysStringLen(text)) : "(null)") + "\"");
    SysFreeString(text);
}

void checkProperties(ICommand* command)
{
    VARIANT_BOOL enabled = 0;
    VARIANT_BOOL checked = 1;
    check(command->get_Enabled(&enabled) == S_OK && enabled == VARIANT_TRUE, "Enabled is VARIANT_TRUE");
    check(command->get_Checked(&checked) == S_OK && checked == VARIANT_FALSE, "Checked is VARIANT_FALSE");
    checkString(command, &ICommand::get_Name, "Name", L"CorvaneGIS_CorvaneAddressSearch");
    checkString(command, &ICommand::get_Caption, "Caption", L"CorvaneAddressSearch");
    checkString(command, &ICommand::get_Tooltip, "Tooltip", L"CorvaneAddressSearch - Zoom to an address");
    checkString(command, &ICommand::get_Message, "Message", L"CorvaneGIS: www.corvanegis.example.com");
    checkString(command, &ICommand::get_HelpFile, "HelpFile", L"");
    checkString(command, &ICommand::get_Category, "Category", L"CorvaneGIS");
    LONG help = -1;
    check(command->get_HelpContextID(&help) == S_OK && help == 0, "HelpContextID is 0");
    OLE_HANDLE first = 0;
    OLE_HANDLE second = 0;
    check(command->get_Bitmap(&first) == S_OK && command->get_Bitmap(&second) == S_OK && first != 0 && first == second,
          "Bitmap is a non-zero handle, the same on each call");
}

void checkDefaultInterface(ICommand* command)
{
    IDispatch* dispatch = nullptr;
    check(command->QueryInterface(kDefaultInterface, reinterpret_cast<void**>(&dispatch)) == S_OK && dispatch,
          "_CorvaneAddressSearch is offered");
    if (dispatch == nullptr) return;
    UINT count = 9;
    check(dispatch->GetTypeInfoCount(&count) == S_OK && count == 0, "_CorvaneAddressSearch has no type information");
    wchar_t name[] = L"Caption";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    check(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0x0409, &id) == DISP_E_UNKNOWNNAME,
          "_CorvaneAddressSearch knows no member names");
    dispatch->Release();
}

void checkTypeLibrary()
{
    ITypeLib* lib = nullptr;
    const HRESULT hr = LoadRegTypeLib(kLibid, 1, 0, 0x0409, &lib);
    check(hr == S_OK && lib != nullptr, "LoadRegTypeLib finds CorvaneGIS 1.0");
    if (lib == nullptr) return;
    TLIBATTR* attr = nullptr;
    if (SUCCEEDED(lib->GetLibAttr(&attr))) {
        check(attr->wMajorVerNum == 1 && attr->wMinorVerNum == 0 && attr->lcid == 0x0409,
              "type library version 1.0, locale 0x0409");
        lib->ReleaseTLibAttr(attr);
    }
    BSTR libName = nullptr;
    lib->GetDocumentation(-1, &libName, nullptr, nullptr, nullptr);
    check(libName != nullptr && std::wstring(libName) == L"CorvaneGIS", "type library named CorvaneGIS");
    SysFreeString(libName);
    check(lib->GetTypeInfoCount() == 2,
          "the type library holds exactly two type descriptions (" + std::to_string(lib->GetTypeInfoCount()) + ")");

    ITypeInfo* info = nullptr;
    if (SUCCEEDED(lib->GetTypeInfoOfGuid(kDefaultInterface, &info))) {
        TYPEATTR* ta = nullptr;
        info->GetTypeAttr(&ta);
        const WORD wanted = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION;
        std::printf("     _CorvaneAddressSearch: kind %d, flags 0x%x, %d functions, %d variables\n",
                    static_cast<int>(ta->typekind), ta->wTypeFlags, ta->cFuncs, ta->cVars);
        // The dispatch side of a dual interface lists the seven inherited
        // IUnknown and IDispatch methods; its interface side lists its own.
        int ownFunctions = -1;
        WORD partnerFlags = 0;
        HREFTYPE partnerRef = 0;
        ITypeInfo* partner = nullptr;
        if (SUCCEEDED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &partnerRef)) &&
            SUCCEEDED(info->GetRefTypeInfo(partnerRef, &partner))) {
            TYPEATTR* pa = nullptr;
            partner->GetTypeAttr(&pa);
            ownFunctions = pa->cFuncs;
            partnerFlags = pa->wTypeFlags;
            partner->ReleaseTypeAttr(pa);
            partner->Release();
        }
        std::printf("     its interface side: flags 0x%x, %d functions of its own\n", partnerFlags, ownFunctions);
        // A dual interface is automation-compatible by definition; the flag
        // may sit on either side depending on the IDL compiler.
        const WORD flags = static_cast<WORD>(ta->wTypeFlags | (partnerFlags & TYPEFLAG_FOLEAUTOMATION));
        check(ta->typekind == TKIND_DISPATCH && (flags & wanted) == wanted && ta->cVars == 0 && ownFunctions == 0,
              "_CorvaneAddressSearch: hidden dual non-extensible automation dispatch interface without members");
        info->ReleaseTypeAttr(ta);
        info->Release();
    } else {
        check(false, "_CorvaneAddressSearch described");
    }
    if (SUCCEEDED(lib->GetTypeInfoOfGuid(kClsid, &info))) {
        TYPEATTR* ta = nullptr;
        info->GetTypeAttr(&ta);
        bool defaultOk = false;
        bool commandOk = false;
        for (UINT i = 0; i < ta->cImplTypes; ++i) {
            HREFTYPE ref = 0;
            INT flags = 0;
            ITypeInfo* implemented = nullptr;
            if (FAILED(info->GetRefTypeOfImplType(i, &ref)) || FAILED(info->GetRefTypeInfo(ref, &implemented)))
                continue;
            info->GetImplTypeFlags(i, &flags);
            TYPEATTR* ia = nullptr;
            implemented->GetTypeAttr(&ia);
            if (IsEqualGUID(ia->guid, kDefaultInterface) && (flags & IMPLTYPEFLAG_FDEFAULT)) defaultOk = true;
            if (IsEqualGUID(ia->guid, IID_ICommand)) commandOk = true;
            implemented->ReleaseTypeAttr(ia);
            implemented->Release();
        }
        check(ta->typekind == TKIND_COCLASS && (ta->wTypeFlags & TYPEFLAG_FCANCREATE) && ta->cImplTypes == 2 &&
                  defaultOk && commandOk,
              "CorvaneAddressSearch: creatable coclass of _CorvaneAddressSearch (default) and ICommand");
        info->ReleaseTypeAttr(ta);
        info->Release();
    } else {
        check(false, "CorvaneAddressSearch described");
    }
    lib->Release();
}

void checkVersionResource(const wchar_t* path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::string data(size, '\0');
    check(size != 0 && GetFileVersionInfoW(path, 0, size, data.data()), "version resource present");
    if (size == 0) return;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr) {
        check(fixed->dwFileVersionMS == MAKELONG(15, 2) && fixed->dwFileVersionLS == MAKELONG(14, 0) &&
                  fixed->dwProductVersionMS == MAKELONG(15, 2) && fixed->dwProductVersionLS == MAKELONG(14, 0),
              "fixed file and product version 2.15.0.14");
        check(fixed->dwFileType == VFT_DLL && fixed->dwFileOS == VOS__WINDOWS32 && fixed->dwFileFlags == 0,
              "file type DLL for 32-bit Windows, no flags");
    }
    WORD* translation = nullptr;
    if (VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length))
        check(length >= 4 && translation[0] == 0x0409 && translation[1] == 1200, "translation 0409, code page 1200");
    const std::pair<const wchar_t*, const wchar_t*> strings[] = {
        {L"CompanyName", L"CorvaneGIS"},
        {L"ProductName", L"CorvaneAddressSearch"},
        {L"FileVersion", L"2.15.0014"},
        {L"ProductVersion", L"2.15.0014"},
        {L"InternalName", L"CorvaneAddressSearch"},
        {L"OriginalFilename", L"CorvaneAddressSearch.dll"},
        {L"OLESelfRegister", L""},
    };
    for (const auto& [key, expected] : strings) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
        wchar_t* value = nullptr;
        UINT chars = 0;
        const bool found = VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars);
        const std::wstring got = found && value ? std::wstring(value) : L"(missing)";
        check(found && got == expected, narrow(key, wcslen(key)) + " = \"" + narrow(got.c_str(), got.size()) + "\"");
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 100;
    // The host's installation registers its own library; the check does the same.
    if (argc == 3 && std::wstring(argv[1]) == L"--register-host") {
        ITypeLib* host = nullptr;
        const HRESULT hr = LoadTypeLibEx(argv[2], REGKIND_REGISTER, &host);
        if (host != nullptr) host->Release();
        return FAILED(hr) ? 1 : 0;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"--unregister-host")
        return FAILED(UnRegisterTypeLib(kHostLibid, 1, 0, 0x0409, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32)) ? 1 : 0;

    CLSID fromProgId{};
    check(CLSIDFromProgID(L"CorvaneGIS.CorvaneAddressSearch", &fromProgId) == S_OK && IsEqualGUID(fromProgId, kClsid),
          "ProgID CorvaneGIS.CorvaneAddressSearch names the class");

    ICommand* byProgId = nullptr;
    ICommand* byClsid = nullptr;
    check(CoCreateInstance(fromProgId, nullptr, CLSCTX_INPROC_SERVER, IID_ICommand,
                           reinterpret_cast<void**>(&byProgId)) == S_OK,
          "created by ProgID, asked for ICommand");
    check(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_ICommand, reinterpret_cast<void**>(&byClsid)) ==
              S_OK,
          "created by class identifier, asked for ICommand");
    if (byProgId == nullptr || byClsid == nullptr) return 100 + g_failures;

    checkProperties(byProgId);
    checkDefaultInterface(byClsid);
    // Without a host behind it the command's own traps answer; the host still sees S_OK.
    const UINT_PTR answering = SetTimer(nullptr, 0, 100, answerMessageBoxes);
    check(byClsid->OnCreate(nullptr) == S_OK && byClsid->OnClick() == S_OK, "OnCreate and OnClick return S_OK");
    KillTimer(nullptr, answering);
    for (const std::string& prompt : g_prompts)
        std::printf("     message box: %s\n", prompt.c_str());
    check(!g_prompts.empty(), "a click without a host tells the user in a message box");

    checkTypeLibrary();

    HMODULE module = GetModuleHandleW(L"CorvaneAddressSearch.dll");
    check(module != nullptr, "CorvaneAddressSearch.dll is loaded in the process");
    if (module == nullptr) return 100 + g_failures;
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(module, path, MAX_PATH);
    checkVersionResource(path);

    using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();
    auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    check(canUnload != nullptr && canUnload() == S_FALSE, "DllCanUnloadNow says no while commands are held");
    byProgId->Release();
    check(canUnload != nullptr && canUnload() == S_FALSE, "DllCanUnloadNow says no while one command is held");
    byClsid->Release();
    check(canUnload != nullptr && canUnload() == S_OK, "DllCanUnloadNow says yes once all are released");

    CoUninitialize();
    std::printf("%d failed\n", g_failures);
    return g_failures;
}
