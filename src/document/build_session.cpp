#include "document/build_session.h"

namespace vorn {

BuildSession::BuildSession(std::vector<ToolRun> runs) : runs_(std::move(runs)) {}

const ToolRun* BuildSession::current() const
{
    return next_ < runs_.size() ? &runs_[next_] : nullptr;
}

std::string BuildSession::starting() const
{
    return current() ? RunningBanner(current()->label) : std::string();
}

std::string BuildSession::finished(int exitCode)
{
    if (!current()) return {};
    return end(exitCode, FinishedBanner(current()->label, exitCode));
}

std::string BuildSession::failedToStart(const LaunchFailure& failure)
{
    if (!current()) return {};
    // Never a success, whatever number the system gave.
    return end(failure.code != 0 ? failure.code : kNoExitCode, LaunchFailureFrame(current()->label, current()->program, failure));
}

std::string BuildSession::stopped()
{
    if (!current()) return {};
    return end(kNoExitCode, StoppedBanner(current()->label));
}

std::string BuildSession::end(int result, std::string text)
{
    result_ = result;
    next_ = result == 0 ? next_ + 1 : runs_.size();
    return text;
}

} // namespace vorn
