#include "DatabaseLayersDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

#include "host/HostError.h"

namespace corvane::map {

namespace {

QLineEdit* field(QFormLayout& form, const QString& label, const QString& objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(objectName);
    form.addRow(label, edit);
    return edit;
}

} // namespace

DatabaseLayersDialog::DatabaseLayersDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AddDatabaseLayers"));
    setWindowTitle(QStringLiteral("Add Database Layers"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_host = field(*form, QStringLiteral("&Host:"), QStringLiteral("Host"));
    m_port = field(*form, QStringLiteral("&Port:"), QStringLiteral("Port"));
    m_database = field(*form, QStringLiteral("&Database:"), QStringLiteral("Database"));
    m_user = field(*form, QStringLiteral("&User:"), QStringLiteral("User"));
    m_port->setPlaceholderText(QStringLiteral("5432"));
    layout->addLayout(form);
    auto* note = new QLabel(QStringLiteral("The password comes from your ~/.pgpass or service file."));
    note->setWordWrap(true);
    layout->addWidget(note);
    auto* list = new QPushButton(QStringLiteral("&List Tables"));
    list->setObjectName(QStringLiteral("ListTables"));
    connect(list, &QPushButton::clicked, this, [this] { listTables(); });
    layout->addWidget(list);
    m_tables = new QListWidget;
    m_tables->setObjectName(QStringLiteral("Tables"));
    layout->addWidget(m_tables);
    m_problem = new QLabel;
    m_problem->setObjectName(QStringLiteral("Problem"));
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #800000"));
    layout->addWidget(m_problem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    m_add = buttons->addButton(QStringLiteral("&Add"), QDialogButtonBox::AcceptRole);
    m_add->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void DatabaseLayersDialog::setLogin(const gdal::DatabaseLogin& login)
{
    m_host->setText(QString::fromStdString(login.host));
    m_port->setText(QString::fromStdString(login.port));
    m_database->setText(QString::fromStdString(login.database));
    m_user->setText(QString::fromStdString(login.user));
}

gdal::DatabaseLogin DatabaseLayersDialog::login() const
{
    return {m_host->text().trimmed().toStdString(), m_port->text().trimmed().toStdString(),
            m_database->text().trimmed().toStdString(), m_user->text().trimmed().toStdString()};
}

int DatabaseLayersDialog::listTables()
{
    m_problem->clear();
    try {
        const auto found = gdal::listDatabaseTables(login());
        // The list changes only when the server answered.
        m_tables->clear();
        m_listed = login();
        for (const auto& table : found) {
            auto* item = new QListWidgetItem(QString::fromStdString(table.name) +
                                             (table.hasShapes ? QString() : QStringLiteral("  (no shapes)")));
            item->setData(Qt::UserRole, QString::fromStdString(table.name));
            item->setCheckState(table.hasShapes ? Qt::Checked : Qt::Unchecked);
            m_tables->addItem(item);
        }
        if (found.empty()) m_problem->setText(QStringLiteral("The database holds no tables you may list."));
    } catch (const host::HostError& error) {
        m_problem->setText(QString::fromStdString(error.description()));
    } catch (const std::exception& error) {
        m_problem->setText(QString::fromUtf8(error.what()));
    }
    m_add->setEnabled(m_tables->count() > 0);
    return m_tables->count();
}

std::string DatabaseLayersDialog::connection() const
{
    std::vector<std::string> chosen;
    for (int i = 0; i < m_tables->count(); ++i) {
        const QListWidgetItem* item = m_tables->item(i);
        if (item->checkState() == Qt::Checked) chosen.push_back(item->data(Qt::UserRole).toString().toStdString());
    }
    if (chosen.empty()) return {};
    return gdal::postgresConnection(m_listed, chosen);
}

QString DatabaseLayersDialog::problem() const { return m_problem->text(); }

} // namespace corvane::map
