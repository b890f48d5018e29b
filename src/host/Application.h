#pragma once
// The host application, its document, the focus map, the active view and
// the status bar's progress display. Called on the UI thread only.

#include <cstdint>
#include <string>

#include "host/Geometry.h"
#include "host/Layers.h"

namespace corvane::host {

struct IMap : virtual HostObject {
    virtual std::int32_t LayerCount() = 0;
    virtual Ref<ILayer> Layer(std::int32_t index) = 0;
};

struct IActiveView : virtual HostObject {
    // The map shown by this view (for a page layout, its focus map).
    virtual Ref<IMap> FocusMap() = 0;
    virtual Ref<IEnvelope> Extent() = 0;
    virtual void Extent(const Ref<IEnvelope>& extent) = 0;
    virtual void Refresh() = 0;
};

// Type test only: the active view is the page layout.
struct IPageLayout : virtual HostObject {};

struct IProgressor : virtual HostObject {
    virtual void Message(const std::string& text) = 0;
    virtual void Show() = 0;
    virtual void Step() = 0;
    virtual void Hide() = 0;
};

struct IStepProgressor : virtual IProgressor {
    virtual void MaxRange(std::int32_t value) = 0;
    virtual void StepValue(std::int32_t value) = 0;
    virtual void Position(std::int32_t value) = 0;
};

struct IStatusBar : virtual HostObject {
    virtual Ref<IStepProgressor> ProgressBar() = 0;
};

struct IDocument : virtual HostObject {};

struct IMxDocument : virtual IDocument {
    // Read again at every use: the user may switch maps.
    virtual Ref<IMap> FocusMap() = 0;
    virtual Ref<IActiveView> ActiveView() = 0;
};

struct IApplication : virtual HostObject {
    virtual Ref<IDocument> Document() = 0;
    virtual Ref<IStatusBar> StatusBar() = 0;
};

} // namespace corvane::host
