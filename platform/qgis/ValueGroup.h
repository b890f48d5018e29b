#pragma once
// One value of a column and the number of rows that hold it.

#include <QVariant>

namespace corvane::qgis {

struct ValueGroup {
    QVariant value;  // the text, or a null QVariant
    qint64 rows = 0;
};

} // namespace corvane::qgis
