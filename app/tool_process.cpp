#include "tool_process.h"

#include "document/build_runner.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cerrno>

namespace vorn {
namespace {

constexpr int kStopGraceMs = 2000;
constexpr int kEndOnCloseMs = 1000;

// QProcess gives no system error for a failed start; find the likely one from the program file.
int startErrorOf(const QString& program)
{
    const QString found = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QFileInfo file(found);
    if (found.isEmpty() || !file.exists()) return ENOENT;
    if (file.isDir() || !file.isExecutable()) return EACCES;
    return ENOEXEC;
}

} // namespace

ToolProcess::ToolProcess(QObject* parent) : QObject(parent), process_(new QProcess(this)), killTimer_(new QTimer(this))
{
    killTimer_->setSingleShot(true);
    killTimer_->setInterval(kStopGraceMs);
    connect(killTimer_, &QTimer::timeout, process_, &QProcess::kill);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
    connect(process_, &QProcess::readyReadStandardOutput, this, &ToolProcess::readOutput);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) { handleError(error); });
    connect(process_, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        killTimer_->stop();
        readOutput();
        emit exited(exitCode, status == QProcess::CrashExit);
    });
}

ToolProcess::~ToolProcess()
{
    process_->disconnect(this);
    if (!running()) return;
    process_->kill();
    process_->waitForFinished(kEndOnCloseMs);
}

void ToolProcess::start(const ToolRun& run)
{
    QStringList arguments;
    for (const std::string& argument : run.arguments) arguments << QString::fromStdString(argument);
    process_->setWorkingDirectory(QString::fromStdString(run.folder));
    process_->start(QString::fromStdString(run.program), arguments);
}

bool ToolProcess::running() const
{
    return process_->state() != QProcess::NotRunning;
}

void ToolProcess::stop()
{
    if (!running()) return;
    process_->terminate();
    killTimer_->start();
}

void ToolProcess::readOutput()
{
    const QByteArray bytes = process_->readAllStandardOutput();
    if (!bytes.isEmpty()) emit output(bytes);
}

void ToolProcess::handleError(int error)
{
    // A crash also ends in `finished`; only a failed start ends here.
    if (error == QProcess::FailedToStart) emit failedToStart(startErrorOf(process_->program()));
}

} // namespace vorn
