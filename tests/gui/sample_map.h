#pragma once

#include <QDir>
#include <QFile>
#include <QString>

namespace vorn::test {

// Copies the sample map and the texture archive it names into `folder`, both writable; the
// map's path, or an empty string when a copy failed.
inline QString CopySampleMap(const QString& folder)
{
    const QDir to(folder);
    for (const char* name : {"sample.map", "vorn_sample.wad"}) {
        const QString copy = to.filePath(QString::fromLatin1(name));
        if (!QFile::copy(QStringLiteral(VORN_RESOURCES_DIR "/maps/") + QString::fromLatin1(name), copy)) return {};
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    }
    return to.filePath(QStringLiteral("sample.map"));
}

// A file's bytes, empty when it cannot be read; and a file written whole.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace vorn::test
