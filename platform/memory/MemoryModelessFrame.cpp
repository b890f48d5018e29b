#include "memory/MemoryModelessFrame.h"

namespace corvane::memory {

void MemoryModelessFrame::record(const char* call, std::string detail)
{
    m_calls.push_back(std::string(call) + " " + detail);
    m_context->journal.record(FrameRecord{m_id, call, std::move(detail)});
}

void MemoryModelessFrame::Create(host::WindowHandle window)
{
    m_context->faults.check("IModelessFrame.Create");
    m_created = true;
    m_window = window;
    record("Create", std::to_string(window));
}

std::string MemoryModelessFrame::Caption()
{
    m_context->faults.check("IModelessFrame.Caption");
    return m_caption;
}

void MemoryModelessFrame::Caption(const std::string& text)
{
    m_context->faults.check("IModelessFrame.Caption=");
    m_caption = text;
    record("Caption", text);
}

bool MemoryModelessFrame::Visible()
{
    m_context->faults.check("IModelessFrame.Visible");
    return m_visible;
}

void MemoryModelessFrame::Visible(bool visible)
{
    m_context->faults.check("IModelessFrame.Visible=");
    m_visible = visible;
    record("Visible", visible ? "True" : "False");
}

void MemoryModelessFrame::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    m_context->faults.check("IWindowPosition.Move");
    m_left = left;
    m_top = top;
    // A width or height of 0 keeps the frame's size.
    if (width != 0) m_width = width;
    if (height != 0) m_height = height;
    record("Move", std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," +
                       std::to_string(height));
}

} // namespace corvane::memory
