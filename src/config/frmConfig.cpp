#include "config/frmConfig.h"

#include <cstdint>
#include <string>

#include "config/CorvaneGIS_Config.h"
#include "config/FileSlot.h"
#include "config/frmConfigLayout.h"
#include "errors/ErrorHandling.h"
#include "host/HostError.h"
#include "mapdata/CorvaneGIS_ArcMap.h"
#include "search/frmMain.h"
#include "shared/Public.h"
#include "shared/Runtime.h"

namespace {

std::shared_ptr<frmConfig>& defaultSlot()
{
    static std::shared_ptr<frmConfig> instance;
    return instance;
}

bool anySelected(const corvane::ui::ListBox& list)
{
    bool found = false;
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.Selected(i)) found = true;
    return found;
}

} // namespace

frmConfig::frmConfig()
    : Form(corvane::config::frmConfigLayout()),
      Frame1(captioned("Frame1")),
      Label1(captioned("Label1")),
      Label2(captioned("Label2")),
      Label3(captioned("Label3")),
      List1(listBox("List1")),
      List2(listBox("List2")),
      List3(listBox("List3")),
      Command2(captioned("Command2")),
      Command1(captioned("Command1"))
{
    List1.Click = [this] { List1_Click(); };
    List2.Click = [this] { List2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

std::shared_ptr<frmConfig> frmConfig::defaultInstance()
{
    auto& instance = defaultSlot();
    if (!instance) instance = std::make_shared<frmConfig>();
    return instance;
}

bool frmConfig::hasDefaultInstance() noexcept { return static_cast<bool>(defaultSlot()); }

void frmConfig::Unload()
{
    Form::Unload();
    // Last: releasing may leave only the caller's reference to this form.
    if (defaultSlot().get() == this) defaultSlot().reset();
}

void frmConfig::Form_Load()
{
    std::int32_t line = 0;
    try {
        line = 1;
        List3.Clear();
        line = 2;
        List2.Clear();
        line = 3;
        CorvaneGIS_ArcMap::LoadListWithLayerNames(List1);
    } catch (...) {
        corvane::errors::reportTrappedError("Form_Load ", "frmConfig", line);
    }
}

void frmConfig::List1_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        CorvaneGIS_ArcMap::LoadListWithFieldNames(List2, CorvaneGIS_ArcMap::GetFeatureLayerByName(List1.Text()));
        line = 2;
        CorvaneGIS_ArcMap::LoadListWithFieldNames(List3, CorvaneGIS_ArcMap::GetFeatureLayerByName(List1.Text()));
    } catch (...) {
        corvane::errors::reportTrappedError("List1_Click ", "frmConfig", line);
    }
}

// Picking a street field needs no work: "Continue" reads the selection. The
// trap stays armed like every handler's, so whatever work comes here later
// reports under this handler's name instead of reaching the host.
void frmConfig::List2_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
    } catch (...) {
        corvane::errors::reportTrappedError("List2_Click ", "frmConfig", line);
    }
}

void frmConfig::Command1_Click()
{
    using namespace CorvaneGIS_Public;
    std::int32_t line = 0;
    try {
        line = 1;
        const bool layerChosen = anySelected(List1);
        const bool streetChosen = anySelected(List2);
        const bool numberChosen = anySelected(List3);
        line = 2;
        if (!layerChosen) {
            corvane::MsgBox("Please choose a parcel layer");
            return;
        }
        if (!streetChosen) {
            corvane::MsgBox("Please choose a street field");
            return;
        }
        if (!numberChosen) {
            corvane::MsgBox("Please choose an address field");
            return;
        }
        line = 3;
        CorvaneGIS_Config::WriteConfiguration(List1.Text(), List2.Text(), List3.Text());
        line = 4;
        Hide();
        Unload();
        line = 5;
        // The old search dialog may be the one whose "Configure" is still
        // waiting for this modal dialog; its event keeps it alive until then.
        if (SearchDialog) SearchDialog->Unload();
        SearchDialog = std::make_shared<frmMain>();
        line = 6;
        SearchDialog->Frame()->Visible(true);
    } catch (...) {
        corvane::config::fileSlot1().closeQuietly();
        corvane::errors::reportTrappedError("Command1_Click ", "frmConfig", line);
    }
}

void frmConfig::Command2_Click()
{
    std::int32_t line = 0;
    try {
        line = 1;
        Unload();
        line = 2;
        if (!CorvaneGIS_Public::SearchDialog) corvane::host::raiseError(corvane::host::errors::kObjectNotSet);
        CorvaneGIS_Public::SearchDialog->Frame()->Visible(true);
    } catch (...) {
        corvane::errors::reportTrappedError("Command2_Click ", "frmConfig", line);
    }
}
