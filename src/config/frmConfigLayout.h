#pragma once
// The configuration dialog's designer table.

#include "ui/Layout.h"

namespace corvane::config {

[[nodiscard]] const ui::FormSpec& frmConfigLayout();

} // namespace corvane::config
