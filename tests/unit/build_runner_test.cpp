#include "document/build_runner.h"
#include "document/build_session.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

using namespace vorn;

namespace {

const ToolPaths kAllTools{"/q/bin/qbsp", "/q/bin/light", "/q/bin/vis", "/games/quake/quake", ""};
const BuildRequest kSaved{false, "/maps/my level/e1m1.map"};

std::string refusalOf(BuildCommand command, const BuildRequest& request, const ToolPaths& tools)
{
    return PlanBuild(command, request, tools).refusal;
}

} // namespace

TEST(BuildRunner, RefusesAModifiedMapFirstThenAMissingToolThenAnUnsavedMap)
{
    const BuildRequest editedUnsaved{true, ""};
    const BuildRequest unsaved{false, ""};
    ToolPaths noVis = kAllTools;
    noVis.vis.clear();

    EXPECT_EQ(refusalOf(BuildCommand::VisFast, editedUnsaved, noVis), "Map has been modified since last save");
    EXPECT_EQ(refusalOf(BuildCommand::VisFast, unsaved, noVis), "Please set the path to VIS.EXE\nin Vorn Setup");
    EXPECT_EQ(refusalOf(BuildCommand::QbspFull, unsaved, noVis), "You must save the map first.");
    EXPECT_EQ(refusalOf(BuildCommand::Test, unsaved, kAllTools), "You must save the map first.");

    const ToolPaths none;
    EXPECT_EQ(refusalOf(BuildCommand::QbspEntities, kSaved, none), "Please set the path to QBSP.EXE\nin Vorn Setup");
    EXPECT_EQ(refusalOf(BuildCommand::LightExtra, kSaved, none), "Please set the path to LIGHT.EXE\nin Vorn Setup");
    EXPECT_EQ(refusalOf(BuildCommand::Test, kSaved, none), "Please set the path to QUAKE.EXE\nin Vorn Setup");
    // Compile checks all three tools, in the order it runs them, before it starts any.
    EXPECT_EQ(refusalOf(BuildCommand::Compile, kSaved, noVis), "Please set the path to VIS.EXE\nin Vorn Setup");
    EXPECT_TRUE(PlanBuild(BuildCommand::Compile, kSaved, noVis).runs.empty());
    ToolPaths onlyCompilers = kAllTools;
    onlyCompilers.quake.clear();
    EXPECT_EQ(refusalOf(BuildCommand::Compile, kSaved, onlyCompilers), "");
}

TEST(BuildRunner, EachCommandRunsItsToolWithItsOptionOnTheMapOrTheBspInTheMapsFolder)
{
    const std::string map = "/maps/my level/e1m1.map";
    const std::string bsp = "/maps/my level/e1m1.bsp";
    const std::string folder = "/maps/my level";
    const auto only = [&](BuildCommand command) {
        const BuildPlan plan = PlanBuild(command, kSaved, kAllTools);
        EXPECT_EQ(plan.refusal, "");
        EXPECT_EQ(plan.runs.size(), 1u);
        return plan.runs.empty() ? ToolRun{} : plan.runs.front();
    };
    EXPECT_EQ(only(BuildCommand::QbspFull), (ToolRun{"QBsp", "/q/bin/qbsp", {map}, folder, true}));
    EXPECT_EQ(only(BuildCommand::QbspEntities), (ToolRun{"QBsp", "/q/bin/qbsp", {"-onlyents", map}, folder, false}));
    EXPECT_EQ(only(BuildCommand::LightRegular), (ToolRun{"Light", "/q/bin/light", {bsp}, folder, false}));
    EXPECT_EQ(only(BuildCommand::LightExtra), (ToolRun{"Light", "/q/bin/light", {"-extra", bsp}, folder, false}));
    EXPECT_EQ(only(BuildCommand::VisRegular), (ToolRun{"Vis", "/q/bin/vis", {bsp}, folder, false}));
    EXPECT_EQ(only(BuildCommand::VisFast), (ToolRun{"Vis", "/q/bin/vis", {"-fast", bsp}, folder, false}));
    // A mod's game folder is told to the game, which plays the level copied into that folder's maps
    // (the game in "id1" is driven in the build window's test).
    ToolPaths mod = kAllTools;
    mod.gameFolder = "/games/quake/my mod/";
    ToolRun game = PlanBuild(BuildCommand::Test, kSaved, mod).runs.at(0);
    EXPECT_EQ(game.arguments, (std::vector<std::string>{"-nolan", "-game", "my mod", "+map", "e1m1"}));
    EXPECT_EQ(game.copyFirst, (FileCopy{bsp, "/games/quake/my mod/maps/e1m1.bsp"}));
    mod.gameFolder = "/games/quake/ID1";
    game = PlanBuild(BuildCommand::Test, kSaved, mod).runs.at(0);
    EXPECT_EQ(game.arguments, (std::vector<std::string>{"-nolan", "+map", "e1m1"}));
    EXPECT_EQ(game.copyFirst->to, "/games/quake/ID1/maps/e1m1.bsp");

    const std::vector<ToolRun> compile = PlanBuild(BuildCommand::Compile, kSaved, kAllTools).runs;
    ASSERT_EQ(compile.size(), 3u);
    EXPECT_EQ(compile[0], only(BuildCommand::QbspFull));
    EXPECT_EQ(compile[1], only(BuildCommand::VisRegular));
    EXPECT_EQ(compile[2], only(BuildCommand::LightRegular));
}

TEST(BuildRunner, PathsOfAnyLengthKeepTheirBlanksAndRelativeOnesAreMadeAbsolute)
{
    const std::string longFolder = "/maps/" + std::string(300, 'x') + "/with blanks";
    const BuildPlan plan = PlanBuild(BuildCommand::QbspFull, {false, longFolder + "/e1m1.map"}, kAllTools);
    ASSERT_EQ(plan.runs.size(), 1u);
    EXPECT_EQ(plan.runs[0].arguments, std::vector<std::string>{longFolder + "/e1m1.map"});
    EXPECT_EQ(plan.runs[0].folder, longFolder);

    // The tools run in the map's folder, so a map or tool path relative to ours would miss.
    ToolPaths relative = kAllTools;
    relative.qbsp = "tools/qbsp";
    relative.vis = "vis"; // a bare name is looked up on the search path
    const auto cwd = std::filesystem::current_path();
    const std::vector<ToolRun> runs = PlanBuild(BuildCommand::Compile, {false, "maps/a.map"}, relative).runs;
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].program, (cwd / "tools/qbsp").string());
    EXPECT_EQ(runs[0].arguments.back(), (cwd / "maps/a.map").string());
    EXPECT_EQ(runs[0].folder, (cwd / "maps").string());
    EXPECT_EQ(runs[1].program, "vis");

    // The level's path replaces the extension only.
    EXPECT_EQ(BspPathFor("/maps/e1m1.map"), "/maps/e1m1.bsp");
    EXPECT_EQ(BspPathFor("/maps/e1m1.MAP"), "/maps/e1m1.bsp");
    EXPECT_EQ(BspPathFor("/maps/v1.2/start"), "/maps/v1.2/start.bsp");
    EXPECT_EQ(BspPathFor("/maps/dm.old.map"), "/maps/dm.old.bsp");
}

TEST(BuildSession, RunsInTurnUntilOneFailsAndNeverCallsAFailedStartASuccess)
{
    const std::vector<ToolRun> runs{{"QBsp", "qbsp", {"a.map"}, "/m", true}, {"Vis", "vis", {"a.bsp"}, "/m", false},
                                    {"Light", "light", {"a.bsp"}, "/m", false}};
    BuildSession ok(runs);
    EXPECT_EQ(ok.starting(), RunningBanner("QBsp"));
    EXPECT_EQ(ok.finished(0), FinishedBanner("QBsp", 0));
    EXPECT_EQ(ok.current()->label, "Vis");
    ok.finished(0);
    EXPECT_EQ(ok.starting(), RunningBanner("Light"));
    ok.finished(0);
    EXPECT_TRUE(ok.over());
    EXPECT_EQ(ok.result(), 0);
    EXPECT_EQ(ok.finished(0), "") << "nothing is left to end";

    BuildSession failing(runs);
    failing.finished(0);
    EXPECT_EQ(failing.finished(1), FinishedBanner("Vis", 1));
    EXPECT_TRUE(failing.over()) << "Light never runs after Vis failed";
    EXPECT_EQ(failing.result(), 1);

    BuildSession missing(runs);
    EXPECT_EQ(missing.failedToStart(LaunchFailure::fromErrno(ENOENT)),
              LaunchFailureFrame("QBsp", "qbsp", LaunchFailure::fromErrno(ENOENT)));
    EXPECT_TRUE(missing.over());
    EXPECT_EQ(missing.result(), ENOENT);
    BuildSession noReason(runs);
    noReason.failedToStart({LaunchFailure::Kind::Other, 0});
    EXPECT_NE(noReason.result(), 0);
    // The window's tests see the other frames; a crash and a lack of memory are said too.
    EXPECT_EQ(FinishedBanner("Vis", -11), "\n---------------------\nVis had errors\n---------------------\n");
    EXPECT_EQ(LaunchFailureFrame("Light", "light", LaunchFailure::fromErrno(ENOMEM)),
              "\n" + std::string(40, '-') + "\nFailed to launch Light:\n Not enough memory\n" + std::string(40, '-') + "\n");

    // A leak ends the build after the run that found it, naming the runs left out.
    BuildSession leaking(runs);
    leaking.finished(0);
    EXPECT_EQ(leaking.leaked("/m/a.pts"), "\nThe map leaks (/m/a.pts): Vis and Light were not run.\n");
    EXPECT_TRUE(leaking.over());
    EXPECT_EQ(leaking.result(), BuildSession::kLeaked);
    BuildSession leakingWithErrors(runs);
    leakingWithErrors.finished(1);
    EXPECT_EQ(leakingWithErrors.leaked("/m/a.pts"), "\nThe map leaks (/m/a.pts).\n");
    EXPECT_EQ(leakingWithErrors.result(), 1);
    BuildSession lastLeaking({runs[0], runs[1]});
    lastLeaking.finished(0);
    EXPECT_EQ(lastLeaking.leaked("/m/a.pts"), "\nThe map leaks (/m/a.pts): Vis was not run.\n");

    BuildSession stopped(runs);
    EXPECT_EQ(stopped.stopped(), "\n---------------------\nQBsp was stopped\n---------------------\n");
    EXPECT_TRUE(stopped.over());
    EXPECT_EQ(stopped.result(), BuildSession::kNoExitCode);
}
