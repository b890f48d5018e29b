// Any bytes as a where clause over a small table with every kind of field:
// the clause either raises HostError or selects rows; nothing else may happen.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/HostError.h"
#include "memory/MemoryHost.h"
#include "memory/WhereClause.h"

namespace {

using namespace corvane;

const memory::TableData& table()
{
    static memory::MemoryHost host;
    static memory::MemoryFeatureLayer& layer = [] () -> memory::MemoryFeatureLayer& {
        auto& made = host.map().addFeatureLayer("Fuzz", {{"NAME", host::esriFieldTypeString},
                                                         {"COUNT", host::esriFieldTypeInteger},
                                                         {"SMALL", host::esriFieldTypeSmallInteger},
                                                         {"RATIO", host::esriFieldTypeDouble},
                                                         {"WHEN", host::esriFieldTypeDate},
                                                         {"DATA", host::esriFieldTypeBlob}});
        made.addFeature(memory::envelope(0, 0, 1, 1), {"O'NEIL RD", 12, 3, 0.5, host::DateTime{2003, 1, 2}});
        made.addFeature(memory::envelope(1, 1, 2, 2), {"", -7, -32768, -0.0, host::DateTime{2012, 2, 29, 13, 5, 9}});
        made.addFeature(memory::kNoShape, {host::Variant::null(), host::Variant::null(), host::Variant(),
                                           host::Variant::null(), host::Variant::null()});
        made.addFeature(memory::envelope(2, 2, 3, 3), {"Main St", 2147483647, 32767, 1e300, host::DateTime{}});
        return made;
    }();
    return layer.data();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const memory::TableData& rows = table();
    const std::string_view clause(reinterpret_cast<const char*>(data), size);
    try {
        const auto compiled = memory::WhereClause::compile(rows, clause);
        std::size_t selected = 0;
        for (std::size_t row = 0; row < rows.rowCount(); ++row)
            if (compiled.matches(row)) ++selected;
        if (selected > rows.rowCount()) __builtin_trap();
    } catch (const host::HostError& error) {
        if (error.number() >= 0 || error.description().empty()) __builtin_trap();
    }
    return 0;
}
