#include "document/build_banners.h"

#include <cerrno>

namespace vorn {
namespace {

constexpr std::string_view kRunRule = "---------------------";                     // 21 dashes
constexpr std::string_view kFailureRule = "----------------------------------------"; // 40 dashes

std::string framed(std::string_view text)
{
    std::string out;
    out.append("\n").append(kRunRule).append("\n").append(text).append("\n").append(kRunRule).append("\n");
    return out;
}

std::string failureFramed(std::string_view text)
{
    std::string out;
    out.append("\n").append(kFailureRule).append(text).append("\n").append(kFailureRule).append("\n");
    return out;
}

} // namespace

LaunchFailure LaunchFailure::fromErrno(int error)
{
    if (error == ENOENT) return {Kind::FileNotFound, error};
    if (error == ENOMEM) return {Kind::NotEnoughMemory, error};
    return {Kind::Other, error};
}

std::string RunningBanner(std::string_view label)
{
    return framed("Running " + std::string(label));
}

std::string FinishedBanner(std::string_view label, int exitCode)
{
    return framed(std::string(label) + (exitCode == 0 ? " finished" : " had errors"));
}

std::string StoppedBanner(std::string_view label)
{
    return framed(std::string(label) + " was stopped");
}

std::string LaunchFailureFrame(std::string_view label, std::string_view program, const LaunchFailure& failure)
{
    std::string out = "\nFailed to launch " + std::string(label);
    switch (failure.kind) {
    case LaunchFailure::Kind::FileNotFound:
        out.append(":\n Can't find file ").append(program).append("\n Check Vorn setup.");
        break;
    case LaunchFailure::Kind::NotEnoughMemory:
        out.append(":\n Not enough memory");
        break;
    case LaunchFailure::Kind::Other:
        out.append(" due to error ").append(std::to_string(failure.code));
        break;
    }
    return failureFramed(out);
}

std::string CopyFailureFrame(std::string_view label, std::string_view from, std::string_view to, std::string_view reason)
{
    std::string out = "\nFailed to launch " + std::string(label);
    out.append(":\n Could not copy ").append(from).append(" to ").append(to).append(": ").append(reason);
    return failureFramed(out);
}

std::string LeakLine(std::string_view pointFile, const std::vector<std::string>& runsLeftOut)
{
    std::string out = "\nThe map leaks (" + std::string(pointFile) + ")";
    for (size_t i = 0; i < runsLeftOut.size(); ++i) {
        out.append(i == 0 ? ": " : " and ").append(runsLeftOut[i]);
    }
    if (!runsLeftOut.empty()) out.append(runsLeftOut.size() == 1 ? " was not run" : " were not run");
    return out + ".\n";
}

} // namespace vorn
