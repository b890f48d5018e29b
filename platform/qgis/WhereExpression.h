#pragma once
// The host's where-clause dialect turned into a QGIS feature request.
// Names stand bare (or in double quotes) and become quoted column
// references with the layer's own spelling of the field; text literals in
// single quotes with inner quotes doubled become QGIS string literals;
// #M/D/YYYY# dates (optionally with h:mm[:ss] [AM|PM]) become make_date or
// make_datetime calls; numbers, comparison operators, AND, OR, NOT, IN, IS,
// NULL, LIKE and parentheses keep their meaning. A clause that reads
// exactly `<object-ID field> in (id,...)` is an ID list and is answered
// with the feature IDs themselves. Called on the UI thread.
//
//   QgisWhere where = translateWhereClause("STNAME = 'O''Brien St'", *schema);
//   // where.expression == "\"STNAME\" = 'O''Brien St'"
//   QgsFeatureRequest request = featureRequest(where, layer);   // raises with QGIS's message

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include <qgsfeatureid.h>

#include "qgis/QgisSchema.h"

class QgsFeatureRequest;
class QgsVectorLayer;

namespace corvane::qgis {

struct QgisWhere {
    QString expression;               // empty: every row
    // Set for an object-ID list: the IDs in the clause's order, each once.
    std::optional<std::vector<QgsFeatureId>> ids;
};

// Raises HostError for text that is not of the dialect (an unterminated
// literal, an invalid date, a character the dialect does not use).
QgisWhere translateWhereClause(const std::string& clause, const QgisSchema& schema);

// The request for a translated clause on `layer` (an ID list asks for all
// its IDs at once). Raises HostError with QGIS's own message when QGIS
// rejects the expression (a parse error, an unknown column).
QgsFeatureRequest featureRequest(const QgisWhere& where, QgsVectorLayer& layer);

} // namespace corvane::qgis
