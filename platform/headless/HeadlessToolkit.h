#pragma once
// The windowing layer for tests: no display, a scripted user, and a record
// of everything the system showed or asked for. Single-threaded, like the UI
// thread it stands in for.
//
//   headless::HeadlessToolkit toolkit;
//   headless::ScopedToolkit installed(toolkit);
//   toolkit.whenModal("frmConfig", [](ui::Form& f) {
//       f.userSelect("List1", 0);
//       f.userClick("Command1");
//   });
//   ... run the code that shows frmConfig modally ...
//   EXPECT_EQ(toolkit.messageBoxes().at(0).prompt, "...");

#include "headless/Journal.h"
#include "ui/Form.h"
#include "ui/Toolkit.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace corvane::headless {

class HeadlessToolkit final : public ui::Toolkit {
  public:
    // The user's actions inside one modal showing of a form.
    using ModalScript = std::function<void(ui::Form&)>;
    // Sees each message box as it comes up (the user reads it and presses OK).
    using MessageBoxScript = std::function<void(const MessageBoxRecord&)>;

    static constexpr std::intptr_t kShellSuccess = 42;

    HeadlessToolkit();
    ~HeadlessToolkit() override;

    // --- The scripted user -------------------------------------------------
    // Queues what the user does the next time `formName` is shown modally;
    // each modal showing takes the oldest script queued for its form. After
    // the script, a form still loaded and visible is closed by its close box
    // (Form::userClose). Without a script the user closes it at once.
    void whenModal(const std::string& formName, ModalScript script);
    [[nodiscard]] std::size_t pendingModalScripts() const;
    void onMessageBox(MessageBoxScript script) { m_messageBoxScript = std::move(script); }

    // --- Configuration ------------------------------------------------------
    void setScreenPixels(int width, int height);
    void setTwipsPerPixel(int x, int y);
    void setShellResult(std::intptr_t result) { m_shellResult = result; }

    // --- What happened ------------------------------------------------------
    [[nodiscard]] const std::vector<MessageBoxRecord>& messageBoxes() const noexcept { return m_journal->messageBoxes; }
    [[nodiscard]] std::vector<std::string> messagePrompts() const;
    [[nodiscard]] const std::vector<ui::MousePointer>& pointerChanges() const noexcept
    {
        return m_journal->pointerChanges;
    }
    [[nodiscard]] const std::vector<ShellRequest>& shellRequests() const noexcept { return m_journal->shellRequests; }
    [[nodiscard]] const std::vector<FormEvent>& formEvents() const noexcept { return m_journal->formEvents; }
    // Names of the forms whose windows were created, in order.
    [[nodiscard]] std::vector<std::string> peersCreated() const;
    [[nodiscard]] const std::vector<ModalRun>& modalRuns() const noexcept { return m_journal->modalRuns; }
    [[nodiscard]] const std::vector<ListChange>& listChanges() const noexcept { return m_journal->listChanges; }
    [[nodiscard]] const std::vector<TextChange>& textChanges() const noexcept { return m_journal->textChanges; }
    [[nodiscard]] const std::vector<std::string>& timeline() const noexcept { return m_journal->timeline; }
    // Windows that exist now, by form name (a form loaded twice counts twice).
    [[nodiscard]] int openWindows(const std::string& formName) const;
    // The modal form in front, or empty.
    [[nodiscard]] std::string activeModalForm() const;
    // Forgets the records (not the pointer, the open windows or the scripts).
    void clearRecords();

    // --- ui::Toolkit ---------------------------------------------------------
    std::unique_ptr<ui::FormPeer> createPeer(ui::Form& form) override;
    void runModal(ui::Form& form) override;
    void messageBox(const std::string& prompt, const std::string& title) override;
    void setMousePointer(ui::MousePointer pointer) override;
    [[nodiscard]] ui::MousePointer mousePointer() override { return m_pointer; }
    [[nodiscard]] int screenWidthTwips() override { return m_screenWidth * m_twipsPerPixelX; }
    [[nodiscard]] int screenHeightTwips() override { return m_screenHeight * m_twipsPerPixelY; }
    [[nodiscard]] int twipsPerPixelX() override { return m_twipsPerPixelX; }
    [[nodiscard]] int twipsPerPixelY() override { return m_twipsPerPixelY; }
    std::intptr_t shellExecute(ui::WindowHandle window, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory, int showCommand) override;

  private:
    std::shared_ptr<Journal> m_journal;
    std::map<std::string, std::deque<ModalScript>, std::less<>> m_modalScripts;
    MessageBoxScript m_messageBoxScript;
    ui::MousePointer m_pointer = ui::MousePointer::Default;
    int m_screenWidth = 1024;
    int m_screenHeight = 768;
    int m_twipsPerPixelX = 15;
    int m_twipsPerPixelY = 15;
    std::intptr_t m_shellResult = kShellSuccess;
    ui::WindowHandle m_nextHandle = 0x1000;
};

[[nodiscard]] const char* pointerName(ui::MousePointer pointer);

} // namespace corvane::headless
