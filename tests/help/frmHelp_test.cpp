#include "help/frmHelp.h"

#include <gtest/gtest.h>

#include "DialogWorld.h"

namespace corvane::testing {
namespace {

class HelpDialog : public ::testing::Test {
protected:
    DialogWorld world;
};

TEST_F(HelpDialog, ItsFrameIsCaptionedAndNotMoved)
{
    auto help = frmHelp::open();
    auto frame = help->Frame();
    EXPECT_EQ(help->Frame(), frame);
    ASSERT_EQ(world.host.frames().size(), 1u);
    const auto& memoryFrame = *world.host.frames()[0];
    EXPECT_EQ(memoryFrame.caption(), "CorvaneAddressSearch - Help");
    EXPECT_EQ(memoryFrame.window(), help->hWnd());
    for (const auto& call : memoryFrame.calls()) EXPECT_FALSE(call.starts_with("Move")) << call;
    EXPECT_FALSE(memoryFrame.visible());
}

TEST_F(HelpDialog, TheThreeLinksOpenTheSiteTheMailAddressAndTheProductPage)
{
    auto help = frmHelp::open();
    help->Frame()->Visible(true);
    help->userClick("Label2");
    help->userClick("Label3");
    help->userClick("Label4");
    const auto& requests = world.toolkit.shellRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].file, "https://www.corvanegis.example.com/");
    EXPECT_EQ(requests[1].file, "mailto:info@corvanegis.example.com");
    EXPECT_EQ(requests[2].file,
              "https://www.corvanegis.example.com/Products/ArcGIS/CorvaneAddressSearch/index.htm");
    for (const auto& request : requests) {
        EXPECT_EQ(request.window, help->hWnd());
        EXPECT_EQ(request.operation, "Open");
        EXPECT_EQ(request.parameters, "");
        EXPECT_EQ(request.directory, "");
        EXPECT_EQ(request.showCommand, 1);
    }
    EXPECT_EQ(help->Label2.Caption(), "www.corvanegis.example.com");
    EXPECT_EQ(help->Label3.Caption(), "info@corvanegis.example.com");
}

TEST_F(HelpDialog, OpenDialogsStayAliveUntilTheirFramesAreClosed)
{
    auto first = frmHelp::open();
    first->Frame()->Visible(true);
    std::weak_ptr<frmHelp> firstAlive = first;
    first.reset();
    auto second = frmHelp::open();
    second->Frame()->Visible(true);
    EXPECT_FALSE(firstAlive.expired());
    EXPECT_EQ(frmHelp::openCount(), 2u);
    world.host.frames()[0]->Visible(false);
    frmHelp::open();
    EXPECT_TRUE(firstAlive.expired());
    EXPECT_EQ(frmHelp::openCount(), 2u);
}

} // namespace
} // namespace corvane::testing
