#pragma once

#include "document/build_banners.h"
#include "document/build_runner.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One build in progress: its runs in order and the texts to print as each starts and ends. The
// first run that does not succeed ends the build.
class BuildSession {
public:
    // The result of a run that was stopped, or failed to start for no reason the system gave.
    static constexpr int kNoExitCode = -1;
    // The result of a build that found a leak.
    static constexpr int kLeaked = -2;

    explicit BuildSession(std::vector<ToolRun> runs);

    // The run to start now; none once the build is over.
    const ToolRun* current() const;
    bool over() const { return current() == nullptr; }
    // 0 while every run succeeded; else the failing run's exit code or system error.
    int result() const { return result_; }

    std::string starting() const;
    // The current run ended with this exit code.
    std::string finished(int exitCode);
    std::string failedToStart(const LaunchFailure& failure);
    // The current run's file to copy first could not be copied: it never starts.
    std::string failedToCopy(std::string_view reason);
    // The run that ended last found a leak, which `pointFile` shows: the build ends, and the line
    // says so, naming the runs it leaves out.
    std::string leaked(std::string_view pointFile);
    std::string stopped();

private:
    std::string end(int result, std::string text);

    std::vector<ToolRun> runs_;
    size_t next_ = 0;
    int result_ = 0;
};

} // namespace vorn
