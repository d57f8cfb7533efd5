// The real executable under its own Xvfb, one run per screen size the game
// knows (and one with no display at all), each playing what only the whole
// program shows: the window it makes, keys and taps through X, solved levels,
// every way of quitting with config.ini read back, the window's close button,
// its destruction and the server's end, a second start, and the boxes of a
// failed start.
#include "tests/e2e/test_game.h"

#include "tests/support/test_files.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sys/stat.h>

namespace {

class EndToEnd;
struct GameRun {
    const char *name;
    int screenWidth, screenHeight;  // the X screen
    int gameWidth, gameHeight;      // the game's window on it
    void (EndToEnd::*play)();
};
void PrintTo(const GameRun &run, std::ostream *out) { *out << run.name; }

class EndToEnd : public CratewrightTest, public ::testing::WithParamInterface<GameRun> {
public:
    // The window covers the screen from (0, 0) when it is a device's; on a
    // desktop it is an emulated device screen in its middle.
    void launch(bool toMenu = true)
    {
        const GameRun &run = GetParam();
        if (toMenu) LaunchToMenu(run.screenWidth, run.screenHeight);
        else Launch(run.screenWidth, run.screenHeight);
        if (HasFatalFailure()) return;
        EXPECT_TRUE(game.width == run.gameWidth && game.height == run.gameHeight) << game.width << "x" << game.height;
        const bool whole = run.gameWidth == run.screenWidth && run.gameHeight == run.screenHeight;
        const int x = whole ? 0 : (run.screenWidth - run.gameWidth) / 2, y = whole ? 0 : (run.screenHeight - run.gameHeight) / 2;
        EXPECT_TRUE(std::abs(game.x - x) <= 1 && std::abs(game.y - y) <= 1) << "window at " << game.x << ", " << game.y;
    }
    void expectEnd(int status, const std::string &config)
    {
        EXPECT_EQ(WaitExit(), status) << GameLog();
        EXPECT_EQ(Config(), config);
    }
    // Start-up fails: one box with the title, the game waits for it, then ends with 1.
    void expectBox(const char *title)
    {
        const std::string config = Config();
        ASSERT_NO_FATAL_FAILURE(launch(false));
        WindowBox box = WaitWindow(title);
        ASSERT_NE(box.id, 0u) << "no message box titled \"" << title << "\"; the game said:\n" << GameLog();
        EXPECT_EQ(WindowsTitled(title).size(), 1u);
        EXPECT_EQ(WaitExit(300), -1) << "the game ended before the box was closed";
        DismissBox(box);
        expectEnd(1, config);
        EXPECT_TRUE(WindowsTitled(title).empty());
    }

    // Keys through X: every arrow and digit steps the keeper the way it
    // points, so that exactly this walk solves level 2; the banner, then on to
    // level 3; the menu and back; the digit 3 quits, saving the low byte of the
    // sound switch.
    void keysPlay()
    {
        WriteTestGame(2, 257, 9);
        ASSERT_NO_FATAL_FAILURE(launch());
        EnterPlay();
        // The keeper faces up before any key, and every step turns it: the
        // right key runs the move down the board.
        EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Facing(s, UArrowTexture); })) << "not facing up at first";
        Key("Left Right");
        EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Facing(s, DArrowTexture); })) << "not facing down";
        Key("Down Up 8 2 4 6");
        EXPECT_TRUE(WaitFor(&EndToEnd::OnPlay));
        Key("2");
        ASSERT_TRUE(WaitFor(&EndToEnd::BannerShown)) << "the walk did not solve level 2";
        Key("Return 1");
        EXPECT_TRUE(WaitMenu(1));
        Key("Return");
        EXPECT_TRUE(WaitFor(&EndToEnd::OnPlay));
        EXPECT_EQ(Config(), "9\n2\n257\n") << "nothing is saved while playing";
        Key("3");
        expectEnd(0, "9\n3\n1\n");
    }

    // Taps through X at edge pixels of the menu's and the pad's regions (unit
    // tests hold every region on every size): the pad centre skips level 1,
    // taps on every arrow and band solve level 2, lifting the stylus goes on,
    // and the quit corner saves and quits.
    void stylusPlay()
    {
        WriteTestGame();
        ASSERT_NO_FATAL_FAILURE(launch());
        Tap(91, 244);  // just outside the play entry, then the right button inside it
        Tap(92, 244, 3);
        Key("Down");
        EXPECT_TRUE(WaitMenu(2));
        Tap(92, 244);
        ASSERT_TRUE(WaitFor(&EndToEnd::OnPlay)) << "the play entry's first pixel did not act";
        Tap(203, 568);
        // Left, right, down and up on the pad; left, right, down and up by the bands; then the push.
        for (auto [x, y] : {std::pair{57, 560}, {58, 560}, {416, 610}, {289, 639}, {186, 514}, {239, 200},
                            {241, 351}, {479, 385}, {0, 127}})
            Tap(x, y);
        // The push: held down until the banner shows, since the release of a tap
        // that solves a level goes on as soon as the banner is there.
        Xdotool({"mousemove", std::to_string(game.x + 186), std::to_string(game.y + 514), "mousedown", "1"});
        ASSERT_TRUE(WaitFor(&EndToEnd::BannerShown)) << "the taps did not solve level 2";
        Xdotool({"mouseup", "1"});
        EXPECT_TRUE(WaitFor(&EndToEnd::OnPlay));
        Tap(479, 639);
        expectEnd(0, "0\n3\n0\n");
        EXPECT_EQ(GameLog().find("fgCheckActiveMenu"), std::string::npos) << "freeglut's menu stub spoke";
    }

    // Level 99 solved by a key, level 100 by a held stylus whose lifting goes
    // on to the end picture, which saves on Enter; F3 quits level 1.
    void solveToTheEnd()
    {
        WriteTestGame(99, 1, 5);
        WriteLevel(99, OnePushLevel);
        ASSERT_NO_FATAL_FAILURE(launch());
        EnterPlay();
        Key("Up");
        EXPECT_TRUE(WaitFor(&EndToEnd::BannerShown)) << "no banner";
        Key("4 Return");  // digits only redraw here; Enter goes on to level 100
        EXPECT_TRUE(WaitFor(&EndToEnd::OnPlay));
        Xdotool({"mousemove", std::to_string(game.x + 318), std::to_string(game.y + 402), "mousedown", "1"});
        EXPECT_TRUE(WaitFor(&EndToEnd::BannerShown)) << "no banner";
        Xdotool({"mouseup", "1"});
        EXPECT_TRUE(WaitFor(&EndToEnd::OnEnd)) << "no end picture";
        Tap(320, 240);  // a tap and the arrows do nothing here; Enter saves and shows the menu
        Key("Left Up Return");
        EXPECT_TRUE(WaitMenu(1));
        EXPECT_EQ(Config(), "5\n1\n1\n");
        EXPECT_TRUE(WindowsTitled("Error").empty()) << "a sound could not be played";
        EnterPlay();
        Key("F3");
        expectEnd(0, "5\n1\n1\n");
    }


    // The window's close button, another client destroying the window, and
    // the X server going away all end the game as quitting does: progress
    // written, status 0 (X errors about the dead window must not make it 1).
    void endFromOutside(const std::function<void()> &end)
    {
        WriteTestGame(3, 0, 6);
        ASSERT_NO_FATAL_FAILURE(launch());
        Key("Down Return Return Left Return Left");  // the sound on, then into play and one step
        ASSERT_TRUE(WaitFor(&EndToEnd::OnPlay));
        // The file is gone once read: only the save at the end brings it back.
        std::remove(FilePath("config.ini").c_str());
        end();
        expectEnd(0, "6\n3\n1\n");
        EXPECT_TRUE(WindowsTitled("Error").empty());
    }
    void closeTheWindow() { endFromOutside([this] { SendWindowClose(game.id); }); }
    void destroyTheWindow() { endFromOutside([this] { Xdotool({"windowclose", std::to_string(game.id)}); }); }
    void loseTheServer() { endFromOutside([this] { StopDisplay(); }); }

    void secondStart()
    {
        WriteTestGame();
        ASSERT_NO_FATAL_FAILURE(launch());
        extraProcesses.push_back(Spawn({"xlogo", "-geometry", "240x240+0+0"}, folder + "/../xlogo.log"));
        ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return !OnMenu(s); })) << "xlogo did not cover the game";
        // The second start has no data beside it: had it touched a file it
        // would have reported a missing picture and ended with status 1.
        const std::string other = folder + "/../other";
        ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
        RunTool({"cp", CW_GAME_EXECUTABLE, other + "/cratewright"});
        int status = -1;
        const std::string said = RunTool({other + "/cratewright"}, &status, 5000);
        EXPECT_EQ(status, 0) << said;
        EXPECT_TRUE(WaitMenu(1)) << "the running game was not raised";
        EXPECT_EQ(WindowsTitled("Cratewright").size(), 1u);
        EXPECT_TRUE(WindowsTitled("Error").empty());
        EXPECT_EQ(RunTool({"ls", "-A", other}), "cratewright\n");
        Key("Up Return");  // once the first has ended, a new start is a game of its own
        expectEnd(0, "0\n1\n0\n");
        StartGame();
        EXPECT_NE(WaitWindow("Cratewright").id, 0u) << GameLog();
        EXPECT_TRUE(WaitMenu(1));
    }


    // The shipped data: the menu shows, no box complains, and Down, Down,
    // Down, Return reach and choose the quit entry, which saves what it read.
    void shippedGame()
    {
        MakeGameFolder();
        RunTool({"sh", "-c", "cp '" CW_SOURCE_DIR "'/data/* '" + folder + "'/"});
        const std::string shipped = Config();
        ASSERT_FALSE(shipped.empty()) << "no config.ini in data/";
        ASSERT_NO_FATAL_FAILURE(launch(false));
        ASSERT_TRUE(WaitScreen([&](const Screenshot &s) {
            return !SameColour(s.at(GameX(0.5), GameY(0.5)), {0, 0, 0}, 6) && SameColour(s.at(GameX(0.5), GameY(0.05)), {0, 0, 0}, 6);
        })) << "the shipped menu does not show\n" << GameLog();
        Key("Down Down Down Return");
        expectEnd(0, shipped);
        EXPECT_TRUE(WindowsTitled("Error").empty()) << "a message box showed on the shipped data";
    }

    void missingPicture()
    {
        WriteTestGame(1, 0, 7);
        std::remove(FilePath("Ground.tex").c_str());
        expectBox("Error");
    }

    void refusedLevel()
    {
        WriteTestGame(6, 0, 7);
        WriteTextFile(FilePath("Level6.Map"), "1.0\n2.0\n3.0\n4.0\n5.0\n6.0\n7\n7\n0\n9999\n");
        expectBox("6");
    }

    void noDisplay()
    {
        WriteTestGame();
        unsetenv("DISPLAY");
        StartGame();
        expectEnd(1, "0\n1\n0\n");
        EXPECT_NE(GameLog().find("display"), std::string::npos) << GameLog();
    }
};

const GameRun Runs[] = {
    // name                   screen       game      what is played
    {"KeysAt240x320",         240, 320,    240, 320, &EndToEnd::keysPlay},
    {"StylusAt480x640",       480, 640,    480, 640, &EndToEnd::stylusPlay},
    {"SolvedLevelsAt640x480", 640, 480,    640, 480, &EndToEnd::solveToTheEnd},
    {"WindowCloseAt320x240",  320, 240,    320, 240, &EndToEnd::closeTheWindow},
    {"WindowDestroyedAt240x320", 240, 320, 240, 320, &EndToEnd::destroyTheWindow},
    {"ServerLostAt640x480",   640, 480,    640, 480, &EndToEnd::loseTheServer},
    {"SecondStartAt240x240",  240, 240,    240, 240, &EndToEnd::secondStart},
    {"ShippedAt1280x1024",    1280, 1024,  480, 640, &EndToEnd::shippedGame},
    {"MissingPictureAt800x600", 800, 600,  240, 320, &EndToEnd::missingPicture},
    {"RefusedLevelAt480x480", 480, 480,    480, 480, &EndToEnd::refusedLevel},
    {"NoDisplay",             0, 0,        0, 0,     &EndToEnd::noDisplay},
};

TEST_P(EndToEnd, Plays) { (this->*GetParam().play)(); }

INSTANTIATE_TEST_SUITE_P(Runs, EndToEnd, ::testing::ValuesIn(Runs),
                         [](const ::testing::TestParamInfo<GameRun> &info) { return std::string(info.param.name); });

}  // namespace
