#pragma once
// The world the map-data tests run in: the parcel town on a memory host, the
// headless toolkit recording message boxes, and a form holding the lists the
// routines fill. The component's public variables point at this host.

#include <string>
#include <vector>

#include "errors/ErrorHandling.h"
#include "headless/HeadlessToolkit.h"
#include "headless/ScopedToolkit.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "memory/MemoryTown.h"
#include "shared/Public.h"
#include "ui/Form.h"

namespace mapdata_test {

using namespace corvane::host;
using namespace corvane::memory;

// A form with one unsorted list, so that the order the routines add in shows.
inline const corvane::ui::FormSpec& listFormSpec()
{
    static const corvane::ui::ControlSpec controls[] = {[] {
        corvane::ui::ControlSpec list;
        list.name = "List1";
        list.kind = corvane::ui::ControlKind::ListBox;
        return list;
    }()};
    static const corvane::ui::FormSpec spec = [] {
        corvane::ui::FormSpec form;
        form.name = "frmLists";
        form.controls = controls;
        return form;
    }();
    return spec;
}

inline constexpr const char* kInjected = "injected";

struct MapDataWorld {
    MapDataWorld()
    {
        CorvaneGIS_Public::ResetForNewComponent();
        CorvaneGIS_Public::HostApplication = host.application();
        CorvaneGIS_Public::HostDocument = Ref<IMxDocument>(host.app().document());
    }
    ~MapDataWorld() { CorvaneGIS_Public::ResetForNewComponent(); }
    MapDataWorld(const MapDataWorld&) = delete;
    MapDataWorld& operator=(const MapDataWorld&) = delete;

    [[nodiscard]] std::vector<std::string> prompts() const { return toolkit.messagePrompts(); }

    Ref<IFeature> parcel(std::int32_t oid) const
    {
        const Ref<IFeatureCursor> cursor = town.parcels.ref()->Search(nullptr, false);
        for (Ref<IFeature> f = cursor->NextFeature(); f; f = cursor->NextFeature())
            if (f->OID() == oid) return f;
        return {};
    }

    corvane::headless::HeadlessToolkit toolkit;
    corvane::headless::ScopedToolkit installed{toolkit};
    MemoryHost host;
    MemoryTown town{host};
    corvane::ui::Form form{listFormSpec()};
    corvane::ui::ListBox& list = form.listBox("List1");
};

// The common report for a host call that failed with kInjected at `line`.
inline std::string reportText(const std::string& procedure, int line)
{
    return ErrorHandling::UnexpectedErrorText(procedure + "CorvaneGIS_ArcMap Line : " + std::to_string(line),
                                              errors::kHostCallFailed, kInjected);
}

// The "MODULE: " line of the report a routine showed.
inline std::string moduleLine(const std::string& prompt)
{
    const auto start = prompt.find("MODULE: ");
    if (start == std::string::npos) return {};
    return prompt.substr(start, prompt.find("\r\n", start) - start);
}

} // namespace mapdata_test
