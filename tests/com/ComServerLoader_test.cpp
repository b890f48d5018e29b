// The loader over large and broken registries: one reading of the file per
// batch of look-ups, and messages that name the class and its file.
#include "com/ComServerLoader.h"
#include "com/GuidText.h"
#include "com/Registry.h"
#include "com/Server.h"
#include "posix/ScratchFolder.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

using namespace corvane;

std::string clsidText(int i)
{
    char text[40];
    std::snprintf(text, sizeof text, "{6A0A5A5E-0000-4000-8000-%012d}", i);
    return text;
}

// `count` command classes, class i registered to libraries[i % size].
std::string writeRegistry(const posix::ScratchFolder& scratch, int count, const std::vector<std::string>& libraries)
{
    const std::string path = (scratch.path() / "registry.reg").string();
    com::Registry registry(path);
    const std::string category = com::toString(com::kMapCommandsCategory);
    for (int i = 0; i < count; ++i) {
        const std::string key = std::string(com::kClassesRoot) + "\\CLSID\\" + clsidText(i);
        registry.setValue(key, "", "Command " + std::to_string(i));
        registry.setValue(key + "\\InprocServer32", "", libraries[static_cast<std::size_t>(i) % libraries.size()]);
        registry.createKey(key + "\\Implemented Categories\\" + category);
    }
    registry.save();
    return path;
}

TEST(ComServerLoaderTest, ABatchOfManyClassesReadsTheRegistryOnce)
{
    posix::ScratchFolder scratch;
    com::ComServerLoader loader(writeRegistry(scratch, 5000, {"/nowhere/lib.so"}));
    const auto classes = loader.classesInCategory(com::kMapCommandsCategory);
    ASSERT_EQ(classes.size(), 5000u);
    EXPECT_EQ(loader.registryReads(), 1u);
    EXPECT_EQ(classes[4999].name, "Command 4999");
    EXPECT_EQ(classes[4999].libraryPath, "/nowhere/lib.so");
    // Creating from what the batch read reads the registry no more.
    for (const auto& registered : classes) EXPECT_THROW((void)loader.createCommand(registered), com::LoadError);
    EXPECT_EQ(loader.registryReads(), 1u);
}

TEST(ComServerLoaderTest, EntriesPointingAtNothingUsableNameTheClassAndTheFile)
{
    posix::ScratchFolder scratch;
    scratch.writeFile("text.so", "not a library");
    const std::string missing = (scratch.path() / "missing.so").string();
    const std::string text = (scratch.path() / "text.so").string();
    com::ComServerLoader loader(writeRegistry(scratch, 2, {missing, text}));
    const auto classes = loader.classesInCategory(com::kMapCommandsCategory);
    ASSERT_EQ(classes.size(), 2u);
    const auto messageOf = [&](const com::RegisteredClass& registered) {
        try {
            (void)loader.createCommand(registered);
        } catch (const com::LoadError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(messageOf(classes[0]), "class " + clsidText(0) + " is registered to " + missing + ", which does not exist");
    const std::string notLibrary = messageOf(classes[1]);
    EXPECT_EQ(notLibrary.rfind("class " + clsidText(1) + " is registered to " + text + ", which is not a library", 0),
              0u)
        << notLibrary;
}

TEST(RegistryTextTest, TextIsReadAsTheFileWouldBeAndBadLinesAreNamed)
{
    const auto registry = com::Registry::fromText(
        "r.reg", "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\A\\B]\r\n@=\"x\"\r\n\"Name\"=\"a \\\"b\\\"\"\n");
    EXPECT_EQ(registry.value("hkey_classes_root\\a\\b"), "x");
    EXPECT_EQ(registry.value("HKEY_CLASSES_ROOT\\A\\B", "name"), "a \"b\"");
    EXPECT_EQ(registry.subkeys("HKEY_CLASSES_ROOT"), std::vector<std::string>{"A"});
    // Empty names in a path (backslashes in a row, or at its ends) are no keys.
    const auto doubled = com::Registry::fromText("r.reg", "REGEDIT4\n[\\HKEY_CLASSES_ROOT\\\\A\\\\\\B\\]\n@=\"x\"\n");
    EXPECT_EQ(doubled.value("HKEY_CLASSES_ROOT\\A\\B"), "x");
    EXPECT_EQ(doubled.subkeys("HKEY_CLASSES_ROOT"), std::vector<std::string>{"A"});
    EXPECT_EQ(doubled.subkeys("HKEY_CLASSES_ROOT\\A"), std::vector<std::string>{"B"});
    for (const char* bad : {"garbage", "REGEDIT4\n@=\"x\"", "REGEDIT4\n[K]\n@=\"x", "REGEDIT4\n[K\n"}) {
        try {
            (void)com::Registry::fromText("r.reg", bad);
            ADD_FAILURE() << bad;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("r.reg:", 0), 0u) << e.what();
        }
    }
}

} // namespace
