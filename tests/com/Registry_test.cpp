#include "com/GuidText.h"
#include "com/Registry.h"
#include "posix/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace {

using corvane::com::Registry;

TEST(RegistryTest, ValuesSurviveASaveWhateverTheirCharacters)
{
    corvane::posix::ScratchFolder scratch;
    const std::string path = (scratch.path() / "sub" / "registry.reg").string();
    {
        Registry r(path);
        EXPECT_TRUE(r.empty());
        r.setValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32", "", "/opt/x y/lib\"q\"\\z.so");
        r.setValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32", "ThreadingModel", "Apartment");
        r.setValue("HKEY_CLASSES_ROOT\\Odd", "@", "line\nbreak");
        r.save();
    }
    Registry r(path);
    EXPECT_EQ(r.value("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32"), "/opt/x y/lib\"q\"\\z.so");
    // Key and value names ignore case, as on Windows.
    EXPECT_EQ(r.value("hkey_classes_root\\clsid\\{a}\\inprocserver32", "threadingmodel"), "Apartment");
    EXPECT_EQ(r.value("HKEY_CLASSES_ROOT\\Odd", "@"), "line\nbreak");
    EXPECT_FALSE(r.value("HKEY_CLASSES_ROOT\\Odd").has_value());
    EXPECT_EQ(r.subkeys("HKEY_CLASSES_ROOT"), (std::vector<std::string>{"CLSID", "Odd"}));
    EXPECT_EQ(r.subkeys("HKEY_CLASSES_ROOT\\CLSID\\"), std::vector<std::string>{"{A}"});
}

TEST(RegistryTest, SaveWritesNothingThroughALinkBesideTheFileAndLeavesNoLeftovers)
{
    corvane::posix::ScratchFolder scratch;
    const std::filesystem::path path = scratch.path() / "registry.reg";
    const std::filesystem::path victim = scratch.path() / "victim.txt";
    std::ofstream(victim) << "keep me";
    std::filesystem::create_symlink(victim, path.string() + ".new");
    Registry r(path.string());
    r.setValue("HKEY_CLASSES_ROOT\\Key", "", "value");
    r.save();
    std::ifstream in(victim);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "keep me");
    EXPECT_EQ(Registry(path.string()).value("HKEY_CLASSES_ROOT\\Key"), "value");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch.path())) ++files;
    EXPECT_EQ(files, 3); // the registry, the victim and the planted link
}

TEST(RegistryTest, DeletingATreeLeavesNoEmptyParentsButKeepsNeighbours)
{
    corvane::posix::ScratchFolder scratch;
    Registry r((scratch.path() / "r.reg").string());
    r.setValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\InprocServer32", "", "a");
    r.setValue("HKEY_CLASSES_ROOT\\CLSID\\{A}\\ProgID", "", "P.A");
    r.setValue("HKEY_CLASSES_ROOT\\TypeLib\\{L}\\1.0", "", "L");
    r.deleteTree("HKEY_CLASSES_ROOT\\TypeLib\\{L}");
    EXPECT_FALSE(r.keyExists("HKEY_CLASSES_ROOT\\TypeLib"));
    EXPECT_TRUE(r.keyExists("HKEY_CLASSES_ROOT\\CLSID\\{A}\\ProgID"));
    r.deleteTree("HKEY_CLASSES_ROOT\\CLSID\\{A}\\ProgID");
    EXPECT_TRUE(r.keyExists("HKEY_CLASSES_ROOT\\CLSID\\{A}"));
    r.deleteTree("HKEY_CLASSES_ROOT\\CLSID\\{A}");
    EXPECT_TRUE(r.empty());
    // A key whose name only starts like the deleted one is another key.
    r.setValue("HKEY_CLASSES_ROOT\\AB", "", "1");
    r.setValue("HKEY_CLASSES_ROOT\\A", "", "2");
    r.deleteTree("HKEY_CLASSES_ROOT\\A");
    EXPECT_EQ(r.value("HKEY_CLASSES_ROOT\\AB"), "1");
}

TEST(RegistryTest, DamagedFileIsRefusedAndTheLocationFollowsTheEnvironment)
{
    corvane::posix::ScratchFolder scratch;
    scratch.writeFile("bad.reg", "REGEDIT4\r\n\"value\"=\"outside any key\"\r\n");
    EXPECT_THROW(Registry((scratch.path() / "bad.reg").string()), std::runtime_error);
    scratch.writeFile("other.reg", "not a registry\r\n");
    EXPECT_THROW(Registry((scratch.path() / "other.reg").string()), std::runtime_error);

    setenv("CORVANE_REGISTRY", "/somewhere/r.reg", 1);
    EXPECT_EQ(Registry::defaultPath(), "/somewhere/r.reg");
    unsetenv("CORVANE_REGISTRY");
    setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(Registry::defaultPath(), "/data/corvane/registry.reg");
    unsetenv("XDG_DATA_HOME");
}

TEST(GuidTextTest, RoundTripsAndRejectsMalformedText)
{
    constexpr GUID g = corvane::com::guid("{874DCB92-E85B-476F-A001-73770CC0A220}");
    EXPECT_EQ(corvane::com::toString(g), "{874DCB92-E85B-476F-A001-73770CC0A220}");
    const auto parsed = corvane::com::parseGuid("{874dcb92-e85b-476f-a001-73770cc0a220}");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(*parsed == g);
    EXPECT_FALSE(corvane::com::parseGuid("874DCB92-E85B-476F-A001-73770CC0A220").has_value());
    EXPECT_FALSE(corvane::com::parseGuid("{874DCB92-E85B-476F-A001-73770CC0A22G}").has_value());
    EXPECT_FALSE(corvane::com::parseGuid("{874DCB92+E85B-476F-A001-73770CC0A220}").has_value());
    EXPECT_FALSE(corvane::com::parseGuid("CorvaneGIS.CorvaneAddressSearch").has_value());
}

} // namespace
