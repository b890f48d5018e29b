#include "headless/ScopedToolkit.h"

#include "host/HostError.h"

namespace corvane::headless {

ScopedToolkit::ScopedToolkit(ui::Toolkit& toolkit)
{
    try {
        m_previous = &ui::toolkit();
    } catch (const host::HostError&) {
        m_previous = nullptr; // none installed yet
    }
    ui::setToolkit(&toolkit);
}

ScopedToolkit::~ScopedToolkit()
{
    ui::setToolkit(m_previous);
}

} // namespace corvane::headless
