#include "installed_files.h"
#include "qt_settings_store.h"
#include "vorn_application.h"
#include "vorn_version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationName(QStringLiteral("Vorn"));
    QApplication::setApplicationVersion(QString::fromLatin1(vorn::kVornVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral("vorn"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Level editor for Quake maps."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption sample(QStringLiteral("sample"),
                                    QStringLiteral("Open the sample map (a copy in %1).").arg(vorn::userDataFolder()));
    options.addOption(sample);
    options.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The map to open."), QStringLiteral("[FILE.map]"));
    options.process(app);

    QString mapPath = options.positionalArguments().value(0);
    if (options.isSet(sample)) {
        const vorn::SampleMapCopy copy =
            vorn::copySampleMap(vorn::sharedDataFolder(QApplication::applicationDirPath()), vorn::userDataFolder());
        if (copy.path.isEmpty()) {
            std::fprintf(stderr, "vorn: %s\n", qPrintable(copy.error));
            return 1;
        }
        mapPath = copy.path;
    }

    vorn::VornApplication vorn(vorn::QtSettingsStore::userFile());
    vorn.start(mapPath);
    return QApplication::exec();
}
