#include "platform/recovery_files.h"

#include <algorithm>
#include <cctype>

namespace vorn {
namespace {

constexpr std::string_view kMapSuffix = ".map";
constexpr std::string_view kFilenameLine = "// Filename:";

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

std::string RecoveryFileName(std::string_view mapTitle, std::int64_t processId, int serial)
{
    if (endsWith(mapTitle, kMapSuffix)) mapTitle.remove_suffix(kMapSuffix.size());
    std::string name;
    for (const char c : mapTitle) {
        const bool kept = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
        name += kept ? c : '_';
    }
    if (name.empty()) name = "Untitled";
    return name + "-" + std::to_string(processId) + "-" + std::to_string(serial) + std::string(kMapSuffix);
}

bool IsRecoveryFileName(std::string_view fileName)
{
    return fileName.size() > kMapSuffix.size() && endsWith(fileName, kMapSuffix);
}

std::string RecoveredMapName(std::string_view text)
{
    const std::string_view firstLine = text.substr(0, text.find('\n'));
    if (firstLine.substr(0, kFilenameLine.size()) != kFilenameLine) return "Untitled";
    std::string_view path = trimmed(firstLine.substr(kFilenameLine.size()));
    // Written on this system or on Windows: either separator ends the folder part.
    if (const auto slash = path.find_last_of("/\\"); slash != std::string_view::npos) path.remove_prefix(slash + 1);
    return path.empty() ? "Untitled" : std::string(path);
}

std::vector<RecoveryCandidate> RecoveriesToOffer(std::vector<RecoveryCandidate> found)
{
    std::erase_if(found, [](const RecoveryCandidate& c) { return c.heldByLiveEditor; });
    std::stable_sort(found.begin(), found.end(), [](const RecoveryCandidate& a, const RecoveryCandidate& b) {
        return a.modifiedSeconds > b.modifiedSeconds;
    });
    return found;
}

} // namespace vorn
