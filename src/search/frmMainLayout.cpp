#include "search/frmMainLayout.h"

#include <array>

#include "shared/Maker.h"
#include "ui/Assets.h"

namespace corvane::search {

namespace {

using ui::Color;
using ui::ControlKind;
using ui::ControlSpec;
using ui::Cursor;
using ui::Font;

constexpr Color kFormColor{171, 181, 193};
constexpr Color kDarkRed{128, 0, 0};
constexpr Color kWhite{255, 255, 255};
constexpr Color kLightGrey{224, 224, 224};
constexpr Color kBlue{0, 0, 255};
constexpr Font kBold{"MS Sans Serif", 8.25, true, false};

constexpr auto kLogoTooltip = maker::joinLiterals("For more information, please visit ", maker::kWebSiteHost,
                                                  " or email ", maker::kInfoEmail);

constexpr ControlSpec button(std::string_view name, int left, int top, int width, int height,
                             std::string_view caption, std::string_view tooltip, int tabIndex,
                             std::string_view container = {})
{
    ControlSpec spec{};
    spec.name = name;
    spec.kind = ControlKind::CommandButton;
    spec.container = container;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.caption = caption;
    spec.tooltip = tooltip;
    spec.tabIndex = tabIndex;
    spec.picture = ui::assets::kButtonFace;
    spec.downPicture = ui::assets::kButtonFaceDown;
    spec.cursor = Cursor::PointingHand;
    return spec;
}

constexpr ControlSpec streetList(std::string_view name, int left, int top, int width, int height,
                                 std::string_view tooltip, int tabIndex)
{
    ControlSpec spec{};
    spec.name = name;
    spec.kind = ControlKind::ListBox;
    spec.container = "Frame1";
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.tooltip = tooltip;
    spec.tabIndex = tabIndex;
    spec.backColor = kWhite;
    spec.foreColor = kBlue;
    spec.font = kBold;
    spec.sorted = true;
    spec.cursor = Cursor::PointingHand;
    return spec;
}

constexpr ControlSpec label(std::string_view name, std::string_view container, int left, int top, int width,
                            int height, std::string_view caption, Color foreColor, int tabIndex)
{
    ControlSpec spec{};
    spec.name = name;
    spec.kind = ControlKind::Label;
    spec.container = container;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.caption = caption;
    spec.tabIndex = tabIndex;
    spec.foreColor = foreColor;
    return spec;
}

constexpr ControlSpec searchText()
{
    ControlSpec spec{};
    spec.name = "Text1";
    spec.kind = ControlKind::TextBox;
    spec.container = "Frame1";
    spec.left = 180;
    spec.top = 600;
    spec.width = 2550;
    spec.height = 360;
    spec.tooltip = "Enter text and click Go to search the list";
    spec.tabIndex = 0;
    spec.backColor = kLightGrey;
    spec.cursor = Cursor::TextEntry;
    return spec;
}

constexpr ControlSpec searchFrame()
{
    ControlSpec spec{};
    spec.name = "Frame1";
    spec.kind = ControlKind::Frame;
    spec.left = 120;
    spec.top = 120;
    spec.width = 5655;
    spec.height = 2955;
    spec.caption = "Address search:";
    spec.tabIndex = 7;
    spec.backColor = kFormColor;
    spec.foreColor = kDarkRed;
    spec.font = kBold;
    return spec;
}

constexpr ControlSpec logo()
{
    ControlSpec spec{};
    spec.name = "Image2";
    spec.kind = ControlKind::Image;
    spec.left = 120;
    spec.top = 3180;
    spec.width = 1800;
    spec.height = 750;
    spec.tooltip = maker::textOf(kLogoTooltip);
    spec.tabIndex = 10;
    spec.picture = ui::assets::kLogo;
    return spec;
}

// Containers first, so that a toolkit meets Frame1 before what it holds; the
// tab sequence is in tabIndex.
constexpr std::array kControls{
    searchFrame(),
    searchText(),
    button("Command4", 2760, 615, 615, 345, "Go", "Enter text and click Go to search the list", 1, "Frame1"),
    streetList("List1", 180, 1020, 3270, 1815, "Click on a street name to load the address list", 2),
    streetList("List2", 3600, 600, 1860, 2205, "Click to zoom to an address", 3),
    button("btnHelp2", 5350, 3180, 435, 330, "?", "Help", 4),
    button("Command1", 4100, 3600, 1695, 315, "Configure", "Configure the tool", 5),
    label("txtVersion", {}, 4500, 3240, 675, 255, "v2.03", kLightGrey, 6),
    label("Label11", "Frame1", 120, 300, 1170, 255, " Street Search:", kWhite, 8),
    label("Label3", "Frame1", 3540, 300, 1470, 255, " Address Number:", kWhite, 9),
    logo(),
};

constexpr ui::FormSpec kForm{
    "frmMain", "CorvaneAddressSearch", 5910, 4020, kFormColor, {}, kControls,
};

} // namespace

const ui::FormSpec& frmMainLayout() { return kForm; }

} // namespace corvane::search
