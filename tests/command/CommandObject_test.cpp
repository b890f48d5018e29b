#include "CommandWorld.h"
#include "com/BstrText.h"
#include "com/ComPtr.h"
#include "com/HostBridge.h"
#include "com/ServerLock.h"
#include "command/CommandObject.h"

#include <gtest/gtest.h>

namespace {

using namespace corvane;
using com::ComPtr;
using corvane::testing::CommandWorld;

ComPtr<ICommand> newCommand()
{
    ComPtr<ICommand> command;
    EXPECT_EQ(command::createCommandObject(IID_ICommand, command.putVoid()), S_OK);
    return command;
}

struct BstrProperty {
    const char* name;
    HRESULT (STDMETHODCALLTYPE ICommand::*getter)(BSTR*);
    const char16_t* expected;
};

TEST(CommandObjectTest, StringPropertiesAreNewBstrsWithTheirLengths)
{
    CommandWorld world;
    auto command = newCommand();
    const BstrProperty properties[] = {
        {"Name", &ICommand::get_Name, u"CorvaneGIS_CorvaneAddressSearch"},
        {"Caption", &ICommand::get_Caption, u"CorvaneAddressSearch"},
        {"Tooltip", &ICommand::get_Tooltip, u"CorvaneAddressSearch - Zoom to an address"},
        {"Message", &ICommand::get_Message, u"CorvaneGIS: www.corvanegis.example.com"},
        {"HelpFile", &ICommand::get_HelpFile, u""},
        {"Category", &ICommand::get_Category, u"CorvaneGIS"},
    };
    for (const auto& p : properties) {
        SCOPED_TRACE(p.name);
        BSTR first = nullptr;
        BSTR second = nullptr;
        ASSERT_EQ((command.get()->*p.getter)(&first), S_OK);
        ASSERT_EQ((command.get()->*p.getter)(&second), S_OK);
        // Each call hands out a string of its own, which the caller frees.
        EXPECT_NE(first, second);
        const std::u16string expected(p.expected);
        ASSERT_NE(first, nullptr); // an empty string, not a missing one
        EXPECT_EQ(SysStringLen(first), expected.size());
        EXPECT_EQ(std::u16string(first, SysStringLen(first)), expected);
        EXPECT_EQ(first[SysStringLen(first)], u'\0');
        SysFreeString(first);
        SysFreeString(second);
        EXPECT_EQ((command.get()->*p.getter)(nullptr), E_POINTER);
    }
    EXPECT_TRUE(world.toolkit.messageBoxes().empty());
}

TEST(CommandObjectTest, BooleansNumbersAndTheBitmapFollowTheComConventions)
{
    CommandWorld world;
    auto command = newCommand();
    VARIANT_BOOL enabled = 0;
    VARIANT_BOOL checked = 1;
    ASSERT_EQ(command->get_Enabled(&enabled), S_OK);
    ASSERT_EQ(command->get_Checked(&checked), S_OK);
    EXPECT_EQ(enabled, VARIANT_TRUE);
    EXPECT_EQ(enabled, -1);
    EXPECT_EQ(checked, VARIANT_FALSE);
    LONG help = -5;
    ASSERT_EQ(command->get_HelpContextID(&help), S_OK);
    EXPECT_EQ(help, 0);
    OLE_HANDLE first = 0;
    OLE_HANDLE second = 0;
    ASSERT_EQ(command->get_Bitmap(&first), S_OK);
    ASSERT_EQ(newCommand()->get_Bitmap(&second), S_OK);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(first, second);
    EXPECT_EQ(command->get_Enabled(nullptr), E_POINTER);
    EXPECT_EQ(command->get_Bitmap(nullptr), E_POINTER);
}

TEST(CommandObjectTest, OffersItsInterfacesWithOneIdentity)
{
    auto command = newCommand();
    ComPtr<IUnknown> unknownA;
    ComPtr<_CorvaneAddressSearch> classInterface;
    ComPtr<IDispatch> dispatch;
    ComPtr<IUnknown> unknownB;
    ASSERT_EQ(command.queryInterface(IID_IUnknown, unknownA), S_OK);
    ASSERT_EQ(command.queryInterface(IID__CorvaneAddressSearch, classInterface), S_OK);
    ASSERT_EQ(classInterface.queryInterface(IID_IDispatch, dispatch), S_OK);
    ASSERT_EQ(dispatch.queryInterface(IID_IUnknown, unknownB), S_OK);
    EXPECT_EQ(unknownA.get(), unknownB.get());
    ComPtr<ICommand> back;
    ASSERT_EQ(dispatch.queryInterface(IID_ICommand, back), S_OK);
    EXPECT_EQ(back.get(), command.get());

    ComPtr<IClassFactory> notOffered;
    EXPECT_EQ(command.queryInterface(IID_IClassFactory, notOffered), E_NOINTERFACE);
    EXPECT_FALSE(notOffered);
    EXPECT_EQ(command->QueryInterface(IID_ICommand, nullptr), E_POINTER);
}

TEST(CommandObjectTest, DefaultInterfaceHasNoMembersOfItsOwn)
{
    auto command = newCommand();
    ComPtr<_CorvaneAddressSearch> dispatch;
    ASSERT_EQ(command.queryInterface(IID__CorvaneAddressSearch, dispatch), S_OK);
    UINT count = 7;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = nullptr;
    EXPECT_EQ(dispatch->GetTypeInfo(0, 0x0409, &info), DISP_E_BADINDEX);
    EXPECT_EQ(info, nullptr);
    std::u16string name = u"Caption";
    OLECHAR* names[] = {name.data()};
    DISPID id = 99;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_IDispatch, names, 1, 0x0409, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(dispatch->Invoke(0, IID_IDispatch, 0x0409, 1, nullptr, nullptr, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
}

TEST(CommandObjectTest, LiveObjectsKeepTheServerLoaded)
{
    const long before = com::liveObjects();
    {
        auto command = newCommand();
        EXPECT_EQ(com::liveObjects(), before + 1);
        ComPtr<IUnknown> second;
        ASSERT_EQ(command.queryInterface(IID_IUnknown, second), S_OK);
        command.reset();
        EXPECT_EQ(com::liveObjects(), before + 1);
    }
    EXPECT_EQ(com::liveObjects(), before);
    ComPtr<IUnknown> refused;
    EXPECT_EQ(command::createCommandObject(IID_IClassFactory, refused.putVoid()), E_NOINTERFACE);
    EXPECT_EQ(com::liveObjects(), before);
}

TEST(CommandObjectTest, OnCreateUnwrapsTheHostApplicationFromItsHook)
{
    CommandWorld world;
    auto object = newCommand();
    auto hook = com::wrapHostObject(world.host.application());
    ASSERT_EQ(object->OnCreate(hook.get()), S_OK);
    EXPECT_TRUE(world.toolkit.messageBoxes().empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(world.configFile()));
    auto* impl = static_cast<command::CommandObject*>(object.get());
    EXPECT_EQ(impl->command().HookApplication, world.host.application());
    EXPECT_EQ(object->OnClick(), S_OK);
    EXPECT_EQ(world.toolkit.modalRuns().size(), 1u);
}

TEST(CommandObjectTest, HostMayReleaseTheCommandWhileItsClickRuns)
{
    CommandWorld world;
    auto command = newCommand();
    auto hook = com::wrapHostObject(world.host.application());
    ASSERT_EQ(command->OnCreate(hook.get()), S_OK);
    const long before = com::liveObjects();
    ICommand* raw = command.get();
    // The host drops its last reference while the modal dialog is up.
    long insideTheClick = -1;
    world.toolkit.whenModal("frmConfig", [&](ui::Form&) {
        command.reset();
        insideTheClick = com::liveObjects();
    });
    EXPECT_EQ(raw->OnClick(), S_OK);
    EXPECT_EQ(world.toolkit.modalRuns().size(), 1u);
    // Alive until its click has returned, gone afterwards.
    EXPECT_EQ(insideTheClick, before);
    EXPECT_EQ(com::liveObjects(), before - 1);
}

TEST(CommandObjectTest, ForeignHookIsNotTheApplication)
{
    CommandWorld world;
    auto object = newCommand();
    // Another COM object: a dispatch interface that is no host object.
    auto foreign = newCommand();
    ComPtr<IDispatch> notAHost;
    ASSERT_EQ(foreign.queryInterface(IID_IDispatch, notAHost), S_OK);
    EXPECT_EQ(object->OnCreate(notAHost.get()), S_OK);
    EXPECT_EQ(world.toolkit.messagePrompts(), std::vector<std::string>{"Error: ICommand_OnCreate()"});
    EXPECT_FALSE(std::filesystem::exists(world.companyFolder()));
}

TEST(CommandObjectTest, MembersFailQuietlyWithoutAWindowingLayer)
{
    // No toolkit at all: a trapped error cannot even be shown, and the
    // host still sees S_OK and no exception.
    CorvaneGIS_Public::ResetForNewComponent();
    auto object = newCommand();
    EXPECT_EQ(object->OnClick(), S_OK);
    EXPECT_EQ(object->OnCreate(nullptr), S_OK);
    CorvaneGIS_Public::ResetForNewComponent();
}

} // namespace
