// The solver's searches, called by solvePuzzle in turn or side by side.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/deadlocks.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <atomic>
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
// of CPU time, the whole search after allSeconds. Each search below consults
// learnt, when given, for corral patterns proved lost, and adds its own.
SearchOutcome exactSearch(const CellGraph &b, int needed, double pushSeconds, double allSeconds,
                          size_t memoryBytes, LearntDeadlocks *learnt = nullptr);

// Best-first on the same bound with tunnel runs: a solution, not the shortest.
SearchOutcome fallbackSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes,
                             LearntDeadlocks *learnt = nullptr, const std::atomic<bool> *stop = nullptr);

// The feature search (feature_search.cpp): a solution, not the shortest, for
// levels too large for the exact one. It ends early once *stop is set.
SearchOutcome featureSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes,
                            LearntDeadlocks *learnt = nullptr, const std::atomic<bool> *stop = nullptr);
