// Picking a street, picking an address number, and leaving for the
// configuration dialog.

#include <cstdint>
#include <optional>
#include <string>

#include "config/CorvaneGIS_Config.h"
#include "config/FileSlot.h"
#include "config/frmConfig.h"
#include "errors/ErrorHandling.h"
#include "host/HostError.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "search/frmMain.h"
#include "shared/Public.h"
#include "shared/Runtime.h"

namespace {

constexpr double kZoomMargin = 0.2;

// Empty when the literal could not be built: FormatQueryValue has already
// said why, and a clause with the value missing or undelimited must not reach
// the host.
std::optional<std::string> whereTerm(const std::string& fieldName, const std::string& value)
{
    const std::string literal =
        CorvaneGIS_ArcMap::FormatQueryValue(CorvaneGIS_Public::ParcelLayerName, fieldName, value);
    if (literal.empty() && !value.empty()) return std::nullopt;
    return fieldName + " = " + literal;
}

void restorePointerQuietly() noexcept
{
    try {
        corvane::setScreenMousePointer(corvane::vbDefault);
    } catch (...) {
    }
}

} // namespace

void frmMain::List1_Click()
{
    using namespace CorvaneGIS_Public;
    std::int32_t line = 0;
    try {
        line = 1;
        corvane::setScreenMousePointer(corvane::vbHourglass);
        line = 2;
        List2.Clear();
        line = 3;
        const std::optional<std::string> streetClause = whereTerm(StreetNameField, List1.Text());
        if (!streetClause) {
            corvane::setScreenMousePointer(corvane::vbDefault);
            return;
        }
        line = 4;
        const auto cursor = CorvaneGIS_ArcMap::GetCursorByQuery(ParcelLayerName, *streetClause);
        line = 5;
        CorvaneGIS_ArcMap::LoadListWithUniqueFieldValuesFromCursor(cursor, AddressNumberField, List2);
        line = 6;
        corvane::setScreenMousePointer(corvane::vbDefault);
    } catch (...) {
        corvane::config::fileSlot1().closeQuietly();
        restorePointerQuietly();
        corvane::errors::reportTrappedError("List1_Click ", "frmMain", line);
    }
}

void frmMain::List2_Click()
{
    using namespace CorvaneGIS_Public;
    std::int32_t line = 0;
    try {
        line = 1;
        corvane::setScreenMousePointer(corvane::vbHourglass);
        line = 2;
        const std::optional<std::string> streetClause = whereTerm(StreetNameField, List1.Text());
        const std::optional<std::string> numberClause =
            streetClause ? whereTerm(AddressNumberField, List2.Text()) : std::nullopt;
        if (!numberClause) {
            corvane::setScreenMousePointer(corvane::vbDefault);
            return;
        }
        const std::string addressClause = *streetClause + " AND " + *numberClause;
        line = 3;
        const auto layer = CorvaneGIS_ArcMap::GetFeatureLayerByName(ParcelLayerName);
        line = 4;
        const auto cursor = CorvaneGIS_ArcMap::GetFeatureCursorByQuery(layer, addressClause);
        line = 5;
        if (cursor) {
            const auto feature = cursor->NextFeature();
            line = 6;
            if (feature) CorvaneGIS_ArcMap::ZoomToFeaturePlus(feature, kZoomMargin);
        }
        line = 7;
        corvane::setScreenMousePointer(corvane::vbDefault);
    } catch (...) {
        restorePointerQuietly();
        corvane::config::fileSlot1().closeQuietly();
        corvane::errors::reportTrappedError("List2_Click ", "frmMain", line);
    }
}

void frmMain::Command1_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        if (!CorvaneGIS_Public::SearchDialog) corvane::host::raiseError(corvane::host::errors::kObjectNotSet);
        CorvaneGIS_Public::SearchDialog->Frame()->Visible(false);
        line = 2;
        // The dialog may replace SearchDialog, this form included, before
        // Show returns; nothing here touches this form afterwards.
        frmConfig::defaultInstance()->Show(corvane::ui::vbModal);
    } catch (...) {
        corvane::errors::reportTrappedError("Command1_Click ", "frmMain", line);
    }
}
