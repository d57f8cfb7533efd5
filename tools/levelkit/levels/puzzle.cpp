#include "tools/levelkit/levels/puzzle.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const char BoardChars[] = "#@+$*.-_ ";

bool isBoardLine(const std::string &line)
{
    if (line.find('#') == std::string::npos) return false;
    for (char c : line)
        if (!std::strchr(BoardChars, c) || c == '\0') return false;
    return true;
}

std::string trim(const std::string &s)
{
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool startsWith(const std::string &s, const char *prefix) { return s.compare(0, std::strlen(prefix), prefix) == 0; }

// Builds a puzzle from its board lines; false with a message when the board is
// not a playable level.
bool buildPuzzle(const std::vector<std::string> &lines, Puzzle &p, std::string &why)
{
    p.height = int(lines.size());
    p.width = 0;
    for (const std::string &l : lines) p.width = std::max(p.width, int(l.size()));
    p.cells.assign(size_t(p.width) * p.height, Cell::Floor);
    p.sites.assign(p.cells.size(), false);
    p.crates.clear();
    p.keeper = -1;
    int keepers = 0;
    for (int r = 0; r < p.height; ++r)
        for (int c = 0; c < p.width; ++c) {
            char ch = c < int(lines[r].size()) ? lines[r][c] : ' ';
            int i = p.index(r, c);
            if (ch == '#') p.cells[i] = Cell::Wall;
            if (ch == '.' || ch == '+' || ch == '*') p.sites[i] = true;
            if (ch == '$' || ch == '*') p.crates.push_back(i);
            if (ch == '@' || ch == '+') {
                p.keeper = i;
                ++keepers;
            }
        }
    if (keepers != 1) {
        why = keepers == 0 ? "it has no keeper (@ or +)" : "it has more than one keeper";
        return false;
    }
    std::vector<bool> area = KeeperArea(p);
    for (int r = 0; r < p.height; ++r)
        for (int c = 0; c < p.width; ++c)
            if (area[p.index(r, c)] && (r == 0 || c == 0 || r == p.height - 1 || c == p.width - 1)) {
                why = "the keeper's area is not enclosed by walls";
                return false;
            }
    // Where the keeper can never go, only crates already on their sites may
    // stand (they stay covered); anything else there can never be solved.
    std::vector<bool> crate(p.cells.size(), false);
    for (int i : p.crates) crate[i] = true;
    for (size_t i = 0; i < p.cells.size(); ++i) {
        if (area[i] || crate[i] == p.sites[i]) continue;
        why = std::string(crate[i] ? "a crate off its site" : "a site without a crate") +
              " lies where the keeper can never go (text row " + std::to_string(i / p.width + 1) + ", column " +
              std::to_string(i % p.width + 1) + ")";
        return false;
    }
    for (size_t i = 0; i < p.cells.size(); ++i)
        if (p.cells[i] == Cell::Floor && !area[i]) p.cells[i] = Cell::Outside;
    std::sort(p.crates.begin(), p.crates.end());
    return true;
}

}  // namespace

const char NotProvenNote[] = "not proven fewest pushes";
const char MovesNotProvenNote[] = "moves not proven fewest";

std::string ProofNote(bool pushesProven, bool movesProven)
{
    if (!pushesProven) return std::string("; ") + NotProvenNote + "\n";
    return movesProven ? "" : std::string("; ") + MovesNotProvenNote + "\n";
}

int Puzzle::siteCount() const { return int(std::count(sites.begin(), sites.end(), true)); }

int Puzzle::cratesOnSites() const
{
    int on = 0;
    for (int i : crates) on += sites[i];
    return on;
}

std::vector<bool> FloodFrom(const Puzzle &p, const std::vector<int> &starts, const std::vector<bool> &open)
{
    std::vector<bool> seen(p.cells.size(), false);
    std::vector<int> stack;
    for (int i : starts)
        if (!seen[i]) seen[i] = true, stack.push_back(i);
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        int r = i / p.width, c = i % p.width;
        const int dr[] = {-1, 1, 0, 0}, dc[] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d) {
            int nr = r + dr[d], nc = c + dc[d];
            if (nr < 0 || nc < 0 || nr >= p.height || nc >= p.width) continue;
            int n = p.index(nr, nc);
            if (seen[n] || !open[n]) continue;
            seen[n] = true;
            stack.push_back(n);
        }
    }
    return seen;
}

std::vector<bool> KeeperArea(const Puzzle &p)
{
    if (p.keeper < 0) return std::vector<bool>(p.cells.size(), false);
    std::vector<bool> open(p.cells.size());
    for (size_t i = 0; i < open.size(); ++i) open[i] = p.cells[i] != Cell::Wall;
    return FloodFrom(p, {p.keeper}, open);
}

std::vector<bool> ShownCells(const Puzzle &p)
{
    std::vector<bool> shown = KeeperArea(p);
    for (int i : p.crates) shown[i] = true;
    return shown;
}

std::string CompleteAtLoadReason(const Puzzle &p)
{
    int sites = p.siteCount();
    if (sites == 0) return "it has no sites, so the game counts it solved as soon as it loads";
    bool keeper = p.keeper >= 0 && p.sites[p.keeper];
    if (p.cratesOnSites() + (keeper ? 1 : 0) < sites) return "";
    return keeper ? "it is complete as soon as it loads: the keeper starts on a site, which the game counts as "
                    "covered, and crates stand on all its other sites"
                  : "it is complete as soon as it loads: crates stand on all its sites";
}

std::vector<Puzzle> ParsePuzzles(const std::string &text, std::string &err, int *boardCount,
                                 std::vector<SkippedLevel> *skipped)
{
    std::vector<Puzzle> out;
    std::vector<std::string> board;
    std::string pendingTitle;
    bool lastOpen = false;  // the last level may still take a title or a solution
    int lineNo = 0, boardStart = 0, boards = 0;
    auto finish = [&]() {
        if (board.empty()) return;
        Puzzle p;
        std::string why;
        ++boards;
        if (buildPuzzle(board, p, why)) {
            p.title = pendingTitle;
            p.number = boards;
            out.push_back(p);
            lastOpen = true;
        } else {
            err += "level " + std::to_string(boards) + " at line " + std::to_string(boardStart) +
                   (pendingTitle.empty() ? "" : " (" + pendingTitle + ")") + " skipped: " + why + "\n";
            if (skipped) skipped->push_back({boards, pendingTitle, why});
            lastOpen = false;
        }
        pendingTitle.clear();
        board.clear();
    };
    const char ByteOrderMark[] = "\xEF\xBB\xBF";
    std::istringstream in(text.compare(0, 3, ByteOrderMark) == 0 ? text.substr(3) : text);
    std::string raw;
    while (std::getline(in, raw)) {
        ++lineNo;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        std::replace(raw.begin(), raw.end(), '\t', ' ');
        if (isBoardLine(raw)) {
            if (board.empty()) boardStart = lineNo;
            std::string l = raw;
            l.erase(l.find_last_not_of(' ') + 1);
            board.push_back(l);
            continue;
        }
        finish();
        std::string line = trim(raw);
        if (line.empty()) continue;
        if (line[0] == ';') {
            std::string rest = trim(line.substr(1));
            if (startsWith(rest, "solution:")) {
                if (lastOpen) out.back().solution = trim(rest.substr(9));
            } else if (startsWith(rest, "length:")) {
                if (lastOpen) std::sscanf(rest.c_str() + 7, " %ld moves, %ld pushes", &out.back().storedMoves,
                                          &out.back().storedPushes);
            } else if (rest == NotProvenNote || rest == MovesNotProvenNote) {
                // the solver's note on a solution that may be longer than need be
                if (lastOpen) (rest == NotProvenNote ? out.back().pushesProven : out.back().movesProven) = false;
            } else if (startsWith(rest, "keys:")) {
                // the game's keys for a solution, printed for players; the letters are what counts
            } else {
                pendingTitle = rest;
                lastOpen = false;
            }
        } else if (startsWith(line, "Title:")) {
            std::string t = trim(line.substr(6));
            if (lastOpen && out.back().title.empty()) out.back().title = t;
            else pendingTitle = t;
        }
    }
    finish();
    if (boardCount) *boardCount = boards;
    return out;
}

std::string FormatBoard(const Puzzle &p)
{
    std::string s;
    for (int r = 0; r < p.height; ++r) {
        std::string line;
        for (int c = 0; c < p.width; ++c) {
            int i = p.index(r, c);
            bool crate = std::binary_search(p.crates.begin(), p.crates.end(), i);
            char ch = ' ';
            if (p.cells[i] == Cell::Wall) ch = '#';
            else if (i == p.keeper) ch = p.sites[i] ? '+' : '@';
            else if (crate) ch = p.sites[i] ? '*' : '$';
            else if (p.sites[i]) ch = '.';
            line += ch;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        s += line + "\n";
    }
    return s;
}

std::string FormatPuzzle(const Puzzle &p)
{
    std::string s;
    if (!p.title.empty()) s += "; " + p.title + "\n";
    s += FormatBoard(p);
    if (!p.solution.empty()) {
        s += "; solution: " + p.solution + "\n";
        if (p.storedMoves >= 0)
            s += "; length: " + std::to_string(p.storedMoves) + " moves, " + std::to_string(p.storedPushes) +
                 " pushes\n";
    }
    return s;
}

bool LetterStep(char letter, int &drow, int &dcol)
{
    switch (letter | 0x20) {
    case 'l': drow = 0; dcol = -1; return true;
    case 'r': drow = 0; dcol = 1; return true;
    case 'u': drow = -1; dcol = 0; return true;
    case 'd': drow = 1; dcol = 0; return true;
    }
    return false;
}
