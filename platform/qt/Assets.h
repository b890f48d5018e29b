#pragma once
// The dialogs' pictures (button faces, logo, help page, pointing hand),
// read from an asset folder. A missing picture is drawn instead, so a form
// always opens with its designed sizes.

#include <QCursor>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <string_view>

namespace corvane::qt {

// The folder the pictures are read from. Defaults to the checkout's assets/.
void setAssetDirectory(const QString& folder);
[[nodiscard]] QString assetDirectory();
// The full path of an asset, or empty when the file is missing.
[[nodiscard]] QString assetPath(std::string_view name);
// Null when the asset is missing or unreadable.
[[nodiscard]] QPixmap assetPixmap(std::string_view name);

// The silver-blue face of a picture button (darker while pressed), drawn.
[[nodiscard]] QPixmap drawnButtonFace(QSize size, bool pressed);
// The 32 x 32 pointing hand with its hot spot at the fingertip (10, 10).
[[nodiscard]] QCursor handCursor();

} // namespace corvane::qt
