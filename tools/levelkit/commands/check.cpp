// levelkit check: proves every level file of a folder with the game's own
// loader, move rules and solved test, and the view with the game's own maths.
#include "tools/levelkit/commands/commands.h"

#include "tools/levelkit/commands/steps.h"

#include "core/state.h"
#include "tools/levelkit/levels/camera_fit.h"
#include "tools/levelkit/levels/game_bridge.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/progress.h"
#include "tools/levelkit/levels/puzzle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <set>

namespace {

struct Failure {
    std::string why;
};

void require(bool ok, const std::string &why)
{
    if (!ok) throw Failure{why};
}

void load(const std::string &path)
{
    std::string why;
    require(loadMapFile(path, why), why);
}

CameraSetup gameCamera()
{
    CameraSetup c = cameraSetup;
    c.upX = 0.0f;
    c.upY = 1.0f;
    c.upZ = 0.0f;  // the game's start-up up vector; levels do not set it
    return c;
}

const Piece &keeper() { return pieceTable[pieceCount - 1]; }

// Capacities, and every record at the world position its row and column give.
void checkRecords()
{
    require(pieceCount >= 1 && pieceCount <= uint32_t(PieceCapacity), "piece count out of range");
    require(wallCount <= uint32_t(ListCapacity) && siteCount <= uint32_t(ListCapacity), "list over capacity");
    require(boardRows > 0 && boardCols > 0 && boardRows <= BoardCapacity && boardCols <= BoardCapacity,
            "board size out of range");
    GLfixed x0 = keeper().x - keeper().col * BoardStep, z0 = keeper().z - keeper().row * BoardStep;
    std::set<std::pair<int, int>> cells;
    for (uint32_t i = 0; i < pieceCount; ++i) {
        const Piece &p = pieceTable[i];
        require(p.x == x0 + p.col * BoardStep && p.z == z0 + p.row * BoardStep,
                "piece " + std::to_string(i) + " is not at the world position of its row and column");
        require(p.row >= 0 && p.col >= 0 && p.row < boardRows && p.col < boardCols, "a piece lies off the board");
        require(cells.insert({p.row, p.col}).second, "two pieces share a cell");
    }
    auto cellAt = [&](GLfixed x, GLfixed z, int &row, int &col) {
        if ((x - x0) % BoardStep || (z - z0) % BoardStep) return false;
        col = (x - x0) / BoardStep;
        row = (z - z0) / BoardStep;
        return row >= 0 && col >= 0 && row < boardRows && col < boardCols;
    };
    std::set<std::pair<int, int>> walls, sites;
    for (uint32_t i = 0; i < wallCount; ++i) {
        int row, col;
        require(cellAt(wallList[i].x, wallList[i].z, row, col), "a wall record lies off the grid");
        int32_t kind = board[row * BoardCapacity + col].kind;
        require(kind != Floor && kind != Site, "a wall record's cell is not a wall");
        require(walls.insert({row, col}).second, "two wall records for one cell");
    }
    for (uint32_t i = 0; i < siteCount; ++i) {
        int row, col;
        require(cellAt(siteList[i].x, siteList[i].z, row, col), "a site record lies off the grid");
        require(board[row * BoardCapacity + col].kind == Site, "a site record's cell is not a site");
        require(sites.insert({row, col}).second, "two site records for one cell");
    }
}

// The keeper's area may never reach the edge: the move rules look one and two
// cells ahead without testing the grid.
void checkEnclosed()
{
    std::vector<uint8_t> seen(size_t(BoardCapacity) * BoardCapacity, 0);
    std::vector<std::pair<int, int>> stack{{playerRow, playerCol}};
    while (!stack.empty()) {
        auto [r, c] = stack.back();
        stack.pop_back();
        size_t i = size_t(r) * BoardCapacity + c;
        if (seen[i] || (board[i].kind != Floor && board[i].kind != Site)) continue;
        require(r > 0 && c > 0 && r < boardRows - 1 && c < boardCols - 1, "the keeper can reach the level's edge");
        seen[i] = 1;
        stack.insert(stack.end(), {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}});
    }
    // Beyond the keeper's reach only crates already on their sites may stand, and no empty site.
    for (uint32_t i = 0; i + 1 < pieceCount; ++i) {
        size_t at = size_t(pieceTable[i].row) * BoardCapacity + pieceTable[i].col;
        require(seen[at] || board[at].kind == Site, "a crate off its site lies where the keeper can never go");
    }
    for (int r = 0; r < boardRows; ++r)
        for (int c = 0; c < boardCols; ++c) {
            size_t at = size_t(r) * BoardCapacity + c;
            require(seen[at] || board[at].kind != Site || board[at].occupant != NoOccupant,
                    "a site without a crate lies where the keeper can never go");
        }
}

// The keeper's step, seen on the screen, goes where the key says.
void checkScreenStep(const LetterMove &m, GLfixed x1, GLfixed z1, GLfixed x2, GLfixed z2)
{
    const WorldPoint from = {x1 / 65536.0f, -1.0f, z1 / 65536.0f}, to = {x2 / 65536.0f, -1.0f, z2 / 65536.0f};
    require(stepRunsOnScreen(gameCamera(), m.screenX, m.screenY, from, to),
            std::string("the ") + m.key + " key does not move the keeper " + m.key + " on the screen");
}

int checkDirectionsAtStart(const std::string &path)
{
    int seen = 0;
    for (const LetterMove &m : LetterMoves) {
        load(path);
        GLfixed x = keeper().x, z = keeper().z;
        int row = playerRow, col = playerCol;
        m.move();
        if (playerRow == row && playerCol == col) continue;
        checkScreenStep(m, x, z, keeper().x, keeper().z);
        ++seen;
    }
    return seen;
}

void replay(const std::string &path, const Puzzle &stored)
{
    load(path);
    require(uncoveredCount() != 0, "the level is solved before the first move");
    long pushes = 0;
    for (size_t i = 0; i < stored.solution.size(); ++i) {
        char letter = stored.solution[i];
        const LetterMove *m = letterMove(letter);
        std::string at = " at move " + std::to_string(i + 1);
        require(m != nullptr, std::string("unknown move letter '") + letter + "'" + at);
        std::vector<std::pair<int, int>> before;
        for (uint32_t k = 0; k + 1 < pieceCount; ++k) before.push_back({pieceTable[k].row, pieceTable[k].col});
        GLfixed x = keeper().x, z = keeper().z;
        int row = playerRow, col = playerCol;
        m->move();
        require(playerRow != row || playerCol != col, "the keeper is blocked" + at);
        checkScreenStep(*m, x, z, keeper().x, keeper().z);
        int moved = 0;
        for (uint32_t k = 0; k + 1 < pieceCount; ++k)
            moved += before[k] != std::make_pair(pieceTable[k].row, pieceTable[k].col);
        bool push = std::isupper(static_cast<unsigned char>(letter));
        require(moved == (push ? 1 : 0), std::string(push ? "no crate moves" : "a crate moves") + at);
        pushes += push;
        if (i + 1 < stored.solution.size()) require(uncoveredCount() != 0, "the level is solved early" + at);
    }
    require(uncoveredCount() == 0, "the stored solution leaves " + std::to_string(uncoveredCount()) +
                                       " sites uncovered");
    if (stored.storedMoves >= 0)
        require(stored.storedMoves == long(stored.solution.size()) && stored.storedPushes == pushes,
                "the stored length does not match the solution");
}

// The stored levels, found by the level file each one imports to: a level
// of the same number first, then any (a window or skipped levels shift the
// numbers), and one with a solution before one without. A level's tidied
// board decides its whole level file (the camera is placed from it), so the
// boards are compared: no camera is searched for a stored level.
class StoredLevels {
public:
    struct Found {
        const Puzzle *level = nullptr;
        const SolutionSet *set = nullptr;
    };
    explicit StoredLevels(const std::vector<SolutionSet> &sets) : sets_(sets), boards_(sets.size())
    {
        for (size_t s = 0; s < sets.size(); ++s) boards_[s].resize(sets[s].levels.size());
    }
    // The file's level, as it reads back from the file.
    Found importingTo(int n, const Puzzle &file)
    {
        const std::string board = FormatBoard(tidyPuzzle(file));
        Found found;
        for (int pass = 0; pass < 2 && !solved(found); ++pass)
            for (size_t s = 0; s < sets_.size() && !solved(found); ++s)
                for (size_t i = 0; i < sets_[s].levels.size() && !solved(found); ++i)
                    if ((pass == 1 || i + 1 == size_t(n)) && boardOf(s, i) == board && !solved(found))
                        found = {&sets_[s].levels[i], &sets_[s]};
        return found;
    }
    // The files given, for messages: "MY-SOLVED.txt or the shipped levels".
    std::string given() const
    {
        std::string names;
        for (size_t s = 0; s < sets_.size(); ++s)
            names += (s == 0 ? "" : s + 1 == sets_.size() ? " or " : ", ") +
                     (sets_[s].shipped ? std::string("the shipped levels") : sets_[s].file);
        return names;
    }
    bool onlyShipped() const { return sets_.empty() || (sets_.size() == 1 && sets_[0].shipped); }

private:
    static bool solved(const Found &f) { return f.level && !f.level->solution.empty(); }
    const std::string &boardOf(size_t s, size_t i)
    {
        std::string &board = boards_[s][i];
        if (board.empty()) board = FormatBoard(tidyPuzzle(sets_[s].levels[i]));
        return board;
    }
    const std::vector<SolutionSet> &sets_;
    std::vector<std::vector<std::string>> boards_;
};

// The stored level the file holds, or why there is none and what to do.
StoredLevels::Found findStored(StoredLevels &stored, int n, const Puzzle &file)
{
    StoredLevels::Found f = stored.importingTo(n, file);
    if (!f.level && stored.onlyShipped())
        throw Failure{"no stored solution: the file holds none of the shipped levels; give check the solutions of "
                      "its collection, --solutions FILE (levelkit solve COLLECTION --write-solutions FILE writes "
                      "them)"};
    if (!f.level)
        throw Failure{"no level of " + stored.given() + " imports to this file, so it holds a level from "
                      "elsewhere: give check the solutions of that collection too (--solutions FILE), or import "
                      "your collection into this folder again"};
    if (f.level->solution.empty())
        throw Failure{levelName(f.level->number, f.level->title) + " of " + f.set->file +
                      " has no solution: solve found none within its limits; solve the collection again with a "
                      "longer --time-limit, then check again"};
    return f;
}

std::string checkLevel(const std::string &dir, const std::string &name, int n, StoredLevels &stored)
{
    std::string path = dir + "/" + name, text;
    require(readWholeFile(path, text), "cannot read the file");
    load(path);
    checkRecords();
    checkEnclosed();
    std::string misfit = cameraMisfit(gameCamera(), geometryPoints(geometryFromGame()));
    require(misfit.empty(), "camera: " + misfit);
    Puzzle back;
    std::string why, again;
    require(puzzleFromGame(back, why), why);
    require(writeMapText(back, again, why), why);
    require(again == text, "the file does not read back to the same text (export and import differ)");
    int directions = checkDirectionsAtStart(path);
    const StoredLevels::Found found = findStored(stored, n, back);
    const Puzzle &level = *found.level;
    replay(path, level);
    char buf[200];
    std::snprintf(buf, sizeof buf, "ok: %dx%d cells, %u crates, %zu moves, %ld pushes, %d directions at start",
                  back.width, back.height, pieceCount - 1, level.solution.size(), level.storedPushes, directions);
    std::string ok = buf;
    if (found.set->shipped) ok += "; the shipped " + levelName(level.number, level.title);
    else if (level.number != n) ok += "; " + levelName(level.number, level.title) + " of " + found.set->file;
    return ok;
}

int levelNumber(const std::string &name)
{
    int n = 0;
    return std::sscanf(name.c_str(), "Level%d.Map", &n) == 1 ? n : 0;
}

}  // namespace

bool readSolutionSet(const std::string &file, SolutionSet &set, std::string &err)
{
    std::string text;
    if (!readWholeFile(file, text)) {
        err = "cannot read " + file + "\n";
        return false;
    }
    set.file = file;
    err.clear();
    set.levels = ParsePuzzles(text, err);
    if (!err.empty()) err = file + ": " + err;
    return err.empty();
}

bool shippedSolutions(SolutionSet &set)
{
    std::string err;
    set.shipped = true;
    return readSolutionSet(LEVELKIT_SHIPPED_LEVELS, set, err);
}

bool checkFolder(const std::string &dir, const std::vector<SolutionSet> &sets, std::vector<CheckedFile> &files)
{
    std::vector<std::string> names;
    DIR *d = opendir(dir.c_str());
    if (!d) return false;
    while (dirent *e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".Map") == 0) names.push_back(n);
    }
    closedir(d);
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return levelNumber(a) != levelNumber(b) ? levelNumber(a) < levelNumber(b) : a < b;
    });
    size_t passed = 0;
    StoredLevels stored(sets);
    Progress progress("check");
    for (size_t i = 0; i < names.size(); ++i) {
        progress.show(i + 1, names.size(), passed, "ok");
        CheckedFile file{names[i], true, ""};
        try {
            file.line = checkLevel(dir, names[i], levelNumber(names[i]), stored);
            ++passed;
        } catch (const Failure &f) {
            file.ok = false;
            file.line = "FAILED: " + f.why;
        }
        progress.clear();
        files.push_back(file);
    }
    return true;
}

int runCheck(const Arguments &args)
{
    std::string dir;
    std::vector<SolutionSet> sets;  // several: looked through in turn
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--solutions" && i + 1 < args.size()) {
            SolutionSet set;
            std::string err;
            if (!readSolutionSet(args[++i], set, err)) {
                std::fputs(err.c_str(), stderr);
                return 1;
            }
            sets.push_back(set);
        } else if (dir.empty() && args[i].compare(0, 2, "--") != 0) {
            dir = args[i];
        } else {
            dir.clear();
            break;
        }
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: levelkit check DIR [--solutions FILE]...\n");
        return 2;
    }
    // Last, so that a collection given holds its own levels even where they
    // are shipped ones too.
    SolutionSet shipped;
    if (shippedSolutions(shipped)) sets.push_back(shipped);
    std::vector<CheckedFile> files;
    if (!checkFolder(dir, sets, files)) {
        std::fprintf(stderr, "cannot read the folder %s\n", dir.c_str());
        return 1;
    }
    int failed = 0;
    for (const CheckedFile &f : files) {
        std::printf("%s: %s\n", f.name.c_str(), f.line.c_str());
        failed += !f.ok;
    }
    std::printf("%zu levels checked, %d failed\n", files.size(), failed);
    return failed || files.empty() ? 1 : 0;
}
