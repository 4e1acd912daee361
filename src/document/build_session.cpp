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

std::string BuildSession::failedToCopy(std::string_view reason)
{
    if (!current() || !current()->copyFirst) return {};
    const FileCopy& copy = *current()->copyFirst;
    return end(kNoExitCode, CopyFailureFrame(current()->label, copy.from, copy.to, reason));
}

std::string BuildSession::leaked(std::string_view pointFile)
{
    std::vector<std::string> leftOut;
    for (size_t i = next_; i < runs_.size(); ++i) leftOut.push_back(runs_[i].label);
    next_ = runs_.size();
    if (result_ == 0) result_ = kLeaked;
    return LeakLine(pointFile, leftOut);
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
