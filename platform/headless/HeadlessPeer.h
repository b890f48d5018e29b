#pragma once
// The window of one loaded form, without a display: it records what the
// form tells it and keeps only whether it is shown.

#include "headless/Journal.h"
#include "ui/Toolkit.h"

#include <memory>
#include <string>

namespace corvane::headless {

class HeadlessPeer final : public ui::FormPeer {
  public:
    HeadlessPeer(std::shared_ptr<Journal> journal, std::string formName, ui::WindowHandle handle);
    ~HeadlessPeer() override;

    ui::WindowHandle handle() override { return m_handle; }
    void show() override;
    void hide() override;
    void listInserted(const ui::ListBox& list, int index, const std::string& text) override;
    void listCleared(const ui::ListBox& list) override;
    void listSelected(const ui::ListBox& list, int index) override;
    void textChanged(const ui::Control& control, const std::string& text) override;

    [[nodiscard]] bool shown() const noexcept { return m_shown; }

  private:
    void record(FormEventKind kind, const char* verb);

    std::shared_ptr<Journal> m_journal;
    std::string m_formName;
    ui::WindowHandle m_handle;
    bool m_shown = false;
};

} // namespace corvane::headless
