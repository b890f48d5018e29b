#include "command/CorvaneAddressSearch.h"

#include "config/CorvaneGIS_Config.h"
#include "config/FileSlot.h"
#include "config/frmConfig.h"
#include "host/HostClasses.h"
#include "io/CorvaneGIS_IO.h"
#include "search/frmMain.h"
#include "shared/Maker.h"
#include "shared/Public.h"
#include "shared/Runtime.h"
#include "shared/frmResources.h"
#include "ui/Form.h"

using namespace CorvaneGIS_Public;
using corvane::MsgBox;
namespace host = corvane::host;

namespace {

// The message box of a member's own trap. Showing it may itself fail (no
// windowing layer yet, memory exhausted); the member still returns normally.
void showMemberError(const char* text) noexcept
{
    try {
        MsgBox(text);
    } catch (...) {
    }
}

} // namespace

CorvaneAddressSearch::~CorvaneAddressSearch()
{
    Class_Terminate();
}

void CorvaneAddressSearch::Class_Terminate()
{
    // Nothing of its own to do: HookApplication is released with the object.
    try {
    } catch (...) {
        showMemberError("Error: Class_Termniate()");
    }
}

bool CorvaneAddressSearch::ICommand_Enabled()
{
    try {
        return true;
    } catch (...) {
        showMemberError("Error: ICommand_Enabled()");
        return false;
    }
}

bool CorvaneAddressSearch::ICommand_Checked()
{
    try {
        return false;
    } catch (...) {
        showMemberError("Error: ICommand_Checked");
        return false;
    }
}

std::string CorvaneAddressSearch::ICommand_Name()
{
    try {
        return std::string("CorvaneGIS") + "_" + "CorvaneAddressSearch";
    } catch (...) {
        showMemberError("Error: ICommand_Name()");
        return {};
    }
}

std::string CorvaneAddressSearch::ICommand_Caption()
{
    try {
        return "CorvaneAddressSearch";
    } catch (...) {
        showMemberError("Error: ICommand_Caption()");
        return {};
    }
}

std::string CorvaneAddressSearch::ICommand_Tooltip()
{
    try {
        return std::string("CorvaneAddressSearch") + " - Zoom to an address";
    } catch (...) {
        showMemberError("Error: ICommand_Tooltip()");
        return {};
    }
}

std::string CorvaneAddressSearch::ICommand_Message()
{
    try {
        return std::string("CorvaneGIS: ") + corvane::maker::kWebSiteHost;
    } catch (...) {
        showMemberError("Error: ICommand_Message()");
        return {};
    }
}

std::string CorvaneAddressSearch::ICommand_HelpFile()
{
    try {
        return "";
    } catch (...) {
        showMemberError("Error: ICommand_HelpFile()");
        return {};
    }
}

std::int32_t CorvaneAddressSearch::ICommand_HelpContextID()
{
    try {
        return 0;
    } catch (...) {
        showMemberError("Error: ICommand_HelpContextID()");
        return 0;
    }
}

OLE_HANDLE CorvaneAddressSearch::ICommand_Bitmap()
{
    try {
        return static_cast<OLE_HANDLE>(frmResources::instance()->Picture1Handle());
    } catch (...) {
        return 0;
    }
}

std::string CorvaneAddressSearch::ICommand_Category()
{
    try {
        return "CorvaneGIS";
    } catch (...) {
        showMemberError("Error: ICommand_Category()");
        return {};
    }
}

void CorvaneAddressSearch::ICommand_OnCreate(const host::Ref<host::HostObject>& hook)
{
    try {
        HookApplication = hook.as<host::IApplication>();
        SearchDialog = std::make_shared<frmMain>();
        ProductName = "CorvaneAddressSearch";
        ProductVersion = "v2.15";
        CorvaneGIS_IO::fSetupProductFolder("CorvaneGIS", "CorvaneAddressSearch", "config", "");
    } catch (...) {
        showMemberError("Error: ICommand_OnCreate()");
    }
}

void CorvaneAddressSearch::ICommand_OnClick()
{
    try {
        if (ApplicationRef.isNothing()) ApplicationRef = host::createHostObject<host::HostObject>(host::kAppRefClass);
        HostApplication = ApplicationRef.as<host::IApplication>();
        HostDocument = HostApplication->Document().as<host::IMxDocument>();
        if (CorvaneGIS_Config::CountConfigurationItems(ConfigFilePath) == 3) IsConfigured = true;
        if (IsConfigured) {
            if (!SearchDialog) host::raiseError(host::errors::kObjectNotSet);
            SearchDialog->Frame()->Visible(true);
        } else {
            MsgBox("Tool is not configured.\r\nConfiguration window will now load.");
            frmConfig::defaultInstance()->Show(corvane::ui::vbModal);
        }
    } catch (...) {
        corvane::config::fileSlot1().closeQuietly();
        showMemberError("Error: ICommand_OnClick()");
    }
}
