#include "help/frmHelpLayout.h"

#include <array>

#include "shared/Maker.h"
#include "ui/Assets.h"

namespace corvane::help {

namespace {

using ui::Color;
using ui::ControlKind;
using ui::ControlSpec;

constexpr Color kWhite{255, 255, 255};
constexpr Color kLinkBlue{0, 0, 192};
constexpr ui::Font kLinkFont{"MS Sans Serif", 9.75, false, true};

constexpr ControlSpec contactStrip()
{
    ControlSpec spec{};
    spec.name = "Frame1";
    spec.kind = ControlKind::Frame;
    spec.left = 1980;
    spec.top = 720;
    spec.width = 4995;
    spec.height = 315;
    spec.backColor = kWhite;
    spec.bordered = false;
    return spec;
}

constexpr ControlSpec link(std::string_view name, std::string_view container, int left, int top, int width,
                           std::string_view caption, std::string_view tooltip)
{
    ControlSpec spec{};
    spec.name = name;
    spec.kind = ControlKind::Label;
    spec.container = container;
    spec.left = left;
    spec.top = top;
    spec.width = width;
    spec.height = 255;
    spec.caption = caption;
    spec.tooltip = tooltip;
    spec.foreColor = kLinkBlue;
    spec.font = kLinkFont;
    spec.cursor = ui::Cursor::PointingHand;
    return spec;
}

constexpr ControlSpec contactLink(std::string_view name, int left, int width, std::string_view caption,
                                  std::string_view tooltip)
{
    ControlSpec spec = link(name, "Frame1", left, 0, width, caption, tooltip);
    spec.backColor = kWhite;
    return spec;
}

constexpr ControlSpec updatesLink()
{
    ControlSpec spec = link("Label4", {}, 8220, 420, 2055, "Check for Updates", "Get the latest version");
    spec.alignment = ui::Alignment::Right;
    return spec;
}

constexpr std::array kControls{
    contactStrip(),
    contactLink("Label2", 60, 2295, maker::kWebSiteHost, "Visit us!"),
    contactLink("Label3", 2400, 2595, maker::kInfoEmail, "Email us!"),
    updatesLink(),
};

constexpr ui::FormSpec kForm{
    "frmHelp", "CorvaneAddressSearch - Help", 10440, 7395, kWhite, ui::assets::kHelpPicture, kControls,
};

} // namespace

const ui::FormSpec& frmHelpLayout() { return kForm; }

} // namespace corvane::help
