#pragma once

#include <string>
#include <string_view>

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

} // namespace vorn
