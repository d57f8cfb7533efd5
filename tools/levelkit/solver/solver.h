// The solver. First the exact search: fewest pushes, then fewest moves among
// the solutions with that many pushes, proven. When it cannot finish within
// its share of the time (or memory runs out), the feature search and then the
// fallback look for any solution in the rest of the time; such a solution is
// valid but not proven shortest. With two threads the exact search and the
// others run side by side, each on its own CPU clock. Time is CPU time, so a
// busy machine does not cut a level short.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/levels/puzzle.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct SolveLimits {
    double seconds = 60.0;                  // CPU seconds for the whole level
    size_t memoryBytes = size_t(1) << 30;
    double exactShare = 0.5;                // of the seconds, for the exact push search
    int threads = 1;                        // 2: the exact and the feature search side by side
};

struct SolveResult {
    enum Status { Solved, NoSolution, Timeout, OutOfMemory } status = NoSolution;
    std::string moves;              // lurd walks, LURD pushes
    long moveCount = 0, pushCount = 0;
    bool pushesOptimal = false;     // proven fewest pushes
    bool movesOptimal = false;      // and, among those, proven fewest moves
    bool keeperSiteCounted = false; // solved with the keeper's starting site counted as covered
    size_t states = 0;              // positions stored, both searches together
    size_t expanded = 0;            // positions expanded
    size_t deadlockPatterns = 0;    // corrals found lost
    size_t peakBytes = 0;           // the larger search's peak
    double seconds = 0.0;           // CPU seconds
    std::string why;                // why the exact search did not prove it, or why nothing was found
};

SolveResult solvePuzzle(const Puzzle &p, const SolveLimits &limits);

// The corral patterns a solve proved lost, for checking them: each is the
// level with only the pattern's crates, the keeper in the area it had among
// them, and a cell of the corral (text index) that no pushes of those crates
// alone ever let the keeper reach while they are not all on sites.
struct LostPattern {
    Puzzle position;
    int corral;
};
std::vector<LostPattern> learntDeadlocks(const Puzzle &p, const SolveLimits &limits);

// The order in which the feature search fills the sites (text indices), first
// first: worked out backwards from the solved position (packing_plan.h).
std::vector<int> packingOrder(const Puzzle &p);

// How many crates must stand on sites: the game counts the keeper as covering
// the site it starts on for the whole level, and crates already on sites the
// keeper can never reach stay there.
int cratesNeeded(const Puzzle &p);

// One line of figures for a result: lengths, proof, positions, time, memory.
std::string solveFigures(const SolveResult &r);

// What the generator asks of the solver's measures.

// The fewest pushes a set of crates needs at least: each crate's own pushes to
// a site, the sites shared out between the crates at the least cost.
class CrateBound {
public:
    // needed: how many crates must end on sites.
    CrateBound(const CellGraph &b, int needed);
    ~CrateBound();
    // Pushes for the crates on the cells (one per crate of the level), or
    // INT_MAX when they cannot cover the sites.
    int pushes(const CellId *crates);

private:
    std::unique_ptr<class PushBound> bound_;
};

// The positions furthest from solved by pulls: the crates start on the goal
// cells, the keeper anywhere, and are pulled breadth-first until a layer
// brings nothing new, maxPulls layers are done (0: no such limit) or more than
// stateBudget positions are stored. Each position of the deepest finished
// layer is exactly depth pushes from solved.
struct PullLayer {
    int depth = 0;
    int width = 0;              // cells a position: the crates, sorted, then the keeper's smallest cell
    std::vector<CellId> cells;  // the positions, one after another
    size_t count() const { return width ? cells.size() / width : 0; }
    const CellId *at(size_t i) const { return &cells[i * width]; }
};
PullLayer deepestPulls(const CellGraph &b, const std::vector<CellId> &goals, int maxPulls, size_t stateBudget);
