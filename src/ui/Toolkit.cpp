#include "ui/Toolkit.h"

#include "host/HostError.h"

namespace corvane::ui {

namespace {
Toolkit* g_toolkit = nullptr;
} // namespace

Toolkit& toolkit()
{
    if (g_toolkit == nullptr) host::raiseError(host::errors::kObjectNotSet);
    return *g_toolkit;
}

void setToolkit(Toolkit* toolkit) { g_toolkit = toolkit; }

} // namespace corvane::ui
