#include "textures/texture_archives.h"

#include "platform/file_reading.h"
#include "platform/host.h"
#include "platform/path_list.h"

#include <cerrno>
#include <filesystem>

namespace vorn {

void ShowArchiveReport(const ArchiveReport& report, Host& host)
{
    for (const std::string& line : report.debugLines) host.debugOutput(line);
    for (const std::string& message : report.messages) host.messageBox(message);
}

std::vector<std::string> SplitWadValue(std::string_view wadValue)
{
    return SplitPathList(wadValue);
}

std::vector<std::string> TextureSearchFolders(std::string_view mapPath, std::string_view gameFolder)
{
    std::vector<std::string> folders;
    if (!mapPath.empty()) folders.push_back(std::filesystem::path(std::string(mapPath)).parent_path().string());
    folders.emplace_back();
    if (!gameFolder.empty()) folders.emplace_back(gameFolder);
    return folders;
}

std::vector<std::string> CandidatePaths(std::string_view path, const std::vector<std::string>& folders)
{
    const std::filesystem::path given{std::string(path)};
    if (given.is_absolute()) return {given.string()};
    std::vector<std::string> candidates;
    for (const std::string& folder : folders) {
        candidates.push_back(folder.empty() ? given.string() : (std::filesystem::path(folder) / given).string());
    }
    return candidates;
}

ArchiveReport TextureArchives::load(std::string_view wadValue, const std::vector<std::string>& folders)
{
    wadValue_ = wadValue;
    archives_.clear();
    ArchiveReport report;
    for (const std::string& name : SplitWadValue(wadValue)) {
        auto wad = std::make_unique<CQWad>();
        std::optional<WadStatus> status; // none while no candidate could be read
        std::string found;
        std::string unreadable; // why the first candidate that is there could not be read
        for (const std::string& candidate : CandidatePaths(name, folders)) {
            FileContents file = ReadWholeFile(candidate);
            if (!file.bytes) {
                if (unreadable.empty() && file.errorNumber != ENOENT) unreadable = file.error;
                continue;
            }
            status = wad->loadBytes(std::move(*file.bytes));
            found = candidate;
            break;
        }
        if (status == WadStatus::Loaded) {
            archives_.push_back({name, found, std::move(wad)});
            continue;
        }
        if (status == WadStatus::TooManyEntries) report.messages.emplace_back("Wad has too many entries!");
        if (status) report.debugLines.emplace_back("Failed To Load wad from file\n");
        const bool thereButUnreadable = !status && !unreadable.empty();
        report.messages.push_back("Could not load wad named " + name + (thereButUnreadable ? ": " + unreadable : ""));
    }
    return report;
}

std::vector<std::string> TextureArchives::textureNames() const
{
    std::vector<std::string> names;
    for (const Archive& archive : archives_) {
        std::vector<std::string> own = archive.wad->textureNames();
        names.insert(names.end(), std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));
    }
    return names;
}

CQTexture TextureArchives::readTexture(std::string_view name) const
{
    for (const Archive& archive : archives_) {
        if (archive.wad->find(name)) return archive.wad->readTexture(name);
    }
    return {};
}

CQPalette TextureArchives::readPalette() const
{
    for (const Archive& archive : archives_) {
        CQPalette palette = archive.wad->readPalette();
        if (palette.count() > 0) return palette;
    }
    return {};
}

TextureArchives::Size TextureArchives::textureSize(std::string_view name)
{
    for (const Archive& archive : archives_) {
        const auto index = archive.wad->find(name);
        if (!index) continue;
        const auto size = archive.wad->textureSize(*index);
        if (!size) return {};
        return {static_cast<int>(size->width), static_cast<int>(size->height)};
    }
    return {};
}

} // namespace vorn
