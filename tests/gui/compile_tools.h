#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>

namespace vorn::test {

// A compile tool of the shared test tools, beside the corpus (which need not be there itself).
inline QString RealTool(const char* name)
{
    return QDir::cleanPath(QStringLiteral(VORN_CORPUS_DIR "/../tools/compilers/") + QLatin1String(name));
}

// The real compile tools are there and their libraries load (the loader fails with 127).
inline bool RealToolsRun()
{
    for (const char* name : {"qbsp", "vis", "light"}) {
        QProcess tool;
        tool.start(RealTool(name), {});
        if (!tool.waitForFinished(10000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() == 127) return false;
    }
    return true;
}

// The level the real qbsp makes of a map, in the map's folder: empty when it failed.
inline QByteArray CompiledLevel(const QString& map)
{
    QProcess qbsp;
    qbsp.setWorkingDirectory(QFileInfo(map).path());
    qbsp.start(RealTool("qbsp"), {map});
    if (!qbsp.waitForFinished(120000) || qbsp.exitCode() != 0) return {};
    QFile bsp(QString(map).replace(".map", ".bsp"));
    return bsp.open(QIODevice::ReadOnly) ? bsp.readAll() : QByteArray();
}

} // namespace vorn::test
