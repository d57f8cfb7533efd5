#include "tests/levelkit/levelkit_support.h"

#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/levels/game_bridge.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/tool_platform.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

// The tests' seam points the loader at a folder through the platform double.
void pointToolAt(const std::string &folder) { SetGameFolder(folder); }

ToolRun RunLevelkit(const std::string &arguments)
{
    const std::string dir = MakeTempFolder();
    const int raw = std::system((std::string(LEVELKIT_EXE) + " " + arguments + " >" + dir + "/out 2>" + dir + "/err").c_str());
    ToolRun run{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadTextFile(dir + "/out"), ReadTextFile(dir + "/err")};
    RemoveTree(dir);
    return run;
}

Puzzle OnePuzzle(const std::string &text)
{
    std::string err;
    std::vector<Puzzle> found = ParsePuzzles(text, err);
    EXPECT_EQ(err, "");
    EXPECT_EQ(found.size(), 1u);
    return found.empty() ? Puzzle{} : found[0];
}

void ImportAndLoad(const Puzzle &p, const std::string &dir, bool needCamera)
{
    std::string map, why;
    ASSERT_TRUE(writeMapText(p, map, why, needCamera)) << why;
    WriteTextFile(dir + "/Level1.Map", map);
    ASSERT_TRUE(loadMapFile(dir + "/Level1.Map", why)) << why;
}

int PlayThroughGame(const std::string &moves)
{
    for (char c : moves) {
        const LetterMove *m = letterMove(c);
        if (!m) return -1;
        m->move();
    }
    return uncoveredCount();
}

int SitesLeftAfter(const Puzzle &p, const std::string &moves, bool needCamera)
{
    std::string dir = MakeTempFolder();
    ImportAndLoad(p, dir, needCamera);
    int left = PlayThroughGame(moves);
    RemoveTree(dir);
    return left;
}
