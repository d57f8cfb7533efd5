// Positions from which the level can no longer be solved, found without a
// full search: crates frozen off their sites, and corrals whose crates can
// never be pushed so as to let the keeper in. Only sound while every crate
// must end on a site (CellGraph::everyCrateOnSite).
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// True when the crate just pushed to cell c can never move again while some
// frozen crate is off its site.
bool frozenDeadlock(const CellGraph &b, const std::vector<uint8_t> &occupied, int c);

// The corrals beside a pushed crate, tried with only the crates round them on
// the board: if no sequence of pushes of those crates alone ever lets the
// keeper into the corral or puts them all on sites, nothing the other crates
// do can help (they only stand in the way), so the position is lost. Each
// answer is kept in a table of patterns, so a corral is searched once.
class CorralTable {
public:
    CorralTable(const CellGraph &b, Budget *budget);
    ~CorralTable();
    CorralTable(const CorralTable &) = delete;
    CorralTable &operator=(const CorralTable &) = delete;

    // occupied: the crates after the push to c; keeper: the keeper's area then.
    bool deadlocked(const std::vector<uint8_t> &occupied, const AreaBits &keeper, int c);
    size_t patternsFound() const { return deadlockedPatterns_; }

private:
    struct Key {
        uint64_t a, b;
        bool operator==(const Key &o) const { return a == o.a && b == o.b; }
    };
    struct KeyHash {
        size_t operator()(const Key &k) const { return size_t(k.a); }
    };
    bool corralHolds(const std::vector<uint8_t> &occupied, int start);
    bool searchLost(const std::vector<CellId> &crates, int keeperCell);

    const CellGraph &b_;
    Budget *budget_;
    std::unordered_map<Key, bool, KeyHash> known_;
    size_t deadlockedPatterns_ = 0;
    std::vector<uint8_t> inCorral_, sub_;
    std::vector<int> corral_;
    Reach reach_, childReach_;
};
