// A level as the text notation draws it: the common crate-puzzle characters,
// one text line per row, read top to bottom. The board of the game is this
// picture turned a quarter (see boardSpotOf in map_writer.h).
#pragma once

#include <string>
#include <vector>

enum class Cell : char { Outside, Floor, Wall };

struct Puzzle {
    std::string title;
    int number = 0;                  // place in its collection, refused levels counted
    int width = 0, height = 0;       // text columns and rows
    std::vector<Cell> cells;         // row-major, width * height
    std::vector<bool> sites;         // same layout
    std::vector<int> crates;         // text cell indices (row * width + col), sorted; crates
                                     // on sites the keeper can never reach are kept as they
                                     // stand (Outside cells): they never move and stay covered
    int keeper = -1;                 // text cell index
    std::string solution;            // lurdLURD, empty when none is stored
    long storedMoves = -1, storedPushes = -1;
    bool pushesProven = true, movesProven = true;  // false when a note after the solution says so

    int index(int row, int col) const { return row * width + col; }
    bool isSite(int i) const { return sites[i]; }
    int siteCount() const;
    int cratesOnSites() const;
};

// A level of a collection that could not be read as one, and why.
struct SkippedLevel {
    int number;
    std::string title, why;
};

// Splits a text collection into levels. Levels are separated by lines that
// hold no board characters; a "; Title" or "Title: ..." line next to a level
// names it. "; solution: ..." and "; length: M moves, P pushes" lines after a
// level carry its stored solution, "; not proven fewest pushes" marks a
// solution that may be longer than need be. Errors go to err (one line each)
// and the bad level is skipped; it still counts in the numbering. Windows
// line ends and a leading byte-order mark, as Windows editors save, are read
// like plain text.
// boards, when given, receives how many levels the text holds, refused ones
// included; skipped, the levels left out and why.
std::vector<Puzzle> ParsePuzzles(const std::string &text, std::string &err, int *boards = nullptr,
                                 std::vector<SkippedLevel> *skipped = nullptr);

// Why the game would count the level solved as soon as it loads (no site
// left uncovered: crates on all of them, the keeper's starting site counted
// as covered, as the game counts it), or "" when it would not. Such a level
// has nothing to play: the game shows it complete on its first frame.
std::string CompleteAtLoadReason(const Puzzle &p);

// The board in the text notation, without title or solution lines.
std::string FormatBoard(const Puzzle &p);
// Title line, board, and the solution lines when one is stored.
std::string FormatPuzzle(const Puzzle &p);

// Marks every floor cell the keeper can walk to (crates ignored) and returns
// the mask; cells outside it are not part of the level's inside.
std::vector<bool> KeeperArea(const Puzzle &p);
// The cells reached from the starts by steps up, down, left and right onto
// open cells (the starts count as reached).
std::vector<bool> FloodFrom(const Puzzle &p, const std::vector<int> &starts, const std::vector<bool> &open);
// The keeper's area and the crates standing on sites outside it: what the
// level file holds and the camera shows.
std::vector<bool> ShownCells(const Puzzle &p);

// The notes the solver adds after a solution that is not proven shortest: in
// pushes, or (its pushes proven) in moves.
extern const char NotProvenNote[];
extern const char MovesNotProvenNote[];
// The note a solution needs, if any, as a line of the collection.
std::string ProofNote(bool pushesProven, bool movesProven);

// A move letter's text step: l r u d (and capitals) to row and column changes.
bool LetterStep(char letter, int &drow, int &dcol);
