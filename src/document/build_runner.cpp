#include "document/build_runner.h"

#include "map/ignoring_case.h"

#include <filesystem>

namespace vorn {
namespace {

namespace fs = std::filesystem;

enum class Tool { Qbsp, Light, Vis, Quake };

// The game's own data, beside the game.
constexpr std::string_view kBaseGame = "id1";

struct ToolStep {
    Tool tool;
    std::vector<std::string> options; // before the file, each its own argument
    bool onBsp;         // the compiled level rather than the map file
};

const std::string& pathOf(const ToolPaths& tools, Tool tool)
{
    switch (tool) {
    case Tool::Qbsp: return tools.qbsp;
    case Tool::Light: return tools.light;
    case Tool::Vis: return tools.vis;
    case Tool::Quake: return tools.quake;
    }
    return tools.qbsp;
}

struct ToolTexts {
    const char* label;  // names its runs in the output
    const char* notSet; // when its path is empty
};

ToolTexts textsOf(Tool tool)
{
    switch (tool) {
    case Tool::Qbsp: return {"QBsp", "Please set the path to QBSP.EXE\nin Vorn Setup"};
    case Tool::Light: return {"Light", "Please set the path to LIGHT.EXE\nin Vorn Setup"};
    case Tool::Vis: return {"Vis", "Please set the path to VIS.EXE\nin Vorn Setup"};
    case Tool::Quake: return {"Quake", "Please set the path to QUAKE.EXE\nin Vorn Setup"};
    }
    return {"", ""};
}

std::vector<ToolStep> stepsOf(BuildCommand command)
{
    switch (command) {
    case BuildCommand::QbspFull: return {{Tool::Qbsp, {}, false}};
    case BuildCommand::QbspEntities: return {{Tool::Qbsp, {"-onlyents"}, false}};
    case BuildCommand::LightRegular: return {{Tool::Light, {}, true}};
    case BuildCommand::LightExtra: return {{Tool::Light, {"-extra"}, true}};
    case BuildCommand::VisRegular: return {{Tool::Vis, {}, true}};
    case BuildCommand::VisFast: return {{Tool::Vis, {"-fast"}, true}};
    case BuildCommand::Test: return {{Tool::Quake, {"-nolan"}, true}};
    case BuildCommand::Compile: return {{Tool::Qbsp, {}, false}, {Tool::Vis, {}, true}, {Tool::Light, {}, true}};
    }
    return {};
}

// A path with a folder in it is made absolute, as the tools run in another folder; a bare program
// name is left for the search path.
std::string resolved(const std::string& path)
{
    const fs::path p(path);
    if (p.is_absolute() || !p.has_parent_path()) return path;
    std::error_code noCurrentFolder;
    const fs::path full = fs::absolute(p, noCurrentFolder);
    return noCurrentFolder ? path : full.lexically_normal().string();
}

// The game runs in its own folder and loads a level by its name from the "maps" folder of its
// game folder: the compiled level is copied there first. A mod's folder is named to the game.
ToolRun gameRun(const ToolStep& step, const std::string& program, const std::string& mapPath,
                const std::string& gameFolder)
{
    const fs::path programFolder = fs::path(program).parent_path();
    fs::path game = gameFolder.empty() ? programFolder / kBaseGame : fs::path(resolved(gameFolder));
    if (!game.has_filename()) game = game.parent_path(); // written with a trailing separator
    const std::string level = fs::path(mapPath).stem().string();
    ToolRun run{textsOf(step.tool).label, program, step.options, programFolder.string()};
    const std::string gameName = game.filename().string();
    if (!EqualIgnoringCase(gameName, kBaseGame)) run.arguments.insert(run.arguments.end(), {"-game", gameName});
    run.arguments.insert(run.arguments.end(), {"+map", level});
    run.copyFirst = FileCopy{BspPathFor(mapPath), (game / "maps" / (level + ".bsp")).string()};
    return run;
}

ToolRun runOf(const ToolStep& step, const std::string& program, const std::string& mapPath)
{
    // Only a full QBSP run looks for leaks; one on the entities leaves the geometry as it was.
    const bool mayLeak = step.tool == Tool::Qbsp && step.options.empty();
    ToolRun run{textsOf(step.tool).label, program, step.options, {}, mayLeak};
    run.arguments.push_back(step.onBsp ? BspPathFor(mapPath) : mapPath);
    run.folder = fs::path(mapPath).parent_path().string(); // the tools run beside the map
    return run;
}

} // namespace

std::string BspPathFor(const std::string& mapPath)
{
    return fs::path(mapPath).replace_extension(".bsp").string();
}

BuildPlan PlanBuild(BuildCommand command, const BuildRequest& request, const ToolPaths& tools)
{
    if (request.modified) return {"Map has been modified since last save", {}};
    const std::vector<ToolStep> steps = stepsOf(command);
    for (const ToolStep& step : steps) {
        if (pathOf(tools, step.tool).empty()) return {textsOf(step.tool).notSet, {}};
    }
    if (request.mapPath.empty()) return {"You must save the map first.", {}};

    const std::string mapPath = resolved(request.mapPath);
    BuildPlan plan;
    for (const ToolStep& step : steps) {
        const std::string program = resolved(pathOf(tools, step.tool));
        plan.runs.push_back(step.tool == Tool::Quake ? gameRun(step, program, mapPath, tools.gameFolder)
                                                     : runOf(step, program, mapPath));
    }
    return plan;
}

} // namespace vorn
