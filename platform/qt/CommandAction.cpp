#include "qt/CommandAction.h"

#include <QIcon>
#include <QPixmap>

#include "com/BstrText.h"
#include "com/HostBridge.h"
#include "qt/Assets.h"
#include "ui/Assets.h"

namespace corvane::qt {

namespace {

QString textOf(ICommand& command, HRESULT (STDMETHODCALLTYPE ICommand::*getter)(BSTR*))
{
    BSTR text = nullptr;
    if (FAILED((command.*getter)(&text))) return {};
    const std::string utf8 = com::fromBstr(text);
    SysFreeString(text);
    return QString::fromStdString(utf8);
}

QIcon buttonIcon(ICommand& command)
{
    // The handle names the picture inside the command's own library; the
    // same 16 x 16 image ships with the assets, which is what Qt can draw.
    OLE_HANDLE handle = 0;
    const bool hasPicture = SUCCEEDED(command.get_Bitmap(&handle)) && handle != 0;
    const QPixmap picture = assetPixmap(ui::assets::kButtonBitmap);
    if (!hasPicture || picture.isNull()) return {};
    return QIcon(picture);
}

} // namespace

QAction* makeCommandAction(ICommand& command, const host::Ref<host::HostObject>& application, QObject* parent,
                           CommandLook& look)
{
    look.name = textOf(command, &ICommand::get_Name);
    look.caption = textOf(command, &ICommand::get_Caption);
    look.tooltip = textOf(command, &ICommand::get_Tooltip);
    look.message = textOf(command, &ICommand::get_Message);
    look.category = textOf(command, &ICommand::get_Category);
    VARIANT_BOOL enabled = VARIANT_TRUE;
    if (FAILED(command.get_Enabled(&enabled))) enabled = VARIANT_TRUE;

    const com::ComPtr<IDispatch> hook = com::wrapHostObject(application);
    command.OnCreate(hook.get());

    auto* action = new QAction(buttonIcon(command), look.caption, parent);
    action->setObjectName(look.name);
    action->setToolTip(look.tooltip);
    action->setStatusTip(look.message);
    action->setWhatsThis(look.category);
    action->setEnabled(enabled != VARIANT_FALSE);
    ICommand* raw = &command;
    QObject::connect(action, &QAction::triggered, action, [raw] { raw->OnClick(); });
    return action;
}

} // namespace corvane::qt
