#include <string>
#include <unordered_set>

#include "errors/ErrorHandling.h"
#include "host/Application.h"
#include "mapdata/ArcMapSupport.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "shared/Public.h"
#include "shared/Runtime.h"
#include "ui/Text.h"

namespace CorvaneGIS_ArcMap {

using namespace corvane::host;

namespace {

constexpr const char* kShapeNotAccessible = "Shape field is not accessible";

bool isShapeField(const std::string& fieldName) { return corvane::ui::equalsIgnoringCase(fieldName, "Shape"); }

// The field checks both list routines open with: a blank name ends the
// routine quietly, "Shape" (any case) with its message. Lines 30 to 60.
bool fieldCanBeListed(const std::string& fieldName, int& line)
{
    line = 30;
    if (corvane::ui::trimBlanks(fieldName).empty()) return false;
    line = 40;
    if (isShapeField(fieldName)) {
        line = 50;
        corvane::MsgBox(kShapeNotAccessible);
        line = 60;
        return false;
    }
    return true;
}

// The current text keeps its value across a Null, so a Null row counts as a
// repeat of the row before it (or as the empty text when it comes first) and
// never reaches the list. The set compares exactly, letter case included.
// `afterRow` runs once per row, before the next is fetched; the loop's own
// statements are lines lineBase, lineBase + 10 and lineBase + 30.
template <class AfterRow>
void loadDistinctValues(const Ref<ICursor>& cursor, Ref<IRow> row, std::int32_t fieldIndex,
                        corvane::ui::ListBox& list, int& line, int lineBase, AfterRow&& afterRow)
{
    std::unordered_set<std::string> seen;
    std::string current;
    // Once a row has been looked up, the current text is in the set; rows
    // that repeat it (runs of one street, which index-ordered reads give)
    // then need no hashing at all.
    bool currentInSet = false;
    while (row) {
        line = lineBase;
        const Variant value = row->Value(fieldIndex);
        if (!value.isNull()) {
            // Text values are copied into the current text's buffer, which
            // keeps its capacity from row to row.
            if (value.isText()) {
                const auto& text = std::get<std::string>(value.storage());
                if (!currentInSet || text != current) {
                    current.assign(text);
                    currentInSet = false;
                }
            } else {
                current = value.toText();
                currentInSet = false;
            }
        }
        line = lineBase + 10;
        if (!currentInSet) {
            if (!seen.contains(current)) {
                seen.insert(current);
                if (!current.empty()) list.AddItem(current);
            }
            currentInSet = true;
        }
        afterRow();
        line = lineBase + 30;
        row = cursor->NextRow();
    }
}

} // namespace

void LoadListWithUniqueFieldValues(const std::string& layerName, const std::string& fieldName,
                                   corvane::ui::ListBox& list, bool showProgress, const Ref<IQueryFilter>& filter)
{
    int line = 0;
    Ref<IStepProgressor> progress;
    try {
        line = 10;
        list.Clear();
        line = 20;
        if (corvane::ui::trimBlanks(layerName).empty()) return;
        if (!fieldCanBeListed(fieldName, line)) return;
        line = 70;
        progress = CorvaneGIS_Public::HostApplication->StatusBar()->ProgressBar();
        line = 80;
        progress->Message("Loading List: " + fieldName + "...");
        line = 90;
        progress->StepValue(1);
        line = 100;
        progress->Position(0);
        line = 110;
        const Ref<IFeatureLayer> layer = GetFeatureLayerByName(layerName);
        line = 120;
        if (!layer) return;
        // The range counts every feature of the class, whatever the filter selects.
        line = 130;
        progress->MaxRange(layer->FeatureClass()->FeatureCount(nullptr));
        line = 140;
        progress->Position(0);
        line = 150;
        if (showProgress) progress->Show();
        line = 160;
        const Ref<ITable> table = detail::layerTable(layer);
        line = 170;
        if (showProgress) progress->Step();
        line = 180;
        const Ref<ICursor> cursor = table->Search(filter, false);
        line = 190;
        const std::int32_t fieldIndex = table->FindField(fieldName);
        line = 200;
        if (fieldIndex < 0) {
            line = 210;
            progress->Hide();
            line = 220;
            return;
        }
        line = 230;
        Ref<IRow> first = cursor->NextRow();
        loadDistinctValues(cursor, std::move(first), fieldIndex, list, line, 240, [&] {
            line = 260;
            if (showProgress) progress->Step();
        });
        line = 280;
        progress->Hide();
    } catch (...) {
        if (progress) {
            try {
                progress->Hide();
            } catch (...) {
                // The report below is about the first error, not this one.
            }
        }
        corvane::errors::reportTrappedError("LoadListWithUniqueFieldValues ", detail::kModuleName, line);
    }
}

void LoadListWithUniqueFieldValuesFromCursor(const Ref<ICursor>& cursor, const std::string& fieldName,
                                             corvane::ui::ListBox& list)
{
    int line = 0;
    try {
        line = 10;
        list.Clear();
        line = 20;
        if (!cursor) return;
        if (!fieldCanBeListed(fieldName, line)) return;
        line = 70;
        const std::int32_t fieldIndex = cursor->FindField(fieldName);
        line = 80;
        if (fieldIndex < 0) {
            line = 90;
            corvane::MsgBox("Can't find field: " + fieldName);
            line = 100;
            return;
        }
        line = 110;
        Ref<IRow> first = cursor->NextRow();
        line = 120;
        if (!first) {
            line = 130;
            list.AddItem("NONE");
            line = 140;
            return;
        }
        loadDistinctValues(cursor, std::move(first), fieldIndex, list, line, 150, [] {});
    } catch (...) {
        corvane::errors::reportTrappedError("LoadListWithUniqueFieldValuesFromCursor ", detail::kModuleName, line);
    }
}

} // namespace CorvaneGIS_ArcMap
