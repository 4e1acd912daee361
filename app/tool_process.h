#pragma once

#include <QObject>

class QByteArray;
class QProcess;
class QTimer;

namespace vorn {

struct ToolRun;

// Runs one tool at a time without blocking the window: its standard output and error come as
// they are written, then how it ended. A program that cannot start is reported by its system
// error number and never as an exit.
class ToolProcess final : public QObject {
    Q_OBJECT
public:
    explicit ToolProcess(QObject* parent = nullptr);
    // A tool still running is ended with the window.
    ~ToolProcess() override;

    void start(const ToolRun& run);
    bool running() const;
    // Asks the tool to end, and ends it hard when it has not after a moment.
    void stop();

signals:
    void output(const QByteArray& bytes);
    // A tool that crashed or was stopped has no exit code: `crashed` is set then.
    void exited(int exitCode, bool crashed);
    void failedToStart(int error);

private:
    void readOutput();
    void handleError(int error);

    QProcess* process_;
    QTimer* killTimer_; // ends a stopped tool that did not end by itself
};

} // namespace vorn
