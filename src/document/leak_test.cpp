#include "document/leak_test.h"

#include "document/point_file.h"
#include "document/problem_checks.h"
#include "platform/child_process.h"
#include "platform/file_copy.h"
#include "platform/file_reading.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vorn {
namespace {

constexpr const char* kMapName = "leaktest";

// A new folder of its own, removed with everything in it when it goes.
class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-leak-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchDirectory()
    {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The last line the program wrote, which says why it stopped.
std::string LastLine(const std::filesystem::path& output)
{
    const FileContents file = ReadWholeFile(output.string());
    if (!file.bytes) return {};
    std::string_view text = *file.bytes;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    const size_t start = text.find_last_of('\n');
    return std::string(start == std::string_view::npos ? text : text.substr(start + 1));
}

LeakTestResult Failed(std::string why)
{
    return {LeakTestResult::Outcome::Failed, {}, std::move(why)};
}

} // namespace

std::string LeakMessage(const std::vector<Vec3>& points)
{
    std::string message = "Leak: the map is open to the void";
    if (!points.empty()) message += ", from " + PointText(points.front()) + " to " + PointText(points.back());
    return message;
}

LeakTestResult RunLeakTest(const std::string& qbsp, const std::string& mapPath, const std::atomic<bool>& cancelled)
{
    const ScratchDirectory folder;
    if (folder.path().empty()) return Failed(std::string("no temporary folder: ") + std::strerror(errno));
    const std::filesystem::path map = folder.path() / (std::string(kMapName) + ".map");
    if (const auto failure = CopyFileReplacing(mapPath, map.string())) return Failed(*failure);
    const std::filesystem::path output = folder.path() / "qbsp.txt";
    const ChildRun run = RunChild({qbsp, "-leaktest", "-quiet", map.filename().string()}, folder.path().string(), output.string(), true, cancelled);
    switch (run.outcome) {
    case ChildRun::Outcome::Cancelled: return {LeakTestResult::Outcome::Cancelled, {}, {}};
    case ChildRun::Outcome::FailedToStart: return Failed(qbsp + " could not be started: " + std::strerror(run.error));
    case ChildRun::Outcome::Crashed: return Failed(qbsp + " crashed");
    case ChildRun::Outcome::Exited: break;
    }
    const std::filesystem::path points = folder.path() / (std::string(kMapName) + ".pts");
    if (std::filesystem::exists(points)) {
        PointFileRead read = ReadPointFile(points.string());
        if (!read.points) return Failed("the leak's point file could not be read: " + read.error);
        return {LeakTestResult::Outcome::Leaked, std::move(*read.points), {}};
    }
    if (run.exitCode != 0) return Failed(qbsp + " stopped: " + LastLine(output));
    return {LeakTestResult::Outcome::Sealed, {}, {}};
}

} // namespace vorn
