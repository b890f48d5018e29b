#pragma once
// The search dialog's designer table.

#include "ui/Layout.h"

namespace corvane::search {

[[nodiscard]] const ui::FormSpec& frmMainLayout();

} // namespace corvane::search
