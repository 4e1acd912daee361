#include "platform/child_process.h"

#include "platform/file_descriptor.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace vorn {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr int kLowestPriority = 19;

// Only calls that are safe between fork and exec in a program with threads. A failure is written
// to the pipe as the error number.
[[noreturn]] void StartInChild(char* const* argv, const char* folder, const char* outputPath, bool background, int errorPipe)
{
    int output = -1;
    if (chdir(folder) == 0) output = open(outputPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (output >= 0 && dup2(output, STDOUT_FILENO) >= 0 && dup2(output, STDERR_FILENO) >= 0) {
        const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (devNull >= 0) dup2(devNull, STDIN_FILENO);
        if (background) setpriority(PRIO_PROCESS, 0, kLowestPriority);
        execv(argv[0], argv);
    }
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(errorPipe, &error, sizeof error);
    _exit(127);
}

} // namespace

ChildRun RunChild(const std::vector<std::string>& command, const std::string& folder, const std::string& outputPath, bool background,
                  const std::atomic<bool>& cancelled)
{
    ChildRun run;
    if (command.empty()) {
        run.error = ENOENT;
        return run;
    }
    std::vector<char*> argv;
    for (const std::string& argument : command) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        run.error = errno;
        return run;
    }
    FileDescriptor readEnd(pipeEnds[0]);
    FileDescriptor writeEnd(pipeEnds[1]);
    const pid_t pid = fork();
    if (pid < 0) {
        run.error = errno;
        return run;
    }
    if (pid == 0) StartInChild(argv.data(), folder.c_str(), outputPath.c_str(), background, writeEnd.get());
    writeEnd.close();
    // The pipe closes without a word when the program started.
    int error = 0;
    ssize_t got = 0;
    do {
        got = read(readEnd.get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);

    int status = 0;
    bool killed = false;
    while (true) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) {
            run.error = errno;
            return run;
        }
        if (cancelled.load() && !killed) {
            kill(pid, SIGKILL);
            killed = true;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    if (got == sizeof error) {
        run.error = error;
    } else if (killed) {
        run.outcome = ChildRun::Outcome::Cancelled;
    } else if (WIFEXITED(status)) {
        run.outcome = ChildRun::Outcome::Exited;
        run.exitCode = WEXITSTATUS(status);
    } else {
        run.outcome = ChildRun::Outcome::Crashed;
    }
    return run;
}

} // namespace vorn
