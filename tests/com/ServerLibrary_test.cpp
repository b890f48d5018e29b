// The real server library, loaded the way a host loads it: exports,
// self-registration, creation through the registry, unload counting, the
// version section, and the loader's answers when something is wrong.
#include "Installer.h"
#include "com/BstrText.h"
#include "com/ComServerLoader.h"
#include "com/DynamicLibrary.h"
#include "com/GuidText.h"
#include "com/HostBridge.h"
#include "com/ProcessObjects.h"
#include "com/Registry.h"
#include "com/Server.h"
#include "headless/HeadlessToolkit.h"
#include "memory/MemoryHost.h"
#include "posix/PosixFileSystem.h"
#include "posix/ScratchFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <sstream>

namespace {

using namespace corvane;
using com::ComPtr;
using com::LoadError;

const std::string kLibrary = CORVANE_SERVER_LIBRARY;
const std::string kNotAServer = CORVANE_NOT_A_SERVER_LIBRARY;
constexpr const char* kProgId = "CorvaneGIS.CorvaneAddressSearch";
constexpr const char* kClsid = "{874DCB92-E85B-476F-A001-73770CC0A220}";
constexpr GUID kLibid = com::guid("{7796FB90-1ED0-40B7-A276-1E465D5D1DB1}");

using RegistrationFn = HRESULT(STDMETHODCALLTYPE*)();

// A private registry for each test, named by CORVANE_REGISTRY.
class ServerLibraryTest : public ::testing::Test {
  protected:
    ServerLibraryTest() : m_registry((m_scratch.path() / "registry.reg").string())
    {
        setenv("CORVANE_REGISTRY", m_registry.c_str(), 1);
    }
    ~ServerLibraryTest() override { unsetenv("CORVANE_REGISTRY"); }

    [[nodiscard]] com::Registry registry() const { return com::Registry(m_registry); }
    void install() const { regsvr::installServer(kLibrary, m_registry); }

    posix::ScratchFolder m_scratch;
    std::string m_registry;
};

std::string runNm(const std::string& path)
{
    const std::string command = "nm -D --defined-only '" + path + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()) != nullptr)
        out += buffer;
    return out;
}

TEST_F(ServerLibraryTest, ExportsExactlyTheFourServerFunctions)
{
    std::set<std::string> names;
    std::istringstream lines(runNm(kLibrary));
    std::string address, type, name;
    while (lines >> address >> type >> name)
        names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                            "DllUnregisterServer"}));
}

TEST_F(ServerLibraryTest, RegistrationRoundTripLeavesNothingBehind)
{
    install();
    const auto r = registry();
    const std::string clsidKey = com::classKey(*com::parseGuid(kClsid));
    EXPECT_EQ(r.value(clsidKey), "CorvaneAddressSearch");
    EXPECT_EQ(r.value(clsidKey + "\\InprocServer32"), std::filesystem::canonical(kLibrary).string());
    EXPECT_EQ(r.value(clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(r.value(clsidKey + "\\ProgID"), kProgId);
    EXPECT_EQ(r.value(com::progIdKey(kProgId) + "\\CLSID"), kClsid);
    // Key names compare ignoring case, but other tools read them as written.
    EXPECT_EQ(r.subkeys(com::progIdKey(kProgId)), std::vector<std::string>{"CLSID"});
    const std::string lib = com::typeLibKey(kLibid) + "\\1.0";
    EXPECT_EQ(r.value(lib), "CorvaneGIS");
    EXPECT_EQ(r.value(lib + "\\409\\" + com::typeLibPlatform()), std::filesystem::canonical(kLibrary).string());
    EXPECT_EQ(r.value("HKEY_CLASSES_ROOT\\Interface\\{BAB6E39E-B393-4F3D-A633-6493195648BC}"), "_CorvaneAddressSearch");
    ASSERT_EQ(com::ComServerLoader(m_registry).classesInCategory(com::kMapCommandsCategory).size(), 1u);

    regsvr::uninstallServer(kLibrary, m_registry);
    EXPECT_TRUE(registry().empty());
}

TEST_F(ServerLibraryTest, UnregisteringWithoutARegistryFileLeavesNone)
{
    regsvr::uninstallServer(kLibrary, m_registry);
    EXPECT_FALSE(std::filesystem::exists(m_registry));
    install();
    regsvr::uninstallServer(kLibrary, m_registry);
    EXPECT_TRUE(std::filesystem::exists(m_registry));
    EXPECT_TRUE(registry().empty());
}

TEST_F(ServerLibraryTest, LoaderCreatesTheCommandByProgIdAndByClassIdentifier)
{
    install();
    com::ComServerLoader loader(m_registry);
    for (const char* name : {kProgId, kClsid}) {
        SCOPED_TRACE(name);
        ComPtr<ICommand> command = loader.createCommand(name);
        ASSERT_TRUE(command);
        BSTR caption = nullptr;
        ASSERT_EQ(command->get_Caption(&caption), S_OK);
        EXPECT_EQ(com::fromBstr(caption), "CorvaneAddressSearch");
        SysFreeString(caption);
        VARIANT_BOOL enabled = 0;
        ASSERT_EQ(command->get_Enabled(&enabled), S_OK);
        EXPECT_EQ(enabled, VARIANT_TRUE);
        OLE_HANDLE bitmap = 0;
        ASSERT_EQ(command->get_Bitmap(&bitmap), S_OK);
        EXPECT_NE(bitmap, 0u);
        ComPtr<IDispatch> dispatch;
        ASSERT_EQ(command.queryInterface(com::guid("{BAB6E39E-B393-4F3D-A633-6493195648BC}"), dispatch), S_OK);
        UINT count = 1;
        EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 0u);
    }
}

TEST_F(ServerLibraryTest, CanUnloadOnlyOnceTheHostHasReleasedItsCommand)
{
    install();
    com::ComServerLoader loader(m_registry);
    ComPtr<ICommand> command = loader.createCommand(kProgId);
    com::DynamicLibrary library(kLibrary); // the same mapping, for its export
    auto* canUnload = reinterpret_cast<RegistrationFn>(library.symbol("DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE);
    EXPECT_EQ(loader.freeUnusedLibraries(), 1u);
    command.reset();
    EXPECT_EQ(canUnload(), S_OK);
    EXPECT_EQ(loader.freeUnusedLibraries(), 0u);
}

TEST_F(ServerLibraryTest, CommandRunsOnTheServicesItsHostPublished)
{
    install();
    headless::HeadlessToolkit toolkit;
    memory::MemoryHost host;
    posix::PosixFileSystem files;
    m_scratch.makeFolder("C/Program Files");
    files.mapDrive('C', m_scratch.path() / "C");
    CorvanePublishProcessObject(com::kToolkitObject, &toolkit);
    CorvanePublishProcessObject(com::kFileSystemObject, &files);
    CorvanePublishProcessObject(com::kHostClassesObject, &host.classes());
    {
        com::ComServerLoader loader(m_registry);
        ComPtr<ICommand> command = loader.createCommand(kProgId);
        auto hook = com::wrapHostObject(host.application());
        EXPECT_EQ(command->OnCreate(hook.get()), S_OK);
        EXPECT_TRUE(std::filesystem::is_regular_file(m_scratch.path() /
                                                     "C/Program Files/CorvaneGIS/CorvaneAddressSearch/config"));
        EXPECT_EQ(command->OnClick(), S_OK);
        EXPECT_EQ(toolkit.messagePrompts(),
                  std::vector<std::string>{"Tool is not configured.\r\nConfiguration window will now load."});
        ASSERT_EQ(toolkit.modalRuns().size(), 1u);
        EXPECT_EQ(toolkit.modalRuns()[0].form, "frmConfig");
    }
    CorvanePublishProcessObject(com::kToolkitObject, nullptr);
    CorvanePublishProcessObject(com::kFileSystemObject, nullptr);
    CorvanePublishProcessObject(com::kHostClassesObject, nullptr);

    // Withdrawn services are no longer the library's either.
    com::ComServerLoader loader(m_registry);
    ComPtr<ICommand> command = loader.createCommand(kProgId);
    EXPECT_EQ(command->OnClick(), S_OK);
    EXPECT_EQ(toolkit.messagePrompts().size(), 1u);
    EXPECT_EQ(host.frames().size(), 0u);
}

TEST_F(ServerLibraryTest, LoaderExplainsWhatIsWrong)
{
    com::ComServerLoader loader(m_registry);
    auto messageOf = [&](const std::string& what) {
        try {
            (void)loader.createCommand(what);
        } catch (const LoadError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(kProgId), "class CorvaneGIS.CorvaneAddressSearch is not registered");
    EXPECT_EQ(messageOf(kClsid), std::string("class ") + kClsid + " is not registered");

    // Registered, but the library has gone.
    install();
    {
        auto r = registry();
        r.setValue(com::classKey(*com::parseGuid(kClsid)) + "\\InprocServer32", "", "/nowhere/libGone.so");
        r.save();
    }
    EXPECT_EQ(messageOf(kProgId),
              "class CorvaneGIS.CorvaneAddressSearch is registered to /nowhere/libGone.so, which does not exist");

    // A file that is no library at all.
    m_scratch.writeFile("libBroken.so", "not an ELF file");
    const std::string broken = (m_scratch.path() / "libBroken.so").string();
    {
        auto r = registry();
        r.setValue(com::classKey(*com::parseGuid(kClsid)) + "\\InprocServer32", "", broken);
        r.save();
    }
    EXPECT_EQ(messageOf(kProgId).rfind("cannot load " + broken + ": ", 0), 0u);

    // A library, but no server.
    {
        auto r = registry();
        r.setValue(com::classKey(*com::parseGuid(kClsid)) + "\\InprocServer32", "", kNotAServer);
        r.save();
    }
    EXPECT_EQ(messageOf(kProgId), kNotAServer + " is not a COM server (no DllGetClassObject)");

    // A registry file that cannot be read.
    m_scratch.writeFile("registry.reg", "garbage");
    EXPECT_EQ(messageOf(kProgId).rfind("cannot read the class registry: ", 0), 0u);
}

TEST_F(ServerLibraryTest, CarriesItsVersionInformation)
{
    const std::string info = regsvr::versionInformation(kLibrary);
    for (const char* line :
         {"FixedFileVersion=2.15.0.14\n", "FixedProductVersion=2.15.0.14\n", "FileType=DLL\n",
          "CompanyName=CorvaneGIS\n", "ProductName=CorvaneAddressSearch\n", "FileVersion=2.15.0014\n",
          "ProductVersion=2.15.0014\n", "InternalName=CorvaneAddressSearch\n",
          "OriginalFilename=CorvaneAddressSearch.dll\n", "OLESelfRegister=\n"})
        EXPECT_NE(info.find(line), std::string::npos) << line;
    EXPECT_THROW(regsvr::versionInformation(kNotAServer), std::runtime_error);
}

} // namespace
