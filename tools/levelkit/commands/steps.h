// The steps that import, solve, check and play share: writing a window of a
// collection into a folder, making a game folder of its own, checking a
// folder against stored solutions, and a solved level as a collection keeps
// it. Internal to commands/; main.cpp needs commands.h alone.
#pragma once

#include "tools/levelkit/levels/puzzle.h"
#include "tools/levelkit/solver/solver.h"

#include <string>
#include <utility>
#include <vector>

// --- import

struct ImportWindow {
    int first = 1;  // the collection's first level to write
    int at = 1;     // the file it goes to, LevelK.Map
    int count = 0;  // files to write; 0: as many as fit up to the game's last
};

struct ImportReport {
    std::vector<std::pair<std::string, Puzzle>> written;  // file name, level, in file order
    std::vector<SkippedLevel> refused;                    // levels no level file can be made of
    int leftOut = 0;     // the first level not written for want of numbers, 0 when none
    std::string error;   // why a file could not be written
};

std::string levelFileName(int n);
// "level 7 (Title)", or "level 7" when it has no title.
std::string levelName(int number, const std::string &title);
// "levels 7 to 9", or "level 7" when the range holds one.
std::string levelRange(int from, int to);

// Writes the window's levels as level files, a refused level's number taken
// by the next one; false with report.error when a file cannot be written.
bool importLevels(const std::vector<Puzzle> &levels, const std::string &dir, const ImportWindow &window,
                  ImportReport &report);

// Where the keeper starts on a site: what the player will see, or "".
std::string keeperSiteWarning(const Puzzle &p);

// --- game folders

// Puts the game into dir, making the folder when it is missing: the game's
// executable from the build and the shipped pictures, sounds and levels, each
// replacing a file of its name, and the default progress (level 1) unless
// config.ini is there already. False with the reason (the game is not built,
// a file cannot be written).
bool fillGameFolder(const std::string &dir, std::string &why);
// The build's own game folder: every build copies the shipped levels back into it.
bool isBuildGameFolder(const std::string &dir);
// The shipped data that every build copies from.
bool isShippedData(const std::string &dir);
// Whether the folder's LevelN.Map is the shipped one of that number.
bool isShippedLevel(const std::string &dir, int n);
// The level the folder's progress file starts the game at, 0 without one.
int progressLevel(const std::string &dir);

// --- check

// A collection's stored solutions, with the file they came from.
struct SolutionSet {
    std::string file;
    std::vector<Puzzle> levels;
    bool shipped = false;  // the shipped levels' own
};
bool readSolutionSet(const std::string &file, SolutionSet &set, std::string &err);
// The shipped levels' solutions, which check consults for any file that holds
// a shipped level (a copied or new game folder keeps them after a shorter
// collection); false when the toolkit cannot read them.
bool shippedSolutions(SolutionSet &set);

struct CheckedFile {
    std::string name;
    bool ok;
    std::string line;  // "ok: ..." or why it failed
};
// Every .Map file of dir in level order, checked; false when the folder cannot be read.
bool checkFolder(const std::string &dir, const std::vector<SolutionSet> &sets, std::vector<CheckedFile> &files);

// --- solve

// A result that is no solution, as solve prints it.
const char *verdictWord(SolveResult::Status status);
// What solve prints for a level the game counts solved as soon as it loads.
extern const char CompleteAtLoadWord[];
// The level as a collection keeps it: title, board, the stored solution with
// the game's keys and its length, and the note when it is not proven shortest.
std::string solvedText(const Puzzle &p);
