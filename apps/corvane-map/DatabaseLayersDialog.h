#pragma once
// File > Add Database Layers: host, port, database and user of a PostgreSQL
// server, the tables and views found there (those with shapes first and
// ticked), and the GDAL connection string for the chosen ones. No password
// field: libpq reads the user's ~/.pgpass or service file, so no password
// passes through or stays in this application. Runs modally on the UI
// thread; an empty connection() means nothing was chosen.

#include <QDialog>
#include <string>

#include "gdal/PgSources.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace corvane::map {

class DatabaseLayersDialog final : public QDialog {
public:
    explicit DatabaseLayersDialog(QWidget* parent = nullptr);

    // Lists the tables of the login in the fields; a failure is shown in the
    // dialog, which stays open. Returns the number of tables listed.
    int listTables();
    void setLogin(const gdal::DatabaseLogin& login);
    [[nodiscard]] gdal::DatabaseLogin login() const;
    // The connection string for the ticked tables, empty when none.
    [[nodiscard]] std::string connection() const;
    [[nodiscard]] QListWidget& tables() const noexcept { return *m_tables; }
    [[nodiscard]] QString problem() const;

private:
    QLineEdit* m_host = nullptr;
    QLineEdit* m_port = nullptr;
    QLineEdit* m_database = nullptr;
    QLineEdit* m_user = nullptr;
    QListWidget* m_tables = nullptr;
    QLabel* m_problem = nullptr;
    QPushButton* m_add = nullptr;
    gdal::DatabaseLogin m_listed;  // the login the list belongs to
};

} // namespace corvane::map
