#include "document/build_session.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vorn;

TEST(BuildBanners, RunsAreFramedAndAFailedStartSaysWhy)
{
    EXPECT_EQ(RunningBanner("QBsp"), "\n---------------------\nRunning QBsp\n---------------------\n");
    EXPECT_EQ(FinishedBanner("Vis", 0), "\n---------------------\nVis finished\n---------------------\n");
    EXPECT_EQ(FinishedBanner("Vis", 1), "\n---------------------\nVis had errors\n---------------------\n");
    EXPECT_EQ(FinishedBanner("Vis", -11), "\n---------------------\nVis had errors\n---------------------\n");

    const std::string rule(40, '-');
    EXPECT_EQ(LaunchFailureFrame("QBsp", "/no/such/qbsp", LaunchFailure::fromErrno(ENOENT)),
              "\n" + rule + "\nFailed to launch QBsp:\n Can't find file /no/such/qbsp\n Check Vorn setup.\n" + rule + "\n");
    EXPECT_EQ(LaunchFailureFrame("Light", "light", LaunchFailure::fromErrno(ENOMEM)),
              "\n" + rule + "\nFailed to launch Light:\n Not enough memory\n" + rule + "\n");
    EXPECT_EQ(LaunchFailureFrame("Quake", "quake", LaunchFailure::fromErrno(EACCES)),
              "\n" + rule + "\nFailed to launch Quake due to error " + std::to_string(EACCES) + "\n" + rule + "\n");
    EXPECT_EQ(CopyFailureFrame("Quake", "/m/a.bsp", "/q/id1/maps/a.bsp", "Permission denied"),
              "\n" + rule + "\nFailed to launch Quake:\n Could not copy /m/a.bsp to /q/id1/maps/a.bsp: Permission denied\n" + rule + "\n");
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
