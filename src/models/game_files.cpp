#include "models/game_files.h"

#include "map/entity.h"
#include "platform/file_reading.h"
#include "platform/path_list.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace vorn {
namespace {

constexpr std::string_view kBaseGame = "id1";

bool isFolder(const fs::path& path)
{
    std::error_code noAnswer;
    return fs::is_directory(path, noAnswer);
}

} // namespace

std::vector<std::string> MapMods(const CQEntity& world)
{
    return SplitPathList(Unquoted(world.GetValue("\"_tb_mod\"")));
}

std::vector<std::string> GameFolders(std::string_view gameFolder, const std::vector<std::string>& mapMods)
{
    if (gameFolder.empty()) return {};
    fs::path given = fs::path(std::string(gameFolder));
    if (!given.has_filename()) given = given.parent_path(); // written with a trailing separator
    const bool isGameRoot = isFolder(given / kBaseGame);
    const fs::path root = isGameRoot ? given : given.parent_path();

    std::vector<fs::path> candidates;
    for (const std::string& mod : mapMods) {
        // A mod is a folder of the game's own, named alone.
        if (mod != "." && mod != ".." && mod.find_first_of("/\\") == std::string::npos) candidates.push_back(root / mod);
    }
    if (!isGameRoot) candidates.push_back(given);
    candidates.push_back(root / kBaseGame);

    std::vector<std::string> folders;
    for (const fs::path& candidate : candidates) {
        const std::string path = candidate.lexically_normal().string();
        if (isFolder(candidate) && std::ranges::find(folders, path) == folders.end()) folders.push_back(path);
    }
    return folders;
}

GameFiles::GameFiles(std::vector<std::string> folders) : folders_(std::move(folders))
{
    for (const std::string& path : folders_) {
        Folder folder{path, {}};
        for (int number = 0;; ++number) {
            const fs::path pak = fs::path(path) / ("pak" + std::to_string(number) + ".pak");
            std::error_code noAnswer;
            if (!fs::exists(pak, noAnswer)) break;
            PakArchive archive = PakArchive::open(pak.string());
            if (archive.failure()) {
                archiveProblems_.push_back(pak.string() + ": " + *archive.failure());
            } else {
                folder.archives.push_back(std::move(archive));
            }
        }
        std::ranges::reverse(folder.archives);
        searched_.push_back(std::move(folder));
    }
}

std::optional<std::string> GameFiles::read(std::string_view path, std::string& failure) const
{
    // A definition file names files within the game's folders, never beside or above them.
    const fs::path relative{std::string(path)};
    if (relative.empty() || relative.is_absolute() || std::any_of(relative.begin(), relative.end(), [](const fs::path& part) { return part == ".."; })) return std::nullopt;
    for (const Folder& folder : searched_) {
        for (const PakArchive& archive : folder.archives) {
            if (archive.holds(path)) return archive.read(path, failure);
        }
        const fs::path loose = fs::path(folder.path) / std::string(path);
        std::error_code noAnswer;
        if (!fs::exists(loose, noAnswer)) continue;
        FileContents file = ReadWholeFile(loose.string());
        if (!file.bytes) failure = loose.string() + ": " + file.error;
        return std::move(file.bytes);
    }
    return std::nullopt;
}

} // namespace vorn
