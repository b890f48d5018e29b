#pragma once
// Headless stand-ins for the application's status-bar progress display and
// modeless frames: they keep what was done to them, so the adapter runs
// without a window and tests can read the record back.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/Application.h"
#include "host/ModelessFrame.h"

namespace corvane::gdal {

class RecordingProgressor final : public host::IStepProgressor {
public:
    void Message(const std::string& text) override;
    void Show() override;
    void Step() override;
    void Hide() override;
    void MaxRange(std::int32_t value) override;
    void StepValue(std::int32_t value) override;
    void Position(std::int32_t value) override;

    [[nodiscard]] const std::string& message() const noexcept { return m_message; }
    [[nodiscard]] bool visible() const noexcept { return m_visible; }
    [[nodiscard]] std::int32_t maxRange() const noexcept { return m_maxRange; }
    [[nodiscard]] std::int32_t stepValue() const noexcept { return m_stepValue; }
    [[nodiscard]] std::int32_t position() const noexcept { return m_position; }
    [[nodiscard]] std::int64_t steps() const noexcept { return m_steps; }
    // Every call but Step, in order ("Message:...", "Show", "MaxRange:10"...);
    // steps are counted only, as a long list would flood the record.
    [[nodiscard]] const std::vector<std::string>& calls() const noexcept { return m_calls; }

private:
    std::string m_message;
    bool m_visible = false;
    std::int32_t m_maxRange = 100;
    std::int32_t m_stepValue = 1;
    std::int32_t m_position = 0;
    std::int64_t m_steps = 0;
    std::vector<std::string> m_calls;
};

class RecordingStatusBar final : public host::IStatusBar {
public:
    host::Ref<host::IStepProgressor> ProgressBar() override { return host::Ref<host::IStepProgressor>(m_progressor); }
    [[nodiscard]] RecordingProgressor& progressor() const noexcept { return *m_progressor; }

private:
    std::shared_ptr<RecordingProgressor> m_progressor = std::make_shared<RecordingProgressor>();
};

class RecordingModelessFrame final : public host::IModelessFrame, public host::IWindowPosition {
public:
    void Create(host::WindowHandle window) override { m_window = window; }
    std::string Caption() override { return m_caption; }
    void Caption(const std::string& text) override { m_caption = text; }
    bool Visible() override { return m_visible; }
    void Visible(bool visible) override { m_visible = visible; }
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

    [[nodiscard]] host::WindowHandle window() const noexcept { return m_window; }
    struct Position {
        std::int32_t left = 0, top = 0, width = 0, height = 0;
    };
    [[nodiscard]] const Position& position() const noexcept { return m_position; }

private:
    host::WindowHandle m_window = 0;
    std::string m_caption;
    bool m_visible = false;
    Position m_position;
};

} // namespace corvane::gdal
