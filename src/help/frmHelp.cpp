#include "help/frmHelp.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "errors/ErrorHandling.h"
#include "help/frmHelpLayout.h"
#include "host/HostClasses.h"
#include "shared/Maker.h"
#include "shared/Public.h"
#include "ui/Toolkit.h"

namespace {

constexpr int kShowNormal = 1;

std::vector<std::shared_ptr<frmHelp>>& keptDialogs()
{
    static std::vector<std::shared_ptr<frmHelp>> dialogs;
    return dialogs;
}

// A frame the user closed hides itself; one that could not be asked is kept.
bool closedByUser(const corvane::host::Ref<corvane::host::IModelessFrame>& frame) noexcept
{
    if (frame.isNothing()) return true;
    try {
        return !frame->Visible();
    } catch (...) {
        return false;
    }
}

} // namespace

frmHelp::frmHelp()
    : Form(corvane::help::frmHelpLayout()),
      Frame1(captioned("Frame1")),
      Label2(captioned("Label2")),
      Label3(captioned("Label3")),
      Label4(captioned("Label4"))
{
    Label2.Click = [this] { Label2_Click(); };
    Label3.Click = [this] { Label3_Click(); };
    Label4.Click = [this] { Label4_Click(); };
}

std::shared_ptr<frmHelp> frmHelp::open()
{
    auto& dialogs = keptDialogs();
    std::erase_if(dialogs, [](const std::shared_ptr<frmHelp>& dialog) { return closedByUser(dialog->HostFrame); });
    dialogs.push_back(std::make_shared<frmHelp>());
    return dialogs.back();
}

std::size_t frmHelp::openCount() noexcept { return keptDialogs().size(); }

std::vector<std::shared_ptr<frmHelp>> frmHelp::openDialogs() { return keptDialogs(); }

void frmHelp::releaseAll() noexcept
{
    // Move out first: destroying a dialog must not meet a half-cleared list.
    auto dialogs = std::move(keptDialogs());
    keptDialogs().clear();
    dialogs.clear();
}

corvane::host::Ref<corvane::host::IModelessFrame> frmHelp::Frame()
{
    if (HostFrame.isNothing()) {
        HostFrame = corvane::host::createHostObject<corvane::host::IModelessFrame>(corvane::host::kModelessFrameClass);
        HostFrame->Create(hWnd());
        HostFrame->Caption(CorvaneGIS_Public::ProductName + " - Help");
    }
    return HostFrame;
}

// Loading does no work that can fail.
void frmHelp::Form_Load() {}

void frmHelp::Label2_Click() { openAddress(std::string(corvane::maker::kWebSiteAddress), "Label2_Click "); }

void frmHelp::Label3_Click() { openAddress("mailto:" + std::string(corvane::maker::kInfoEmail), "Label3_Click "); }

void frmHelp::Label4_Click()
{
    openAddress(std::string(corvane::maker::kProductsAddress) + CorvaneGIS_Public::ProductName + "/index.htm",
                "Label4_Click ");
}

void frmHelp::openAddress(const std::string& address, const char* procedure)
{
    try {
        // The shell shows its own message when nothing can open the address.
        static_cast<void>(corvane::ui::toolkit().shellExecute(hWnd(), "Open", address, "", "", kShowNormal));
    } catch (...) {
        corvane::errors::reportTrappedError(procedure, "frmHelp", 1);
    }
}
