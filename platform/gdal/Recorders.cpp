#include "gdal/Recorders.h"

namespace corvane::gdal {

void RecordingProgressor::Message(const std::string& text)
{
    m_message = text;
    m_calls.push_back("Message:" + text);
}

void RecordingProgressor::Show()
{
    m_visible = true;
    m_calls.emplace_back("Show");
}

void RecordingProgressor::Step()
{
    m_position += m_stepValue;
    ++m_steps;
}

void RecordingProgressor::Hide()
{
    m_visible = false;
    m_calls.emplace_back("Hide");
}

void RecordingProgressor::MaxRange(std::int32_t value)
{
    m_maxRange = value;
    m_calls.push_back("MaxRange:" + std::to_string(value));
}

void RecordingProgressor::StepValue(std::int32_t value)
{
    m_stepValue = value;
    m_calls.push_back("StepValue:" + std::to_string(value));
}

void RecordingProgressor::Position(std::int32_t value)
{
    m_position = value;
    m_calls.push_back("Position:" + std::to_string(value));
}

void RecordingModelessFrame::Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    m_position.left = left;
    m_position.top = top;
    if (width != 0) m_position.width = width;
    if (height != 0) m_position.height = height;
}

} // namespace corvane::gdal
