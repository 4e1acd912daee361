#pragma once

#include "models/pak_archive.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class CQEntity;

// The mod folders a map names for itself, most important first: the world's "_tb_mod" value,
// ";"-separated, the key maps of current tools carry it in.
std::vector<std::string> MapMods(const CQEntity& world);

// The folders game files are looked for in, most important first. `gameFolder` is the game's
// own folder (the one holding "id1") or the folder of a mod or of "id1" within it; the mods the
// map names come first, then the mod `gameFolder` names, then "id1". Only folders that exist
// are given, each once.
std::vector<std::string> GameFolders(std::string_view gameFolder, const std::vector<std::string>& mapMods);

// The game's files as the game itself finds them: folder by folder, and in each its pak files
// (pak0.pak, pak1.pak, ... up to the first number missing; a higher number first) before its
// loose files. The archives are opened once; a broken one is refused whole.
class GameFiles {
public:
    GameFiles() = default;
    explicit GameFiles(std::vector<std::string> folders);

    const std::vector<std::string>& folders() const { return folders_; }
    // Why archives were refused, one line each.
    const std::vector<std::string>& archiveProblems() const { return archiveProblems_; }

    // The bytes of the file at that relative path ("progs/ogre.mdl"); none when no folder or
    // archive holds it, or with `failure` set when the one that does could not give it.
    std::optional<std::string> read(std::string_view path, std::string& failure) const;

private:
    struct Folder {
        std::string path;
        std::vector<PakArchive> archives; // highest number first
    };

    std::vector<std::string> folders_;
    std::vector<Folder> searched_;
    std::vector<std::string> archiveProblems_;
};

} // namespace vorn
