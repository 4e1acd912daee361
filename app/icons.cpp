#include "icons.h"

#include <QFile>
#include <QIcon>
#include <QString>

// The icons are compiled into the static app library, whose resource object the linker would
// drop unless something refers to it; this reference keeps it and registers the data once.
static void registerIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(vorn);
        return true;
    }();
    (void)registered;
}

namespace vorn {

QIcon icon(const QString& name)
{
    registerIconResources();
    const QString path = QStringLiteral(":/icons/%1.svg").arg(name);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon programIcon()
{
    return icon(QStringLiteral("vorn"));
}

} // namespace vorn
