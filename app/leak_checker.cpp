#include "leak_checker.h"

#include "editor/editor.h"
#include "platform/host.h"

#include <QTimer>

#include <chrono>

namespace vorn {
namespace {

constexpr int kPollMs = 30;

} // namespace

LeakChecker::LeakChecker(Editor& editor, QObject* parent) : QObject(parent), editor_(editor), poll_(new QTimer(this))
{
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &LeakChecker::collect);
}

LeakChecker::~LeakChecker()
{
    if (!running_.valid()) return;
    cancel_->store(true);
    running_.wait();
}

bool LeakChecker::hasProgram() const
{
    return !editor_.prefs().qbsp.empty();
}

std::optional<Problem> LeakChecker::leak() const
{
    if (leakMap_ != editor_.map().pathName()) return std::nullopt;
    return leak_;
}

void LeakChecker::mapSaved()
{
    if (editor_.map().pathName().empty() || !hasProgram()) return;
    if (running_.valid()) {
        cancel_->store(true);
        savedSinceStart_ = true;
        return;
    }
    start();
}

void LeakChecker::start()
{
    savedSinceStart_ = false;
    testedPath_ = editor_.map().pathName();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    running_ = std::async(std::launch::async, [qbsp = editor_.prefs().qbsp, path = testedPath_, cancel = cancel_] {
        return RunLeakTest(qbsp, path, *cancel);
    });
    poll_->start();
}

void LeakChecker::collect()
{
    if (running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_->stop();
    const LeakTestResult result = running_.get();
    if (savedSinceStart_) {
        start(); // a newer file waits
        return;
    }
    show(result);
    emit finished();
}

void LeakChecker::show(const LeakTestResult& result)
{
    failure_ = result.outcome == LeakTestResult::Outcome::Failed ? result.failure : std::string();
    if (result.outcome == LeakTestResult::Outcome::Leaked) {
        leak_ = Problem{ProblemKind::Leak, LeakMessage(result.points)};
        leakMap_ = testedPath_;
        editor_.workspace().leakPath().set(testedPath_, result.points);
    } else if (result.outcome == LeakTestResult::Outcome::Sealed) {
        leak_.reset();
        editor_.workspace().leakPath().clear();
    }
    editor_.host().updateViews(ViewFlags::XY);
}

} // namespace vorn
