#pragma once
// The host frame that shows a form modelessly. Records what was done to it
// (in its own list and in the journal) and keeps the last state.

#include <cstdint>
#include <string>
#include <vector>

#include "host/ModelessFrame.h"
#include "memory/HostContext.h"

namespace corvane::memory {

class MemoryModelessFrame final : public host::IModelessFrame, public host::IWindowPosition {
public:
    // `id`: 1 for the first frame a host creates, then counting up.
    MemoryModelessFrame(ContextPtr context, std::int32_t id) : m_context(std::move(context)), m_id(id) {}

    [[nodiscard]] std::int32_t id() const noexcept { return m_id; }
    [[nodiscard]] bool created() const noexcept { return m_created; }
    [[nodiscard]] host::WindowHandle window() const noexcept { return m_window; }
    [[nodiscard]] const std::string& caption() const noexcept { return m_caption; }
    [[nodiscard]] bool visible() const noexcept { return m_visible; }
    [[nodiscard]] std::int32_t left() const noexcept { return m_left; }
    [[nodiscard]] std::int32_t top() const noexcept { return m_top; }
    [[nodiscard]] std::int32_t width() const noexcept { return m_width; }
    [[nodiscard]] std::int32_t height() const noexcept { return m_height; }
    // "Create 42", "Caption Address Search", "Visible True", "Move 10,20,300,200".
    [[nodiscard]] const std::vector<std::string>& calls() const noexcept { return m_calls; }

    void Create(host::WindowHandle window) override;
    std::string Caption() override;
    void Caption(const std::string& text) override;
    bool Visible() override;
    void Visible(bool visible) override;
    void Move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) override;

private:
    void record(const char* call, std::string detail);

    ContextPtr m_context;
    std::int32_t m_id;
    bool m_created = false;
    host::WindowHandle m_window = 0;
    std::string m_caption;
    bool m_visible = false;
    std::int32_t m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    std::vector<std::string> m_calls;
};

} // namespace corvane::memory
