// The help window's background: everything the help dialog says, drawn in
// one picture. The white strip of the two contact links and the "Check for
// Updates" link lie on top of it, so their places are kept clear. It is
// drawn at the size of the window's client area (10440 x 7395 twips, 696 x
// 493 pixels), so nothing of it is cut off.

#include <QFont>
#include <QPainter>
#include <QStringList>

#include "Pictures.h"

namespace corvane::assets {

namespace {

QFont font(int pixels, bool bold = false)
{
    QFont f(kFontFamily);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

void button(QPainter& painter, const QRect& box, const QString& caption)
{
    painter.drawImage(box, buttonFace(false));
    painter.setPen(Qt::black);
    painter.setFont(font(10));
    painter.drawText(box, Qt::AlignCenter, caption);
}

void list(QPainter& painter, const QRect& box, const QStringList& entries, int selected)
{
    painter.setPen(QColor(128, 128, 128));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    painter.setFont(font(10, true));
    for (int i = 0; i < entries.size(); ++i) {
        const QRect row(box.left() + 2, box.top() + 2 + i * 14, box.width() - 4, 14);
        if (i == selected) {
            painter.fillRect(row, QColor(0, 0, 128));
            painter.setPen(Qt::white);
        } else {
            painter.setPen(QColor(0, 0, 255));
        }
        painter.drawText(row.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, entries[i]);
    }
}

// The search dialog at its designed size in pixels (394 x 268).
void searchDialog(QPainter& painter)
{
    painter.fillRect(QRect(0, 0, 394, 268), QColor(171, 181, 193));
    painter.setPen(QColor(100, 108, 120));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(8, 14, 377, 183));
    painter.fillRect(QRect(14, 6, 100, 14), QColor(171, 181, 193));
    painter.setFont(font(11, true));
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(QRect(16, 6, 120, 14), Qt::AlignLeft | Qt::AlignVCenter, "Address search:");
    painter.setFont(font(10));
    painter.setPen(Qt::white);
    painter.drawText(QRect(16, 28, 80, 17), Qt::AlignLeft | Qt::AlignVCenter, " Street Search:");
    painter.drawText(QRect(244, 28, 100, 17), Qt::AlignLeft | Qt::AlignVCenter, " Address Number:");
    painter.fillRect(QRect(20, 48, 170, 24), QColor(224, 224, 224));
    painter.setPen(Qt::black);
    painter.drawText(QRect(24, 48, 160, 24), Qt::AlignLeft | Qt::AlignVCenter, "ma");
    button(painter, QRect(192, 49, 41, 23), "Go");
    list(painter, QRect(20, 76, 218, 121), {"ELM ST", "MAIN ST", "MAPLE AVE", "OAK AVE", "O'NEIL RD"}, 1);
    list(painter, QRect(248, 48, 124, 147), {"10", "12", "2", "9"}, 1);
    painter.setPen(QColor(120, 130, 145));
    painter.setBrush(QColor(214, 222, 232));
    painter.drawRect(QRect(8, 212, 120, 50));
    painter.setFont(font(10));
    painter.setPen(QColor(224, 224, 224));
    painter.drawText(QRect(300, 216, 45, 17), Qt::AlignLeft | Qt::AlignVCenter, "v2.15");
    button(painter, QRect(357, 212, 29, 22), "?");
    button(painter, QRect(273, 240, 113, 21), "Configure");
}

} // namespace

QImage helpPicture()
{
    QImage image(696, 493, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    // The contact line: the two links lie on the white strip to the right,
    // their text at its top in the links' own 9.75 point (13 pixels), so
    // "Contact:" drawn the same way shares their baseline.
    painter.setFont(font(13));
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRect(20, 48, 106, 17), Qt::AlignRight | Qt::AlignTop, "Contact:");
    painter.setPen(QColor(171, 181, 193));
    painter.drawLine(20, 80, 676, 80);

    painter.setFont(font(26, true));
    painter.setPen(QColor(128, 0, 0));
    painter.drawText(QRect(20, 90, 600, 36), Qt::AlignLeft | Qt::AlignVCenter, "CorvaneAddressSearch");

    painter.setFont(font(15, true));
    painter.setPen(QColor(40, 60, 100));
    painter.drawText(QRect(20, 136, 380, 22), Qt::AlignLeft | Qt::AlignVCenter, "Overview");
    painter.setFont(font(12));
    painter.setPen(Qt::black);
    painter.drawText(QRect(20, 160, 380, 40), Qt::TextWordWrap,
                     "CorvaneAddressSearch zooms the map to a parcel when you pick a street and an address "
                     "number from its lists.");

    painter.setFont(font(15, true));
    painter.setPen(QColor(40, 60, 100));
    painter.drawText(QRect(20, 208, 380, 22), Qt::AlignLeft | Qt::AlignVCenter, "How to use it");
    const QStringList steps{
        "Type the start of a street name and press Go: the first street in the list whose leading "
        "characters match your text is highlighted and its address numbers are listed.",
        "Click a street name to list the address numbers on that street.",
        "Click an address number to zoom the map to the parcel at that address.",
        "Press Configure to choose the parcel layer and its street name and address number fields.",
    };
    painter.setFont(font(12));
    painter.setPen(Qt::black);
    int top = 234;
    for (int i = 0; i < steps.size(); ++i) {
        painter.drawText(QRect(20, top, 24, 20), Qt::AlignLeft | Qt::AlignTop, QString::number(i + 1) + ".");
        const QRect box(44, top, 356, 80);
        const QRect used = painter.boundingRect(box, Qt::TextWordWrap, steps[i]);
        painter.drawText(box, Qt::TextWordWrap, steps[i]);
        top += used.height() + 12;
    }

    // The search dialog, scaled to the column right of the text.
    constexpr double kScale = 256.0 / 394.0;
    painter.save();
    painter.translate(420, 140);
    painter.scale(kScale, kScale);
    searchDialog(painter);
    painter.restore();
    painter.setPen(QColor(100, 100, 100));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(419.5, 139.5, 257, 268 * kScale + 1));
    painter.setFont(font(11));
    painter.drawText(QRect(420, 318, 256, 18), Qt::AlignHCenter | Qt::AlignVCenter, "The search dialog");

    painter.setPen(QColor(171, 181, 193));
    painter.drawLine(20, 452, 676, 452);
    painter.setFont(font(11));
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRect(20, 458, 656, 24), Qt::AlignHCenter | Qt::AlignVCenter,
                     "We can also be reached by telephone and by post: the web site above lists both.");
    return image;
}

} // namespace corvane::assets
