#include "config/frmConfigLayout.h"

#include <array>

#include "ui/Assets.h"

namespace corvane::config {

namespace {

using ui::Color;
using ui::ControlKind;
using ui::ControlSpec;
using ui::Cursor;

constexpr Color kFormColor{171, 181, 193};
constexpr Color kDarkRed{128, 0, 0};
constexpr Color kBlack{0, 0, 0};
constexpr ui::Font kBold{"MS Sans Serif", 8.25, true, false};

constexpr ControlSpec place(std::string_view name, ControlKind kind, std::string_view container, int left, int top,
                            int width, int height, std::string_view caption, int tabIndex)
{
    ControlSpec spec{};
    spec.name = name;
    spec.kind = kind;
    spec.container = container;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = height;
    spec.caption = caption;
    spec.tabIndex = tabIndex;
    return spec;
}

constexpr ControlSpec choiceFrame()
{
    ControlSpec spec = place("Frame1", ControlKind::Frame, {}, 120, 120, 8955, 2415, "Choose layer and fields:", 5);
    spec.backColor = kFormColor;
    spec.foreColor = kDarkRed;
    spec.font = kBold;
    return spec;
}

constexpr ControlSpec heading(std::string_view name, int left, int width, int height, std::string_view caption,
                              int tabIndex)
{
    ControlSpec spec = place(name, ControlKind::Label, "Frame1", left, 300, width, height, caption, tabIndex);
    spec.foreColor = kBlack;
    spec.font = kBold;
    return spec;
}

// Plain single-selection lists: entries stay in the order they are added.
constexpr ControlSpec choiceList(std::string_view name, int left, int width, int tabIndex)
{
    ControlSpec spec = place(name, ControlKind::ListBox, "Frame1", left, 600, width, 1620, {}, tabIndex);
    spec.cursor = Cursor::PointingHand;
    return spec;
}

constexpr ControlSpec button(std::string_view name, int left, int width, std::string_view caption, int tabIndex,
                             bool isDefault)
{
    ControlSpec spec = place(name, ControlKind::CommandButton, {}, left, 2700, width, 345, caption, tabIndex);
    spec.picture = ui::assets::kGradientFace;
    spec.downPicture = ui::assets::kGradientFaceDown;
    spec.cursor = Cursor::PointingHand;
    spec.isDefault = isDefault;
    return spec;
}

constexpr std::array kControls{
    choiceFrame(),
    heading("Label1", 180, 1605, 270, "Parcel layer:", 7),
    heading("Label2", 2580, 2070, 240, "Street Name field:", 6),
    heading("Label3", 5760, 2070, 240, "Address Number field:", 8),
    choiceList("List1", 180, 2235, 0),
    choiceList("List2", 2580, 3015, 1),
    choiceList("List3", 5760, 3015, 2),
    button("Command2", 6000, 1185, "Cancel", 3, false),
    button("Command1", 7260, 1845, "Continue", 4, true),
};

constexpr ui::FormSpec kForm{
    "frmConfig", "CorvaneAddressSearch - Configure", 9225, 3150, kFormColor, {}, kControls,
};

} // namespace

const ui::FormSpec& frmConfigLayout() { return kForm; }

} // namespace corvane::config
