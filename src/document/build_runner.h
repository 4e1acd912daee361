#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorn {

// The Build menu's commands; Compile runs QBSP, VIS and LIGHT in turn.
enum class BuildCommand { QbspFull, QbspEntities, LightRegular, LightExtra, VisRegular, VisFast, Test, Compile };

// The programs the user set up; an empty path is not set.
struct ToolPaths {
    std::string qbsp;
    std::string light;
    std::string vis;
    std::string quake;
    // The game's folder of its own data, where it finds levels in "maps": a mod's, or when empty
    // "id1" beside the game.
    std::string gameFolder;
};

// What a build needs to know of the document.
struct BuildRequest {
    bool modified = false;
    std::string mapPath; // empty until the map is saved
};

// A file to copy before a program starts, over any file of that name.
struct FileCopy {
    std::string from;
    std::string to;
    bool operator==(const FileCopy&) const = default;
};

// One program to start: no shell, each argument passed as it is.
struct ToolRun {
    std::string label; // names the run in the output
    std::string program;
    std::vector<std::string> arguments;
    std::string folder; // the working folder
    bool mayLeak = false; // a full QBSP run: leaves a point file beside a map that is not sealed
    std::optional<FileCopy> copyFirst{}; // the game's run: the compiled level into its "maps"
    bool operator==(const ToolRun&) const = default;
};

// Either a refusal to tell the user, or the runs in order; a run that fails ends the build.
struct BuildPlan {
    std::string refusal;
    std::vector<ToolRun> runs;
};

BuildPlan PlanBuild(BuildCommand command, const BuildRequest& request, const ToolPaths& tools);

// The compiled level beside the map: its extension replaced by "bsp".
std::string BspPathFor(const std::string& mapPath);

} // namespace vorn
