#pragma once
// The host's frame window that shows one of the system's forms modelessly.
// Created by name through HostClasses; one frame per form instance.

#include <cstdint>
#include <string>

#include "host/Ref.h"

namespace corvane::host {

// The native window of a form, as the windowing layer hands it out.
using WindowHandle = std::intptr_t;

struct IModelessFrame : virtual HostObject {
    // Takes the form's window as the frame's content.
    virtual void Create(WindowHandle window) = 0;
    virtual std::string Caption() = 0;
    virtual void Caption(const std::string& text) = 0;
    virtual bool Visible() = 0;
    virtual void Visible(bool visible) = 0;
};

struct IWindowPosition : virtual HostObject {
    // Pixels. A width or height of 0 keeps the frame's size.
    virtual void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) = 0;
};

} // namespace corvane::host
