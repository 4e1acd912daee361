#include "document/point_file.h"

#include "platform/file_reading.h"

#include <charconv>
#include <cmath>

namespace vorn {
namespace {

namespace fs = std::filesystem;

// File times of some file systems are coarse: a file written just after the start may look older.
constexpr auto kTimeAllowance = std::chrono::seconds(2);

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view line)
{
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back())) line.remove_suffix(1);
    return line;
}

std::optional<Vec3> parsePoint(std::string_view line)
{
    Vec3 p;
    const char* at = line.data();
    const char* const end = line.data() + line.size();
    for (int axis = 0; axis < 3; ++axis) {
        while (at < end && isBlank(*at)) ++at;
        float v = 0;
        const auto [stop, error] = std::from_chars(at, end, v);
        if (error != std::errc() || !std::isfinite(v)) return std::nullopt;
        p[axis] = v;
        at = stop;
        if (at < end && !isBlank(*at)) return std::nullopt;
    }
    return at == end ? std::optional(p) : std::nullopt;
}

bool writtenSince(const fs::path& file, fs::file_time_type since)
{
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return false;
    const fs::file_time_type written = fs::last_write_time(file, error);
    return !error && written + kTimeAllowance >= since;
}

} // namespace

std::optional<std::vector<Vec3>> ParsePointFile(std::string_view text)
{
    if (text.size() > kMaxPointFileBytes) return std::nullopt;
    std::vector<Vec3> points;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, eol));
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        if (line.empty()) continue;
        const std::optional<Vec3> p = parsePoint(line);
        if (!p || points.size() == kMaxLeakPoints) return std::nullopt;
        points.push_back(*p);
    }
    if (points.empty()) return std::nullopt;
    return points;
}

std::string FindPointFile(const std::string& mapPath, fs::file_time_type since)
{
    for (const char* extension : {".pts", ".lin"}) {
        const fs::path file = fs::path(mapPath).replace_extension(extension);
        if (writtenSince(file, since)) return file.string();
    }
    return {};
}

PointFileRead ReadPointFile(const std::string& path)
{
    FileContents contents = ReadWholeFile(path, kMaxPointFileBytes);
    if (!contents.bytes) return {std::nullopt, contents.error};
    std::optional<std::vector<Vec3>> points = ParsePointFile(*contents.bytes);
    if (!points) return {std::nullopt, "it holds no list of points"};
    return {std::move(points), {}};
}

} // namespace vorn
