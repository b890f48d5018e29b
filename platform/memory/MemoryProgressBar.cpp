#include "memory/MemoryProgressBar.h"

namespace corvane::memory {

std::vector<std::string> MemoryProgressBar::callLines() const
{
    std::vector<std::string> lines;
    lines.reserve(m_calls.size());
    for (const ProgressCall& entry : m_calls) {
        if (entry.call == "Message") {
            lines.push_back("Message " + entry.text);
        } else if (entry.call == "Step") {
            lines.push_back("Step x" + std::to_string(entry.count));
        } else if (entry.call == "Show" || entry.call == "Hide") {
            lines.push_back(entry.call);
        } else {
            lines.push_back(entry.call + " " + std::to_string(entry.value));
        }
    }
    return lines;
}

void MemoryProgressBar::Message(const std::string& text)
{
    m_context->faults.check("IStepProgressor.Message");
    m_message = text;
    m_calls.push_back(ProgressCall{"Message", text, 0, 1});
}

void MemoryProgressBar::Show()
{
    m_context->faults.check("IStepProgressor.Show");
    m_visible = true;
    m_calls.push_back(ProgressCall{"Show", {}, 0, 1});
}

void MemoryProgressBar::Step()
{
    m_context->faults.check("IStepProgressor.Step");
    m_position += m_stepValue;
    ++m_steps;
    if (!m_calls.empty() && m_calls.back().call == "Step") {
        ++m_calls.back().count;
        return;
    }
    m_calls.push_back(ProgressCall{"Step", {}, 0, 1});
}

void MemoryProgressBar::Hide()
{
    m_context->faults.check("IStepProgressor.Hide");
    m_visible = false;
    m_calls.push_back(ProgressCall{"Hide", {}, 0, 1});
}

void MemoryProgressBar::MaxRange(std::int32_t value)
{
    m_context->faults.check("IStepProgressor.MaxRange");
    m_maxRange = value;
    m_calls.push_back(ProgressCall{"MaxRange", {}, value, 1});
}

void MemoryProgressBar::StepValue(std::int32_t value)
{
    m_context->faults.check("IStepProgressor.StepValue");
    m_stepValue = value;
    m_calls.push_back(ProgressCall{"StepValue", {}, value, 1});
}

void MemoryProgressBar::Position(std::int32_t value)
{
    m_context->faults.check("IStepProgressor.Position");
    m_position = value;
    m_calls.push_back(ProgressCall{"Position", {}, value, 1});
}

host::Ref<host::IStepProgressor> MemoryStatusBar::ProgressBar()
{
    m_context->faults.check("IStatusBar.ProgressBar");
    return host::Ref<host::IStepProgressor>(m_progress);
}

} // namespace corvane::memory
