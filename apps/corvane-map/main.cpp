// corvane-map: the desktop map host.
//   corvane-map [--automate SCRIPT] [--registry FILE] [--drive-c DIR]
//               [--command CLASS]... [GIS files...]
// With no file it opens the demo town built with the project.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "Automation.h"
#include "MainWindow.h"
#include "com/Registry.h"

namespace {

struct Arguments {
    QString script;
    std::string registry;
    QString driveC;
    std::vector<std::string> commands;
    std::vector<std::string> files;
};

bool parseArguments(int argc, char** argv, Arguments& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--automate" && hasValue)
            out.script = QString::fromLocal8Bit(argv[++i]);
        else if (option == "--registry" && hasValue)
            out.registry = argv[++i];
        else if (option == "--drive-c" && hasValue)
            out.driveC = QString::fromLocal8Bit(argv[++i]);
        else if (option == "--command" && hasValue)
            out.commands.emplace_back(argv[++i]);
        else if (option.rfind("--", 0) == 0)
            return false;
        else
            out.files.push_back(option);
    }
    return true;
}

// Beside a build: <build>/apps/corvane-map/corvane-map and <build>/data.
QString findBeside(const QString& relative, const char* builtPath)
{
    const QString fromExecutable = QDir(QCoreApplication::applicationDirPath()).filePath(relative);
    if (QFileInfo::exists(fromExecutable)) return QDir::cleanPath(fromExecutable);
    const QString built = QString::fromUtf8(builtPath);
    return QFileInfo::exists(built) ? built : QString();
}

} // namespace

int main(int argc, char** argv)
{
    Arguments args;
    const bool helpAsked = argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h");
    if (helpAsked || !parseArguments(argc, argv, args)) {
        std::fputs("usage: corvane-map [--automate SCRIPT] [--registry FILE] [--drive-c DIR] [--command CLASS]... "
                   "[GIS files...]\n(see apps/corvane-map/README.md)\n",
                   helpAsked ? stdout : stderr);
        return helpAsked ? 0 : 2;
    }
    const bool automated = !args.script.isEmpty();
    if (automated && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-map"));

    std::vector<corvane::map::Step> steps;
    if (automated) {
        QFile file(args.script);
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << "corvane-map: cannot read " << args.script.toStdString() << '\n';
            return 2;
        }
        try {
            steps = corvane::map::parseScript(QString::fromUtf8(file.readAll()));
        } catch (const std::exception& e) {
            std::cerr << "corvane-map: " << args.script.toStdString() << ": " << e.what() << '\n';
            return 2;
        }
    }

    corvane::map::HostOptions options;
    if (!args.driveC.isEmpty()) options.driveC = args.driveC.toStdString();
    options.registryPath = args.registry.empty() ? corvane::com::Registry::defaultPath() : args.registry;
    options.interactive = !automated;
    // A script gets the same window every time: it neither reads nor
    // changes what the user's own runs remember.
    if (automated)
        options.settingsFile = QString::fromStdString((options.driveC.parent_path() / "corvane-map-automation.ini").string());
    options.bundledCommand = findBeside(QStringLiteral("../../lib/libCorvaneAddressSearch.so"),
                                        CORVANE_COMMAND_LIBRARY)
                                 .toStdString();

    corvane::map::MainWindow window(options);
    window.resize(1024, 768);
    if (args.files.empty()) {
        const QString demo = findBeside(QStringLiteral("../../data/demo-town.gpkg"), CORVANE_DEMO_TOWN);
        if (demo.isEmpty())
            std::cerr << "corvane-map: the demo town was not found; open a file from the File menu\n";
        else
            args.files.push_back(demo.toStdString());
    }
    if (!args.files.empty()) window.openFiles(args.files);
    window.show();
    window.loadCommands(args.commands);

    corvane::map::Automation automation(window, std::move(steps));
    if (automated) automation.start();
    return QApplication::exec();
}
