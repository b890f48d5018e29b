#pragma once
// The help window: a picture that explains the tool, with links to the
// maker's web site, its e-mail address and the product's page. Each opening
// is a new instance, shown modelessly through its own host frame. UI thread
// only.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/ModelessFrame.h"
#include "host/Ref.h"
#include "ui/Controls.h"
#include "ui/Form.h"

class frmHelp final : public corvane::ui::Form {
public:
    frmHelp();

    // A new help dialog, kept alive while its window may be on screen: its
    // frame only knows the window. Dialogs whose frames the user has closed
    // since the last opening are let go here.
    static std::shared_ptr<frmHelp> open();
    // Help dialogs being kept alive now, oldest first.
    [[nodiscard]] static std::size_t openCount() noexcept;
    [[nodiscard]] static std::vector<std::shared_ptr<frmHelp>> openDialogs();
    // Lets every help dialog go (the component's unload, and tests).
    static void releaseAll() noexcept;

    // The host frame, created on first use (which loads the form) and
    // captioned with the product name and " - Help". Failures reach the caller.
    corvane::host::Ref<corvane::host::IModelessFrame> Frame();

    corvane::ui::FrameControl& Frame1;
    corvane::ui::Label& Label2;
    corvane::ui::Label& Label3;
    corvane::ui::Label& Label4;

protected:
    void Form_Load() override;

private:
    void Label2_Click();
    void Label3_Click();
    void Label4_Click();
    void openAddress(const std::string& address, const char* procedure);

    corvane::host::Ref<corvane::host::IModelessFrame> HostFrame;
};
