#pragma once
// The configuration dialog: the user picks the parcel layer and its street
// name and address number fields; "Continue" saves them and opens a new
// search dialog, "Cancel" shows the existing one again. Shown modally with
// no owner by the command's click and the search dialog's "Configure".
// One default instance, created on first use and released when unloaded,
// so every opening starts from a fresh load. UI thread only.

#include <memory>

#include "ui/Controls.h"
#include "ui/Form.h"

class frmConfig final : public corvane::ui::Form {
public:
    frmConfig();

    // The application-wide default instance; created when there is none.
    static std::shared_ptr<frmConfig> defaultInstance();
    // Whether a default instance exists now, without creating one.
    [[nodiscard]] static bool hasDefaultInstance() noexcept;

    // Unloads the window and, for the default instance, releases it. A
    // handler that calls this keeps running safely: the event keeps the
    // form alive until it returns.
    void Unload() override;

    corvane::ui::FrameControl& Frame1;
    corvane::ui::Label& Label1;
    corvane::ui::Label& Label2;
    corvane::ui::Label& Label3;
    corvane::ui::ListBox& List1;
    corvane::ui::ListBox& List2;
    corvane::ui::ListBox& List3;
    corvane::ui::CommandButton& Command2;
    corvane::ui::CommandButton& Command1;

protected:
    void Form_Load() override;

private:
    void List1_Click();
    void List2_Click();
    void Command1_Click();
    void Command2_Click();
};
