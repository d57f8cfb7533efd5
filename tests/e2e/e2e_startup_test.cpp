// Start-up failures as the player sees them: one message box, closed with
// Return, then exit status 1 and the progress file untouched. (The menu with
// entry 1 lit on the whole screen is checked at every size in e2e_sizes.)
#include "tests/e2e/test_game.h"
#include "tests/support/test_files.h"

#include <cstdio>
#include <cstdlib>

namespace {

struct Failure {
    const char *name;
    const char *file, *content;  // the file removed, or written with content
    const char *title;           // of the one message box
    int level, width, height;
};

const Failure Failures[] = {
    {"MissingGroundPicture", "Ground.tex", nullptr, "Error", 1, 240, 320},
    {"BrokenPicture", "Static.tex", "GIF89a not a bitmap at all", "Error", 1, 320, 240},
    {"MissingProgressFile", "config.ini", nullptr, "Error", 1, 240, 320},
    {"MissingLevelFile", "Level5.Map", nullptr, "5", 5, 240, 320},
    {"RefusedLevelFile", "Level6.Map", "1.0\n2.0\n3.0\n4.0\n5.0\n6.0\n7\n7\n0\n9999\n", "6", 6, 640, 480},
};

void PrintTo(const Failure &f, std::ostream *out) { *out << f.name; }

class StartUp : public CratewrightTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(StartUp, GivesOneBoxAndStatusOne)
{
    const Failure &f = GetParam();
    WriteTestGame(f.level, 0, 7);
    std::string config = Config();
    if (f.content) WriteTextFile(FilePath(f.file), f.content);
    else std::remove(FilePath(f.file).c_str());
    if (std::string(f.file) == "config.ini") config = "";  // the game must not make one of its own
    Launch(f.width, f.height);
    if (HasFatalFailure()) return;
    WindowBox box = WaitWindow(f.title);
    ASSERT_NE(box.id, 0u) << "no message box titled \"" << f.title << "\"; the game said:\n" << GameLog();
    EXPECT_EQ(WindowsTitled(f.title).size(), 1u);
    EXPECT_EQ(WaitExit(300), -1) << "the game ended before the box was closed";
    DismissBox(box);
    EXPECT_EQ(WaitExit(), 1) << GameLog();
    EXPECT_TRUE(WindowsTitled(f.title).empty());
    EXPECT_EQ(Config(), config);
}

INSTANTIATE_TEST_SUITE_P(Files, StartUp, ::testing::ValuesIn(Failures),
                         [](const ::testing::TestParamInfo<Failure> &info) { return std::string(info.param.name); });

class NoDisplay : public CratewrightTest {};

TEST_F(NoDisplay, ThePlayerIsToldAndNothingCrashes)
{
    WriteTestGame();
    unsetenv("DISPLAY");
    StartGame();
    EXPECT_EQ(WaitExit(), 1) << GameLog();
    EXPECT_NE(GameLog().find("display"), std::string::npos) << GameLog();
    EXPECT_EQ(Config(), "0\n1\n0\n");
}

}  // namespace
