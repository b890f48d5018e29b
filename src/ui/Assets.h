#pragma once
// Names of the image files in assets/ that the layout tables refer to, with
// their sizes in pixels. A toolkit loads them from its assets folder; the
// button bitmap is also compiled into the system (frmResources).

#include <string_view>

namespace corvane::ui::assets {

// Search dialog: the maker's logo (Image2), 120 x 50.
inline constexpr std::string_view kLogo = "logo.png";
// Search dialog buttons: face and pressed face, 112 x 18 each.
inline constexpr std::string_view kButtonFace = "button_face.png";
inline constexpr std::string_view kButtonFaceDown = "button_face_down.png";
// Configuration dialog buttons: light gradient 337 x 55, pressed 336 x 55.
inline constexpr std::string_view kGradientFace = "gradient_face.png";
inline constexpr std::string_view kGradientFaceDown = "gradient_face_down.png";
// Help dialog background, 696 x 493: the dialog's client area.
inline constexpr std::string_view kHelpPicture = "help.png";
// The pointing-hand cursor (see kHandCursorAsset in Layout.h): a Windows .cur
// file, and the same 32 x 32 picture as PNG for toolkits that take a pixmap
// and a hot spot.
inline constexpr std::string_view kHandCursorPng = "hand.png";
// The command's 16 x 16 24-bit button image, 824 bytes.
inline constexpr std::string_view kButtonBitmap = "button.bmp";

} // namespace corvane::ui::assets
