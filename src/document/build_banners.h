#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Why a program could not be started, by the system's error number.
struct LaunchFailure {
    enum class Kind { FileNotFound, NotEnoughMemory, Other };
    Kind kind = Kind::Other;
    int code = 0;
    static LaunchFailure fromErrno(int error);
};

// The texts printed around each run of a tool.
std::string RunningBanner(std::string_view label);
// "finished" for exit code 0, "had errors" for any other.
std::string FinishedBanner(std::string_view label, int exitCode);
std::string StoppedBanner(std::string_view label);
// `program` is the program path as given, for "Can't find file".
std::string LaunchFailureFrame(std::string_view label, std::string_view program, const LaunchFailure& failure);
// A file the run needed could not be copied; `reason` says why.
std::string CopyFailureFrame(std::string_view label, std::string_view from, std::string_view to, std::string_view reason);
// The last line of a build that found a leak: the point file that shows it and the runs left out.
std::string LeakLine(std::string_view pointFile, const std::vector<std::string>& runsLeftOut);

} // namespace vorn
