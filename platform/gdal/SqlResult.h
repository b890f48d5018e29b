#pragma once
// The result set of GDALDataset::ExecuteSQL, released with its dataset's call
// when it goes out of scope. layer() is null when the statement failed (the
// failure went to the thread's CPL error handler).
//
//   SqlResult result(dataset, "SELECT count(*) FROM \"parcels\"");
//   while (auto row = result.next()) ...

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <string>

namespace corvane::gdal {

class SqlResult {
public:
    SqlResult(GDALDataset& dataset, const std::string& sql)
        : m_dataset(dataset), m_layer(dataset.ExecuteSQL(sql.c_str(), nullptr, nullptr))
    {
    }
    ~SqlResult()
    {
        if (m_layer != nullptr) m_dataset.ReleaseResultSet(m_layer);
    }
    SqlResult(const SqlResult&) = delete;
    SqlResult& operator=(const SqlResult&) = delete;

    [[nodiscard]] OGRLayer* layer() const { return m_layer; }
    OGRFeatureUniquePtr next() { return OGRFeatureUniquePtr(m_layer->GetNextFeature()); }

private:
    GDALDataset& m_dataset;
    OGRLayer* m_layer;
};

} // namespace corvane::gdal
