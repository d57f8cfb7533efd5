// The fewest moves among the solutions with the fewest pushes, proven: the
// exact push search hands over its positions (crates and the keeper's
// smallest cell) and marks those on a push-optimal line; this pass walks them
// one push layer at a time with the keeper's exact cell. Internal to solver/.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"
#include "tools/levelkit/solver/state_table.h"

#include <cstdint>
#include <string>
#include <vector>

// What the push search knows once it has proven the fewest pushes.
struct PushLines {
    const StateTable &positions;
    const std::vector<uint16_t> &pushes;  // of each position, the fewest from the start
    const std::vector<uint8_t> &onLine;   // 1: the position lies on a push-optimal line
    int best;                             // the fewest pushes of a solution
};

// The move letters of a solution with lines.best pushes and the fewest moves
// among those. False, with the budget's stop saying why, when the time or the
// memory runs out first: then nothing is proven.
bool fewestMoves(const CellGraph &b, const PushLines &lines, Budget &budget, std::string &moves);
