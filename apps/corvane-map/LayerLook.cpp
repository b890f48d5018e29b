#include "LayerLook.h"

#include <QRegularExpression>
#include <array>

namespace corvane::map {

namespace {

// Colours by draw order; parcels, streets and points of a town look apart.
constexpr std::array<std::array<int, 6>, 6> kPalette{{
    {{246, 236, 214, 150, 130, 100}},
    {{214, 232, 246, 90, 110, 140}},
    {{226, 242, 214, 100, 130, 90}},
    {{244, 222, 228, 150, 90, 110}},
    {{236, 230, 246, 110, 100, 150}},
    {{240, 240, 240, 110, 110, 110}},
}};

LayerLook paletteLook(std::size_t index)
{
    const auto& c = kPalette[index % kPalette.size()];
    LayerLook look;
    look.fill = QColor(c[0], c[1], c[2]);
    look.outline = QColor(c[3], c[4], c[5]);
    return look;
}

void collect(const host::Ref<host::ILayer>& layer, std::vector<gdal::FeatureLayer*>& out)
{
    if (auto* feature = dynamic_cast<gdal::FeatureLayer*>(layer.get())) {
        out.push_back(feature);
    } else if (auto* group = dynamic_cast<gdal::GroupLayer*>(layer.get())) {
        for (const auto& child : group->layers()) collect(child, out);
    }
}

// The first attribute field whose name matches, text fields first: a
// number kept as text ("12B") labels as written.
std::string firstMatching(const gdal::LayerSchema& schema, const QRegularExpression& pattern)
{
    std::string found;
    for (const gdal::FieldInfo& field : schema.fields) {
        if (field.kind != gdal::FieldInfo::Kind::Attribute) continue;
        if (!pattern.match(QString::fromStdString(field.name)).hasMatch()) continue;
        if (field.type == host::esriFieldTypeString) return field.name;
        if (found.empty()) found = field.name;
    }
    return found;
}

} // namespace

std::string defaultLabelField(const gdal::LayerSchema& schema)
{
    static const QRegularExpression number(
        QStringLiteral("(ADD?R?_?NUM|HOUSE_?N|ST(REET)?_?NUM|^NUM(BER)?$|ADDR?ESS_?NO|HSE_?NO|ADDR?_?NO|_NO$|NUMBER)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression name(QStringLiteral("(NAME|^NOM$|^LABEL$|^TITLE$)"),
                                         QRegularExpression::CaseInsensitiveOption);
    switch (wkbFlatten(schema.geometryType)) {
    case wkbPolygon:
    case wkbMultiPolygon: return firstMatching(schema, number);
    case wkbLineString:
    case wkbMultiLineString:
    case wkbPoint:
    case wkbMultiPoint: return firstMatching(schema, name);
    default: return {};
    }
}

MapLook MapLook::defaultsFor(gdal::GdalMap& map)
{
    MapLook look;
    const auto layers = featureLayersOf(map);
    for (std::size_t i = 0; i < layers.size(); ++i) {
        LayerLook layer = paletteLook(i);
        layer.labelField = defaultLabelField(layers[i]->table().schema());
        look.set(*layers[i], layer);
    }
    return look;
}

const LayerLook& MapLook::of(const gdal::FeatureLayer& layer) const
{
    static const LayerLook kPlain = paletteLook(0);
    const auto found = m_layers.find(&layer);
    return found == m_layers.end() ? kPlain : found->second;
}

LayerLook& MapLook::of(const gdal::FeatureLayer& layer)
{
    const auto found = m_layers.find(&layer);
    if (found != m_layers.end()) return found->second;
    return m_layers[&layer] = paletteLook(m_layers.size());
}

std::vector<gdal::FeatureLayer*> featureLayersOf(gdal::GdalMap& map)
{
    std::vector<gdal::FeatureLayer*> out;
    for (const auto& layer : map.layers()) collect(layer, out);
    return out;
}

} // namespace corvane::map
