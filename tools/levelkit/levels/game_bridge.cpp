#include "tools/levelkit/levels/game_bridge.h"

#include "core/level.h"
#include "core/moves.h"
#include "core/state.h"
#include "tools/levelkit/levels/tool_platform.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

// letter  move rule  digit  key      screen step
const LetterMove LetterMoves[4] = {
    {'l', MoveUp,    '4', "Left",  -1,  0},
    {'r', MoveDown,  '6', "Right", +1,  0},
    {'u', MoveRight, '2', "Up",     0, +1},
    {'d', MoveLeft,  '8', "Down",   0, -1},
};

const LetterMove *letterMove(char letter)
{
    for (const LetterMove &m : LetterMoves)
        if (m.letter == std::tolower(static_cast<unsigned char>(letter))) return &m;
    return nullptr;
}

std::string keysFor(const std::string &moves)
{
    std::string keys;
    for (char c : moves)
        if (const LetterMove *m = letterMove(c)) keys += m->digit;
    return keys;
}

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int levelNumberOf(const std::string &name)
{
    int n = 0;
    char tail[8] = "";
    if (std::sscanf(name.c_str(), "Level%d%7s", &n, tail) == 2 && std::string(tail) == ".Map" && n >= 1 &&
        n <= LevelCount && name == "Level" + std::to_string(n) + ".Map")
        return n;
    return 0;
}

}  // namespace

bool loadMapFile(const std::string &path, std::string &why)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    int n = levelNumberOf(name);
    std::string scratch;
    if (n == 0) {
        // The loader only knows "Level<n>.Map": other names are read from a copy.
        char dir[] = "/tmp/levelkit-XXXXXX";
        if (!mkdtemp(dir)) {
            why = "no scratch folder for " + path;
            return false;
        }
        scratch = dir;
        std::ifstream probe(path);
        if (!probe) {
            why = "cannot open " + path;
            rmdir(dir);
            return false;
        }
        std::ofstream(scratch + "/Level1.Map", std::ios::binary) << readFile(path);
        folder = scratch;
        n = 1;
    }
    ResetGameState();
    pointToolAt(folder);
    bool ok = true;
    try {
        LoadLevel(n);
    } catch (...) {
        why = "the game refuses " + path + " (missing, or a count, cell or number out of range)";
        ok = false;
    }
    if (!scratch.empty()) {
        std::remove((scratch + "/Level1.Map").c_str());
        rmdir(scratch.c_str());
    }
    return ok;
}

bool puzzleFromGame(Puzzle &p, std::string &why)
{
    // Board rows are text columns; board column c is text row (height - 1 - c).
    int width = boardRows, height = boardCols;
    if (width <= 0 || height <= 0) {
        why = "the level has no cells";
        return false;
    }
    std::vector<std::string> lines(height, std::string(width, ' '));
    auto put = [&](int row, int col, char ch) {
        if (row >= 0 && row < width && col >= 0 && col < height) lines[height - 1 - col][row] = ch;
    };
    for (int r = 0; r < boardRows; ++r)
        for (int c = 0; c < boardCols; ++c) {
            int32_t kind = board[r * BoardCapacity + c].kind;
            if (kind == Site) put(r, c, '.');
            else if (kind != Floor) put(r, c, '#');
        }
    for (uint32_t i = 0; i + 1 < pieceCount; ++i) {
        const Piece &k = pieceTable[i];
        bool onSite = board[k.row * BoardCapacity + k.col].kind == Site;
        put(k.row, k.col, onSite ? '*' : '$');
    }
    bool keeperOnSite = board[playerRow * BoardCapacity + playerCol].kind == Site;
    put(playerRow, playerCol, keeperOnSite ? '+' : '@');
    std::string text;
    for (std::string &l : lines) text += l + "\n";
    std::vector<Puzzle> found = ParsePuzzles(text, why);
    if (found.size() != 1) {
        if (why.empty()) why = "the cells do not make one level";
        return false;
    }
    p = found[0];
    return true;
}

BoardGeometry geometryFromGame()
{
    BoardGeometry g;
    for (uint32_t i = 0; i < wallCount; ++i)
        g.walls.push_back({wallList[i].x / 65536.0f, wallList[i].z / 65536.0f, wallList[i].top / 65536.0f});
    // The inside: where the keeper can walk, crates set aside.
    std::vector<uint8_t> seen(size_t(BoardCapacity) * BoardCapacity, 0);
    std::vector<std::pair<int, int>> stack{{playerRow, playerCol}};
    const Piece &keeper = pieceTable[pieceCount - 1];
    float x0 = (keeper.x - keeper.col * BoardStep) / 65536.0f, z0 = (keeper.z - keeper.row * BoardStep) / 65536.0f;
    float crateTop = 0.0f;
    for (uint32_t i = 0; i + 1 < pieceCount; ++i) crateTop = std::max(crateTop, pieceTable[i].y / 65536.0f);
    g.crateTop = crateTop;
    while (!stack.empty()) {
        auto [r, c] = stack.back();
        stack.pop_back();
        if (r < 0 || c < 0 || r >= boardRows || c >= boardCols) continue;
        size_t i = size_t(r) * BoardCapacity + c;
        int32_t kind = board[i].kind;
        if (seen[i] || (kind != Floor && kind != Site)) continue;
        seen[i] = 1;
        g.insideCells.push_back({x0 + 2.0f * c, 0.0f, z0 + 2.0f * r});
        stack.push_back({r - 1, c});
        stack.push_back({r + 1, c});
        stack.push_back({r, c - 1});
        stack.push_back({r, c + 1});
    }
    // Crates sealed away on their sites are shown too.
    for (uint32_t i = 0; i + 1 < pieceCount; ++i) {
        const Piece &k = pieceTable[i];
        if (!seen[size_t(k.row) * BoardCapacity + k.col])
            g.insideCells.push_back({x0 + 2.0f * k.col, 0.0f, z0 + 2.0f * k.row});
    }
    return g;
}

int uncoveredCount()
{
    int on = 0;
    for (uint32_t i = 0; i < pieceCount; ++i) on += pieceTable[i].state == OnSite;
    return int(siteCount) - on;
}
