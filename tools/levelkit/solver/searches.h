// The solver's two searches, called by solvePuzzle in turn.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <cstddef>
#include <string>

struct SearchOutcome {
    Stop stop = Stop::None;  // why it ended early; None when it ran to its end
    bool found = false;      // a solution; when not found and not stopped, there is none
    std::string moves;
    long pushes = 0;
    bool movesOptimal = false;
    size_t stored = 0, expanded = 0, peakBytes = 0, deadlockPatterns = 0;
};

// A* over pushes with the assignment bound, then the fewest moves among the
// solutions with the fewest pushes. The push search stops after pushSeconds
// of CPU time, the whole search after allSeconds.
SearchOutcome exactSearch(const CellGraph &b, int needed, double pushSeconds, double allSeconds,
                          size_t memoryBytes);

// Best-first on the same bound with tunnel runs: a solution, not the shortest.
SearchOutcome fallbackSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes);
