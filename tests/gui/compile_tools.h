#pragma once

#include <QDir>
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

} // namespace vorn::test
