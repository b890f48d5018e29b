#include "search/frmMain.h"

#include <cmath>
#include <memory>

#include "config/CorvaneGIS_Config.h"
#include "config/FileSlot.h"
#include "errors/ErrorHandling.h"
#include "help/frmHelp.h"
#include "host/HostClasses.h"
#include "host/HostError.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "search/frmMainLayout.h"
#include "shared/Maker.h"
#include "shared/Public.h"
#include "shared/Runtime.h"

using corvane::host::IModelessFrame;
using corvane::host::IWindowPosition;
using corvane::host::Ref;

namespace {
constexpr std::int32_t kOverflow = 6;
constexpr std::int32_t kDivisionByZero = 11;
constexpr int kShowNormal = 1;
} // namespace

namespace corvane::search {

std::int32_t centredOrigin(int screenTwips, int formTwips, int twipsPerPixel)
{
    if (twipsPerPixel == 0) host::raiseError(kDivisionByZero, "Division by zero");
    const float perPixel = static_cast<float>(twipsPerPixel);
    const float origin = (static_cast<float>(screenTwips) / perPixel) / 2.0f -
                         (static_cast<float>(formTwips) / perPixel) / 2.0f;
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const float rounded = std::nearbyint(origin);
    if (!(rounded >= -2147483648.0f && rounded < 2147483648.0f)) host::raiseError(kOverflow, "Overflow");
    return static_cast<std::int32_t>(rounded);
}

} // namespace corvane::search

frmMain::frmMain()
    : Form(corvane::search::frmMainLayout()),
      Text1(textBox("Text1")),
      Command4(captioned("Command4")),
      List1(listBox("List1")),
      List2(listBox("List2")),
      btnHelp2(captioned("btnHelp2")),
      Command1(captioned("Command1")),
      txtVersion(captioned("txtVersion")),
      Frame1(captioned("Frame1")),
      Label11(captioned("Label11")),
      Label3(captioned("Label3")),
      Image2(captioned("Image2"))
{
    Command4.Click = [this] { Command4_Click(); };
    List1.Click = [this] { List1_Click(); };
    List2.Click = [this] { List2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    btnHelp2.Click = [this] { btnHelp2_Click(); };
    Image2.Click = [this] { Image2_Click(); };
}

Ref<IModelessFrame> frmMain::Frame()
{
    std::int32_t line = 0;
    try {
        line = 1;
        if (HostFrame.isNothing()) {
            line = 2;
            HostFrame = corvane::host::createHostObject<IModelessFrame>(corvane::host::kModelessFrameClass);
            // From here on failures are ignored: a frame that could not take
            // the form or its caption is still the frame of this form.
            line = 3;
            try {
                HostFrame->Create(hWnd());
            } catch (...) {
            }
            line = 4;
            try {
                HostFrame->Caption(CorvaneGIS_Public::ProductName);
            } catch (...) {
            }
        }
        return HostFrame;
    } catch (...) {
        corvane::errors::reportTrappedError("Frame ", "frmMain", line);
        return {};
    }
}

void frmMain::Form_Load()
{
    using namespace CorvaneGIS_Public;
    using corvane::ui::toolkit;
    std::int32_t line = 0;
    try {
        line = 1;
        corvane::setScreenMousePointer(corvane::vbHourglass);
        line = 2;
        if (!SearchDialog) corvane::host::raiseError(corvane::host::errors::kObjectNotSet);
        const Ref<IWindowPosition> position = SearchDialog->Frame().as<IWindowPosition>();
        line = 3;
        const int perPixel = toolkit().twipsPerPixelX();
        const std::int32_t left = corvane::search::centredOrigin(toolkit().screenWidthTwips(), Width(), perPixel);
        const std::int32_t top = corvane::search::centredOrigin(toolkit().screenHeightTwips(), Height(), perPixel);
        position->Move(left, top, 0, 0);
        line = 4;
        txtVersion.Caption(ProductVersion);
        line = 5;
        const std::int32_t count = CorvaneGIS_Config::CountConfigurationItems(ConfigFilePath);
        line = 6;
        if (count != 3) {
            corvane::setScreenMousePointer(corvane::vbDefault);
            return;
        }
        line = 7;
        CorvaneGIS_Config::ReadConfiguration(ConfigFilePath);
        line = 8;
        List1.Clear();
        List2.Clear();
        line = 9;
        CorvaneGIS_ArcMap::LoadListWithUniqueFieldValues(ParcelLayerName, StreetNameField, List1, true, {});
        line = 10;
        corvane::setScreenMousePointer(corvane::vbDefault);
    } catch (...) {
        corvane::config::fileSlot1().closeQuietly();
        try {
            corvane::setScreenMousePointer(corvane::vbDefault);
        } catch (...) {
        }
        corvane::errors::reportTrappedError("Form_Load ", "frmMain", line);
    }
}

void frmMain::btnHelp2_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        auto help = frmHelp::open();
        line = 2;
        help->Frame()->Visible(true);
    } catch (...) {
        corvane::errors::reportTrappedError("btnHelp2_Click ", "frmMain", line);
    }
}

void frmMain::Image2_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        // The shell shows its own message when nothing can open the address.
        static_cast<void>(corvane::ui::toolkit().shellExecute(hWnd(), "Open",
                                                              std::string(corvane::maker::kWebSiteAddress), "",
                                                              "", kShowNormal));
    } catch (...) {
        corvane::errors::reportTrappedError("Image2_Click ", "frmMain", line);
    }
}
