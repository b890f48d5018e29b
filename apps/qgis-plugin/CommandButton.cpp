#include "CommandButton.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <exception>

#include <qgisinterface.h>

#include "CommandInstall.h"
#include "com/BstrText.h"
#include "com/ComServerLoader.h"
#include "com/HostBridge.h"
#include "qt/Assets.h"
#include "ui/Assets.h"

namespace corvane::qgisplugin {

namespace {

QString stringProperty(ICommand& command, HRESULT (STDMETHODCALLTYPE ICommand::*getter)(BSTR*))
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
    const QPixmap picture = qt::assetPixmap(ui::assets::kButtonBitmap);
    if (!hasPicture || picture.isNull()) return {};
    return QIcon(picture);
}

} // namespace

CommandButton::CommandButton(QgisInterface& iface, host::Ref<host::HostObject> application)
    : m_iface(iface), m_application(std::move(application))
{
}

CommandButton::~CommandButton() { release(); }

com::ComPtr<ICommand> CommandButton::create(const CommandSource& source)
{
    if (!m_loader) m_loader = std::make_unique<com::ComServerLoader>(source.registryPath);
    try {
        return m_loader->createCommand(source.progId);
    } catch (const std::exception&) {
        // Not registered yet, or left by a build that is gone.
        if (source.bundledLibrary.empty()) throw;
    }
    map::installCommandLibrary(source.registryPath, source.bundledLibrary);
    return m_loader->createCommand(source.progId);
}

QString CommandButton::load(const CommandSource& source)
{
    release();
    try {
        com::ComPtr<ICommand> command = create(source);
        if (!command) return QStringLiteral("The command %1 could not be created").arg(QString::fromStdString(source.progId));
        const QString name = stringProperty(*command.get(), &ICommand::get_Name);
        const QString caption = stringProperty(*command.get(), &ICommand::get_Caption);
        const QString tooltip = stringProperty(*command.get(), &ICommand::get_Tooltip);
        const QString message = stringProperty(*command.get(), &ICommand::get_Message);
        const QString category = stringProperty(*command.get(), &ICommand::get_Category);
        VARIANT_BOOL enabled = VARIANT_TRUE;
        if (FAILED(command->get_Enabled(&enabled))) enabled = VARIANT_TRUE;

        const com::ComPtr<IDispatch> hook = com::wrapHostObject(m_application);
        command->OnCreate(hook.get());

        auto* action = new QAction(buttonIcon(*command.get()), caption, m_iface.mainWindow());
        action->setObjectName(name);
        action->setToolTip(tooltip);
        action->setStatusTip(message);
        action->setWhatsThis(category);
        action->setEnabled(enabled != VARIANT_FALSE);
        ICommand* raw = command.get();
        QObject::connect(action, &QAction::triggered, action, [raw] { raw->OnClick(); });
        m_menu = category.isEmpty() ? caption : category;
        m_iface.addToolBarIcon(action);
        m_iface.addPluginToMenu(m_menu, action);
        m_action = action;
        m_command = std::move(command);
        return {};
    } catch (const std::exception& e) {
        return QStringLiteral("The command %1 could not be loaded: %2")
            .arg(QString::fromStdString(source.progId), QString::fromUtf8(e.what()));
    } catch (...) {
        return QStringLiteral("The command %1 could not be loaded").arg(QString::fromStdString(source.progId));
    }
}

void CommandButton::release() noexcept
{
    if (m_action != nullptr) {
        m_iface.removePluginMenu(m_menu, m_action);
        m_iface.removeToolBarIcon(m_action);
        delete m_action;
        m_action = nullptr;
    }
    m_command.reset();
    try {
        // Unload what agrees now, while the windows its forms made can still go.
        if (m_loader) m_loader->freeUnusedLibraries();
    } catch (...) {
        // QGIS is unloading the plugin: a library that stays loaded harms no one.
    }
}

} // namespace corvane::qgisplugin
