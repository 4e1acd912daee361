#include "installed_files.h"
#include "qt_settings_store.h"
#include "vorn_application.h"
#include "vorn_version.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

void nameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QCoreApplication::setApplicationName(QStringLiteral("Vorn"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(vorn::kVornVersion));
}

// The command line: [FILE.map], --sample, --help and --version.
struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption sample{QStringLiteral("sample"), QStringLiteral("Open the sample map (a copy in %1).").arg(vorn::userDataFolder())};

    CommandLine()
    {
        parser.setApplicationDescription(QStringLiteral("Level editor for Quake maps."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(sample);
        parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("The map to open."), QStringLiteral("[FILE.map]"));
    }
};

// --help and --version answer before the window system is opened, so that they work without a
// display. Other options wait for the full parse, after Qt has taken its own (-platform, ...).
void answerHelpAndVersion(int& argc, char* argv[])
{
    QCoreApplication console(argc, argv);
    nameTheProgram();
    CommandLine line;
    line.parser.parse(QCoreApplication::arguments());
    if (line.parser.isSet(QStringLiteral("help"))) line.parser.showHelp();
    if (line.parser.isSet(QStringLiteral("version"))) line.parser.showVersion();
}

} // namespace

int main(int argc, char* argv[])
{
    answerHelpAndVersion(argc, argv);
    QApplication app(argc, argv);
    nameTheProgram();
    QGuiApplication::setDesktopFileName(QStringLiteral("vorn"));
    CommandLine line;
    line.parser.process(app);

    QString mapPath = line.parser.positionalArguments().value(0);
    if (line.parser.isSet(line.sample)) {
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
