#include "qt/Assets.h"

#include <QBitmap>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "ui/Layout.h"
#include "qt/QtVersions.h"

namespace corvane::qt {

namespace {

QString& assetFolder()
{
    static QString folder = QStringLiteral(CORVANE_SOURCE_ASSET_DIR);
    return folder;
}

QString toQString(std::string_view text)
{
    return utf8Text(text);
}

// A plain hand: the index finger up, its tip at the hot spot, over a palm.
QPixmap drawnHand()
{
    QPixmap hand(32, 32);
    hand.fill(Qt::transparent);
    QPainter p(&hand);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath path;
    path.moveTo(8, 12);
    path.arcTo(8, 9, 4, 4, 180, -180);
    path.lineTo(12, 18);
    path.lineTo(21, 18);
    path.quadTo(24, 18, 24, 21);
    path.lineTo(24, 26);
    path.quadTo(22, 30, 18, 30);
    path.lineTo(11, 30);
    path.quadTo(5, 28, 4, 22);
    path.lineTo(4, 19);
    path.quadTo(6, 18, 8, 20);
    path.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    for (int x : {15, 18, 21}) p.drawLine(x, 18, x, 22);
    return hand;
}

} // namespace

void setAssetDirectory(const QString& folder) { assetFolder() = folder; }

QString assetDirectory() { return assetFolder(); }

QString assetPath(std::string_view name)
{
    if (name.empty()) return {};
    const QString path = QDir(assetFolder()).filePath(toQString(name));
    return QFileInfo::exists(path) ? path : QString();
}

QPixmap assetPixmap(std::string_view name)
{
    const QString path = assetPath(name);
    if (path.isEmpty()) return {};
    QImageReader reader(path);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

QPixmap drawnButtonFace(QSize size, bool pressed)
{
    QPixmap face(size.isEmpty() ? QSize(112, 18) : size);
    QPainter p(&face);
    QLinearGradient gradient(0, 0, face.width(), 0);
    gradient.setColorAt(0.0, pressed ? QColor(150, 162, 180) : QColor(236, 240, 246));
    gradient.setColorAt(1.0, pressed ? QColor(112, 126, 148) : QColor(190, 202, 218));
    p.fillRect(face.rect(), gradient);
    p.setPen(QColor(96, 106, 122));
    p.drawRect(face.rect().adjusted(0, 0, -1, -1));
    return face;
}

QCursor handCursor()
{
    // The PNG twin of the .cur file: Qt reads no hot spot from a .cur.
    QPixmap fromAsset = assetPixmap("hand.png");
    if (fromAsset.isNull()) fromAsset = assetPixmap(ui::kHandCursorAsset);
    const QPixmap hand = fromAsset.isNull() ? drawnHand() : fromAsset;
    return QCursor(hand, ui::kHandCursorHotSpotX, ui::kHandCursorHotSpotY);
}

} // namespace corvane::qt
