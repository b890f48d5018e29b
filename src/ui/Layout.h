#pragma once
// Designer tables: what a form and its controls look like, in twips
// (1/1440 inch). Forms are defined once from these tables; each toolkit lays
// them out in its own units.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvane::ui {

struct Color {
    std::uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

struct Font {
    std::string_view name = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool underline = false;
};

enum class ControlKind { Frame, Label, ListBox, TextBox, CommandButton, Image };
enum class Cursor { Default, PointingHand, TextEntry };
enum class Alignment { Left, Right, Center };

struct ControlSpec {
    std::string_view name;
    ControlKind kind = ControlKind::Label;
    std::string_view container;  // empty: the form itself
    int left = 0, top = 0, width = 0, height = 0;
    std::string_view caption;    // caption or initial text
    std::string_view tooltip;
    int tabIndex = -1;           // -1: not a tab stop
    std::optional<Color> backColor;  // empty: transparent, or the container's colour
    std::optional<Color> foreColor;
    Font font;
    bool sorted = false;         // list boxes: ascending, ignoring case
    std::string_view picture;    // asset name: image, button face, frame picture
    std::string_view downPicture;  // button face while pressed
    Cursor cursor = Cursor::Default;
    Alignment alignment = Alignment::Left;
    bool isDefault = false;      // Enter presses it
    bool bordered = true;        // frames: false for a plain strip without caption
};

struct FormSpec {
    std::string_view name;
    std::string_view caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    Color backColor;
    std::string_view picture;  // background picture asset, if any
    std::span<const ControlSpec> controls;
};

// The pointing-hand cursor shared by the dialogs: 32 x 32, hot spot (10, 10).
inline constexpr std::string_view kHandCursorAsset = "hand.cur";
inline constexpr int kHandCursorHotSpotX = 10;
inline constexpr int kHandCursorHotSpotY = 10;

} // namespace corvane::ui
