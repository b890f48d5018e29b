#pragma once
// The help dialog's designer table.

#include "ui/Layout.h"

namespace corvane::help {

[[nodiscard]] const ui::FormSpec& frmHelpLayout();

} // namespace corvane::help
