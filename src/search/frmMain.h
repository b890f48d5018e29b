#pragma once
// The address search dialog: lists the parcel layer's streets, the address
// numbers of the picked street, and zooms the map to the picked address.
// Shown modelessly through the host frame that `Frame` creates; the one
// instance lives in CorvaneGIS_Public::SearchDialog. Create it with
// std::make_shared (its events keep it alive through shared_from_this).
// Everything runs on the host's UI thread.

#include <cstdint>

#include "host/ModelessFrame.h"
#include "host/Ref.h"
#include "ui/Controls.h"
#include "ui/Form.h"

class frmMain final : public corvane::ui::Form {
public:
    frmMain();

    // The host frame showing this form, created on first use; creating it
    // loads the form. Empty (after a report) when the frame cannot be created.
    corvane::host::Ref<corvane::host::IModelessFrame> Frame();

    corvane::ui::TextBox& Text1;
    corvane::ui::CommandButton& Command4;
    corvane::ui::ListBox& List1;
    corvane::ui::ListBox& List2;
    corvane::ui::CommandButton& btnHelp2;
    corvane::ui::CommandButton& Command1;
    corvane::ui::Label& txtVersion;
    corvane::ui::FrameControl& Frame1;
    corvane::ui::Label& Label11;
    corvane::ui::Label& Label3;
    corvane::ui::Image& Image2;

protected:
    void Form_Load() override;

private:
    void Command4_Click();
    void List1_Click();
    void List2_Click();
    void Command1_Click();
    void btnHelp2_Click();
    void Image2_Click();

    corvane::host::Ref<corvane::host::IModelessFrame> HostFrame;
};

namespace corvane::search {

// One coordinate of the centred frame's origin, in pixels: half the screen
// less half the form, in single precision, rounded half to even.
[[nodiscard]] std::int32_t centredOrigin(int screenTwips, int formTwips, int twipsPerPixel);

} // namespace corvane::search
