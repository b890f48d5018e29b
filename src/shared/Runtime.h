#pragma once
// The few runtime services the system's routines call directly: untitled
// message boxes, the application-wide mouse pointer and the screen.

#include <string>

#include "ui/Toolkit.h"

namespace corvane {

// The component's default application title, which untitled boxes carry:
// the project name of the component.
inline constexpr const char* kApplicationTitle = "CorvaneGIS";

// A modal message box with an OK button only and the application title.
void MsgBox(const std::string& prompt);

inline constexpr ui::MousePointer vbDefault = ui::MousePointer::Default;
inline constexpr ui::MousePointer vbHourglass = ui::MousePointer::Hourglass;

// Screen.MousePointer = pointer
void setScreenMousePointer(ui::MousePointer pointer);

} // namespace corvane
