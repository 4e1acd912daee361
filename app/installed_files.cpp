#include "installed_files.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace vorn {

QString sharedDataFolder(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/vorn"));
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Vorn");
}

SampleMapCopy copySampleMap(const QString& sharedFolder, const QString& userFolder)
{
    if (!QDir().mkpath(userFolder)) return {{}, QStringLiteral("Could not make the folder %1").arg(userFolder)};
    const QDir from(sharedFolder + QStringLiteral("/maps"));
    const QDir to(userFolder);
    // The map names its archive relative to its own folder: the two go together.
    for (const QString& name : {QStringLiteral("sample.map"), QStringLiteral("vorn_sample.wad")}) {
        const QString copy = to.filePath(name);
        if (QFile::exists(copy)) continue;
        QFile original(from.filePath(name));
        if (!original.copy(copy)) {
            return {{}, QStringLiteral("Could not copy %1 to %2: %3").arg(original.fileName(), userFolder, original.errorString())};
        }
        // Installed files are read-only; the copy is the user's to change.
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return {to.filePath(QStringLiteral("sample.map")), {}};
}

} // namespace vorn
