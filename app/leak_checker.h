#pragma once

#include "document/leak_test.h"
#include "document/map_problems.h"

#include <QObject>

#include <atomic>
#include <future>
#include <memory>
#include <optional>
#include <string>

class QTimer;

namespace vorn {

class Editor;

// Tests the saved map for leaks with the configured QBSP, on another thread, one test at a time: a
// newer save stops the test that runs and tests the newer file when it has ended. A leak's path
// is drawn in the 2D views; a sealed map clears it. `finished` tells that `leak` or `failure`
// are new.
class LeakChecker final : public QObject {
    Q_OBJECT
public:
    LeakChecker(Editor& editor, QObject* parent);
    ~LeakChecker() override;

    // Tests the map file as it was just saved; nothing without a file.
    void mapSaved();
    bool testing() const { return running_.valid(); }
    // Whether a QBSP program is set to test with.
    bool hasProgram() const;
    // The Problems row of the last test's leak, when it found one in the map open now.
    std::optional<Problem> leak() const;
    // Why the last test could not tell; empty when it could.
    const std::string& failure() const { return failure_; }

signals:
    void finished();

private:
    void start();
    void collect();
    void show(const LeakTestResult& result);

    Editor& editor_;
    QTimer* poll_;
    std::future<LeakTestResult> running_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::string testedPath_; // the map file of the test that runs
    bool savedSinceStart_ = false;
    std::optional<Problem> leak_;
    std::string leakMap_; // the file whose leak it is
    std::string failure_;
};

} // namespace vorn
