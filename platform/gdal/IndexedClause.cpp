#include "gdal/IndexedClause.h"

#include "gdal/CplErrors.h"
#include "gdal/WhereTerms.h"

namespace corvane::gdal {

std::optional<std::vector<std::int64_t>> candidateIds(DataSource& source, const LayerSchema& schema, OGRLayer& layer,
                                                      const std::string& clause)
{
    std::optional<std::vector<std::int64_t>> narrowest;
    for (const auto& term : conjoinedTextEqualities(clause)) {
        const std::int32_t index = schema.findField(term.field);
        if (index < 0) continue;
        const FieldInfo& field = schema.field(index);
        if (field.kind != FieldInfo::Kind::Attribute || field.type != host::esriFieldTypeString) continue;
        const auto values =
            source.valueIndex(schema.layerName, layer.GetLayerDefn()->GetFieldDefn(field.ogrIndex)->GetNameRef());
        if (!values) continue;
        const auto ids = values->idsOf(term.text);
        if (narrowest && narrowest->size() <= ids.size()) continue;
        narrowest.emplace(ids.begin(), ids.end());
    }
    return narrowest;
}

std::string restrictToIds(OGRLayer& layer, const std::vector<std::int64_t>& ids, const std::string& translated)
{
    if (ids.empty()) return "0 = 1 AND (" + translated + ")";  // the clause is still checked for errors
    std::string fid = "\"";
    for (const char c : std::string(layer.GetFIDColumn())) {
        fid += c;
        if (c == '"') fid += c;
    }
    std::string filter = fid + "\" IN (";
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0) filter += ',';
        filter += std::to_string(ids[i]);
    }
    return filter + ") AND (" + translated + ")";
}

std::unique_ptr<OGRFeatureQuery> compileRowCheck(OGRLayer& layer, const LayerSchema& schema,
                                                 const std::string& translated, const std::string& clause)
{
    auto query = std::make_unique<OGRFeatureQuery>();
    ScopedCplErrors errors;
    if (query->Compile(&layer, translated.c_str()) != OGRERR_NONE || errors.failed()) {
        raiseGdalFailure("The where clause " + clause + " is not valid for " + schema.layerName, errors.message());
    }
    return query;
}

} // namespace corvane::gdal
