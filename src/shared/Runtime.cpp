#include "shared/Runtime.h"

namespace corvane {

void MsgBox(const std::string& prompt) { ui::toolkit().messageBox(prompt, kApplicationTitle); }

void setScreenMousePointer(ui::MousePointer pointer) { ui::toolkit().setMousePointer(pointer); }

} // namespace corvane
