#include "MapPropertiesDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "gdal/SpatialReference.h"

namespace corvane::map {

bool editMapSrs(QWidget* parent, gdal::GdalMap& map)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("MapProperties"));
    dialog.setWindowTitle(QStringLiteral("Map Properties"));
    auto* form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("Now: %1").arg(map.srs() ? QString::fromStdString(gdal::srsLabel(map.srs()))
                                                                     : QStringLiteral("no coordinate system")),
                            &dialog));
    auto* code = new QLineEdit(&dialog);
    code->setObjectName(QStringLiteral("Srs"));
    code->setPlaceholderText(QStringLiteral("e.g. EPSG:4326; empty: the first layer's"));
    if (map.srsChosen()) code->setText(QString::fromStdString(gdal::srsLabel(map.srs())).section(QLatin1Char(' '), 0, 0));
    form->addRow(QStringLiteral("Coordinate system:"), code);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    gdal::Srs chosen;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        const QString text = code->text().trimmed();
        bool isNumber = false;
        const int epsg = text.toInt(&isNumber);
        chosen = text.isEmpty() ? gdal::Srs{} : isNumber ? gdal::srsFromEpsg(epsg) : gdal::srsFromText(text.toStdString());
        if (!text.isEmpty() && !chosen) {
            QMessageBox::warning(&dialog, dialog.windowTitle(), QStringLiteral("%1 is not a coordinate system GDAL knows.").arg(text));
            return;
        }
        dialog.accept();
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    map.setSrs(chosen);
    return true;
}

} // namespace corvane::map
