#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/EmptyDispatch.h"
#include "com/Server.h"
#include "com/ServerLock.h"

#include <array>
#include <gtest/gtest.h>

namespace {

using namespace corvane::com;

constexpr CLSID kThing = guid("{11111111-2222-3333-4444-555555555555}");
constexpr CLSID kOther = guid("{11111111-2222-3333-4444-555555555556}");

class Thing : public EmptyDispatch<IDispatch> {
  public:
    void* interfaceFor(REFIID iid) noexcept
    {
        return iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    }

  protected:
    ~Thing() = default;
};

HRESULT createThing(REFIID iid, void** object) noexcept
{
    return createComObject<Thing>(iid, object);
}

constexpr std::array kClasses = {CoClassEntry{kThing, "Thing", "Test.Thing", "Apartment", &createThing}};
const ServerDescription kServer{kClasses, nullptr, nullptr};

TEST(ServerTest, HandsOutAFactoryOnlyForItsOwnClasses)
{
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(serverGetClassObject(kServer, kOther, IID_IClassFactory, factory.putVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_FALSE(factory);
    EXPECT_EQ(serverGetClassObject(kServer, kThing, IID_IClassFactory, nullptr), E_POINTER);
    ASSERT_EQ(serverGetClassObject(kServer, kThing, IID_IClassFactory, factory.putVoid()), S_OK);

    ComPtr<IDispatch> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
    ComPtr<IUnknown> outer;
    ASSERT_EQ(object.queryInterface(IID_IUnknown, outer), S_OK);
    ComPtr<IDispatch> aggregated;
    EXPECT_EQ(factory->CreateInstance(outer.get(), IID_IDispatch, aggregated.putVoid()), CLASS_E_NOAGGREGATION);
    ComPtr<IClassFactory> wrong;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, wrong.putVoid()), E_NOINTERFACE);
    EXPECT_FALSE(wrong);
}

TEST(ServerTest, CannotUnloadWhileAnObjectOrALockIsOutstanding)
{
    ASSERT_EQ(serverCanUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(serverGetClassObject(kServer, kThing, IID_IClassFactory, factory.putVoid()), S_OK);
    // The factory itself is an object of the server.
    EXPECT_EQ(serverCanUnloadNow(), S_FALSE);
    ComPtr<IDispatch> object;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(1), S_OK);
    factory.reset();
    EXPECT_EQ(serverCanUnloadNow(), S_FALSE);
    object.reset();
    EXPECT_EQ(serverCanUnloadNow(), S_FALSE); // still locked
    ASSERT_EQ(serverGetClassObject(kServer, kThing, IID_IClassFactory, factory.putVoid()), S_OK);
    ASSERT_EQ(factory->LockServer(0), S_OK);
    // An unlock too many must not count below zero.
    ASSERT_EQ(factory->LockServer(0), S_OK);
    factory.reset();
    EXPECT_EQ(serverCanUnloadNow(), S_OK);
    EXPECT_EQ(serverLocks(), 0);
}

} // namespace
