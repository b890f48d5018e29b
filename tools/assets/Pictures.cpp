#include "Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

#include "PixelArt.h"

namespace corvane::assets {

QImage logoPicture()
{
    QImage image(120, 50, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, 50);
    background.setColorAt(0, QColor(250, 251, 253));
    background.setColorAt(1, QColor(214, 222, 232));
    painter.fillRect(image.rect(), background);
    // A map pin over a street corner.
    painter.setPen(QPen(QColor(120, 130, 145), 3));
    painter.drawLine(6, 40, 40, 40);
    painter.drawLine(18, 12, 18, 46);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(176, 24, 24));
    painter.drawEllipse(QRectF(22, 8, 16, 16));
    QPolygonF tip;
    tip << QPointF(23.5, 19) << QPointF(36.5, 19) << QPointF(30, 36);
    painter.drawPolygon(tip);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(27, 13, 6, 6));
    QFont name(kFontFamily);
    name.setPixelSize(13);
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(QRect(42, 8, 78, 18), Qt::AlignLeft | Qt::AlignVCenter, "Corvane");
    painter.setPen(QColor(40, 60, 100));
    painter.drawText(QRect(42, 24, 78, 18), Qt::AlignLeft | Qt::AlignVCenter, "GIS");
    return image;
}

QImage buttonFace(bool pressed)
{
    QImage image(112, 18, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, 0, 18);
    fill.setColorAt(0, pressed ? QColor(168, 180, 198) : QColor(246, 248, 251));
    fill.setColorAt(1, pressed ? QColor(200, 210, 224) : QColor(204, 214, 228));
    painter.fillRect(image.rect(), fill);
    painter.setPen(pressed ? QColor(96, 108, 128) : QColor(255, 255, 255));
    painter.drawLine(0, 0, 111, 0);
    painter.drawLine(0, 0, 0, 17);
    painter.setPen(pressed ? QColor(255, 255, 255) : QColor(120, 132, 150));
    painter.drawLine(0, 17, 111, 17);
    painter.drawLine(111, 0, 111, 17);
    return image;
}

QImage gradientFace(bool pressed)
{
    QImage image(pressed ? 336 : 337, 55, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient fill(0, 0, image.width(), 0);
    if (pressed) {
        fill.setColorAt(0, QColor(150, 164, 186));
        fill.setColorAt(1, QColor(108, 124, 150));
    } else {
        fill.setColorAt(0, QColor(238, 242, 248));
        fill.setColorAt(1, QColor(184, 198, 218));
    }
    painter.fillRect(image.rect(), fill);
    return image;
}

QImage handCursorPicture()
{
    QImage image(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            switch (handCursorPixel(x, y)) {
            case CursorPixel::Black: image.setPixelColor(x, y, QColor(0, 0, 0)); break;
            case CursorPixel::White: image.setPixelColor(x, y, QColor(255, 255, 255)); break;
            case CursorPixel::Transparent: image.setPixelColor(x, y, QColor(0, 0, 0, 0)); break;
            }
        }
    }
    return image;
}

} // namespace corvane::assets
