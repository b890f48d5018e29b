#pragma once
// The status bar and its progress display. Every call is recorded in order;
// consecutive Steps collapse into one entry with a count, so a million steps
// cost a counter, not a million entries.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/Application.h"
#include "memory/HostContext.h"

namespace corvane::memory {

struct ProgressCall {
    std::string call;        // "Message", "MaxRange", "StepValue", "Position", "Show", "Step", "Hide"
    std::string text;        // Message only
    std::int32_t value = 0;  // MaxRange, StepValue, Position
    std::int64_t count = 1;  // Step: how many in a row
};

class MemoryProgressBar final : public host::IStepProgressor {
public:
    explicit MemoryProgressBar(ContextPtr context) : m_context(std::move(context)) {}

    [[nodiscard]] const std::vector<ProgressCall>& calls() const noexcept { return m_calls; }
    // One line per entry: "Message Loading List: STNAME...", "MaxRange 17", "Step x17", "Show"...
    [[nodiscard]] std::vector<std::string> callLines() const;
    void clearCalls() { m_calls.clear(); }

    [[nodiscard]] const std::string& message() const noexcept { return m_message; }
    [[nodiscard]] bool visible() const noexcept { return m_visible; }
    [[nodiscard]] std::int32_t maxRange() const noexcept { return m_maxRange; }
    [[nodiscard]] std::int32_t stepValue() const noexcept { return m_stepValue; }
    [[nodiscard]] std::int64_t position() const noexcept { return m_position; }
    [[nodiscard]] std::int64_t stepCount() const noexcept { return m_steps; }

    void Message(const std::string& text) override;
    void Show() override;
    void Step() override;
    void Hide() override;
    void MaxRange(std::int32_t value) override;
    void StepValue(std::int32_t value) override;
    void Position(std::int32_t value) override;

private:
    ContextPtr m_context;
    std::vector<ProgressCall> m_calls;
    std::string m_message;
    bool m_visible = false;
    std::int32_t m_maxRange = 100;
    std::int32_t m_stepValue = 1;
    std::int64_t m_position = 0; // wide: steps past the range keep counting
    std::int64_t m_steps = 0;
};

class MemoryStatusBar final : public host::IStatusBar {
public:
    explicit MemoryStatusBar(ContextPtr context)
        : m_context(context), m_progress(std::make_shared<MemoryProgressBar>(std::move(context)))
    {
    }

    [[nodiscard]] MemoryProgressBar& progress() const noexcept { return *m_progress; }

    host::Ref<host::IStepProgressor> ProgressBar() override;

private:
    ContextPtr m_context;
    std::shared_ptr<MemoryProgressBar> m_progress;
};

} // namespace corvane::memory
