#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace vorn {

// How a program run to its end came out.
struct ChildRun {
    enum class Outcome {
        Exited,        // `exitCode` is what it returned
        Crashed,       // ended by a signal
        FailedToStart, // `error` is the system's error number
        Cancelled,     // ended because it was asked to stop
    } outcome = Outcome::FailedToStart;
    int exitCode = 0;
    int error = 0;
};

// Runs the program with the arguments (no shell) in the folder, its output and errors written to
// `outputPath`, at the lowest scheduling priority when `background` is set, and waits for it. The
// program is killed as soon as `cancelled` is set.
ChildRun RunChild(const std::vector<std::string>& command, const std::string& folder, const std::string& outputPath, bool background,
                  const std::atomic<bool>& cancelled);

} // namespace vorn
