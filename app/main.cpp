#include "qt_settings_store.h"
#include "vorn_application.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationName(QStringLiteral("Vorn"));

    const QStringList arguments = QApplication::arguments();
    vorn::VornApplication vorn(vorn::QtSettingsStore::userFile());
    vorn.start(arguments.size() > 1 ? arguments.at(1) : QString());
    return QApplication::exec();
}
