#include "LayerPropertiesDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace corvane::map {

namespace {

void showColour(QPushButton& button, const QColor& colour)
{
    button.setText(colour.name());
    button.setStyleSheet(QStringLiteral("background-color: %1; color: %2")
                             .arg(colour.name(), colour.lightness() > 128 ? QStringLiteral("black") : QStringLiteral("white")));
}

} // namespace

bool editLayerLook(QWidget* parent, gdal::FeatureLayer& layer, LayerLook& look)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("LayerProperties"));
    dialog.setWindowTitle(QStringLiteral("Layer Properties - %1").arg(QString::fromStdString(layer.Name())));
    auto* form = new QFormLayout(&dialog);

    auto* visible = new QCheckBox(QStringLiteral("Show this layer"), &dialog);
    visible->setChecked(look.visible);
    form->addRow(visible);

    auto* label = new QComboBox(&dialog);
    label->setObjectName(QStringLiteral("LabelField"));
    label->addItem(QStringLiteral("(no labels)"), QString());
    for (const gdal::FieldInfo& field : layer.table().schema().fields) {
        if (field.kind == gdal::FieldInfo::Kind::Attribute)
            label->addItem(QString::fromStdString(field.name), QString::fromStdString(field.name));
    }
    label->setCurrentIndex(std::max(0, label->findData(QString::fromStdString(look.labelField))));
    form->addRow(QStringLiteral("Label field:"), label);

    QColor fill = look.fill;
    QColor outline = look.outline;
    auto* fillButton = new QPushButton(&dialog);
    auto* outlineButton = new QPushButton(&dialog);
    showColour(*fillButton, fill);
    showColour(*outlineButton, outline);
    QObject::connect(fillButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(fill, &dialog, QStringLiteral("Fill colour"));
        if (chosen.isValid()) showColour(*fillButton, fill = chosen);
    });
    QObject::connect(outlineButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(outline, &dialog, QStringLiteral("Outline colour"));
        if (chosen.isValid()) showColour(*outlineButton, outline = chosen);
    });
    form->addRow(QStringLiteral("Fill colour:"), fillButton);
    form->addRow(QStringLiteral("Outline colour:"), outlineButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) return false;
    look.visible = visible->isChecked();
    look.labelField = label->currentData().toString().toStdString();
    look.fill = fill;
    look.outline = outline;
    return true;
}

} // namespace corvane::map
