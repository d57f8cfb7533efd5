// Shared insides of the solver and the generator: the level's inside cells as
// a graph, the keeper's walking area and the dead cells.
#pragma once

#include "tools/levelkit/levels/puzzle.h"

#include <array>
#include <cstdint>
#include <vector>

// Text directions in letter order: l (column - 1), u (row - 1), r, d.
constexpr int DirectionCount = 4;
extern const char WalkLetters[DirectionCount + 1];  // "lurd"
extern const char PushLetters[DirectionCount + 1];  // "LURD"
inline int opposite(int d) { return (d + 2) & 3; }

typedef uint16_t CellId;
constexpr int NoCell = -1;

struct CellGraph {
    int cellCount = 0;
    int textWidth = 0, textCells = 0;
    std::vector<int> textIndex;               // cell -> puzzle text index
    std::vector<int> cellOfText;              // text index -> cell or NoCell
    std::vector<std::array<int, DirectionCount>> next;  // neighbour cell or NoCell
    std::vector<uint8_t> site, dead;          // dead: a crate there can never reach a site
    int keeper = NoCell;
    std::vector<CellId> crates;               // sorted
    bool everyCrateOnSite = true;             // deadlock pruning holds only then

    explicit CellGraph(const Puzzle &p);
};

// Walking area of the keeper among crates, with distances and the step that
// reached each cell; reused between calls so a search allocates nothing.
class Reach {
public:
    explicit Reach(int cells) : stamp_(cells, 0), dist_(cells, 0), via_(cells, 0), queue_(cells) {}
    // occupied[c] != 0 for cells holding a crate.
    void flood(const CellGraph &b, const std::vector<uint8_t> &occupied, int from);
    bool reached(int c) const { return stamp_[c] == gen_; }
    int distance(int c) const { return dist_[c]; }
    int stepInto(int c) const { return via_[c]; }  // direction of the last step onto c
    int smallest() const { return smallest_; }
    // Walk letters from the flood's start to c (c reached).
    std::string pathTo(const CellGraph &b, int c) const;

private:
    std::vector<uint32_t> stamp_;
    std::vector<int> dist_;
    std::vector<uint8_t> via_;
    std::vector<int> queue_;
    uint32_t gen_ = 0;
    int smallest_ = 0;
};

// The keeper's area as bits over the text grid, grown a step in all four
// directions at once until it stops growing: several times cheaper than a
// cell-by-cell flood for what a search asks of nearly every child, the
// smallest cell the keeper can reach.
class AreaBits {
public:
    explicit AreaBits(const CellGraph &b);
    // The floor free of crates; occupied[c] != 0 for cells holding a crate.
    void setFloor(const std::vector<uint8_t> &occupied);
    // A crate leaves or enters the cell.
    void flip(int cell) { floor_[bitOf(cell) >> 6] ^= uint64_t(1) << (bitOf(cell) & 63); }
    void flood(int from);
    bool reached(int cell) const { return (area_[bitOf(cell) >> 6] >> (bitOf(cell) & 63)) & 1; }
    int smallest() const;

private:
    int bitOf(int cell) const { return b_.textIndex[cell]; }
    const CellGraph &b_;
    int words_, rowWords_, rowBits_;
    std::vector<uint64_t> inside_, floor_, area_;
};
