#include "main_frame.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostrel"));
    QApplication::setApplicationName(QStringLiteral("Vorn"));

    vorn::CMainFrame frame;
    // Without a window manager (a bare X server) maximizing does nothing: start at screen size.
    frame.resize(frame.screen()->availableGeometry().size());
    frame.showMaximized();
    return QApplication::exec();
}
