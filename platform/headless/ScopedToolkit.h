#pragma once
// Installs a toolkit for the life of a scope and puts the previous one
// (or none) back afterwards, so that tests do not leak theirs.

#include "ui/Toolkit.h"

namespace corvane::headless {

class ScopedToolkit {
  public:
    explicit ScopedToolkit(ui::Toolkit& toolkit);
    ScopedToolkit(const ScopedToolkit&) = delete;
    ScopedToolkit& operator=(const ScopedToolkit&) = delete;
    ~ScopedToolkit();

  private:
    ui::Toolkit* m_previous = nullptr;
};

} // namespace corvane::headless
