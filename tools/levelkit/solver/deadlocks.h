// Positions from which the level can no longer be solved, found without a
// full search: crates frozen off their sites, and corrals whose crates can
// never be pushed so as to let the keeper in. Only sound while every crate
// must end on a site (CellGraph::everyCrateOnSite).
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// True when the crate just pushed to cell c can never move again while some
// frozen crate is off its site.
bool frozenDeadlock(const CellGraph &b, const std::vector<uint8_t> &occupied, int c);

// A corral pattern: the crates round the corral, the keeper's area among them
// alone (its smallest cell) and the corral (its smallest cell), hashed.
struct PatternKey {
    uint64_t a, b;
    bool operator==(const PatternKey &o) const { return a == o.a && b == o.b; }
};
struct PatternKeyHash {
    size_t operator()(const PatternKey &k) const { return size_t(k.a); }
};

// Corral patterns proved lost, shared by searches that run side by side on
// one level: a pattern lost for one is lost for the other (the same board,
// the same rules), so each looks here before searching a corral of its own.
// Safe to use from several threads.
class LearntDeadlocks {
public:
    static constexpr size_t PatternBytes = 64;  // a key with the set's own overhead

    // Holds at most mostBytes of patterns; the rest are not shared.
    explicit LearntDeadlocks(size_t mostBytes) : most_(mostBytes / PatternBytes) {}

    struct Pattern {
        std::vector<CellId> crates;
        int keeper, corral;  // smallest cells of the keeper's area and of the corral
    };
    bool lost(const PatternKey &k) const;
    // Adds a pattern proved lost; kept whole only when keepPatterns was asked for.
    void add(const PatternKey &k, const Pattern &p);
    void keepPatterns() { keep_ = true; }
    std::vector<Pattern> patterns() const;
    size_t size() const;

private:
    mutable std::mutex lock_;
    std::unordered_set<PatternKey, PatternKeyHash> lost_;
    std::vector<Pattern> kept_;
    size_t most_;
    bool keep_ = false;
};

// The corrals beside a pushed crate, tried with only the crates round them on
// the board: if no sequence of pushes of those crates alone ever lets the
// keeper into the corral or puts them all on sites, nothing the other crates
// do can help (they only stand in the way), so the position is lost. Each
// answer is kept in a table of patterns, so a corral is searched once.
class CorralTable {
public:
    // shared, when given, is consulted and fed with the patterns found lost.
    CorralTable(const CellGraph &b, Budget *budget, LearntDeadlocks *shared = nullptr);
    ~CorralTable();
    CorralTable(const CorralTable &) = delete;
    CorralTable &operator=(const CorralTable &) = delete;

    // occupied: the crates after the push to c; keeper: the keeper's area then.
    bool deadlocked(const std::vector<uint8_t> &occupied, const AreaBits &keeper, int c);
    size_t patternsFound() const { return deadlockedPatterns_; }

private:
    bool corralHolds(const std::vector<uint8_t> &occupied, int start);
    bool searchLost(const std::vector<CellId> &crates, int keeperCell);

    const CellGraph &b_;
    Budget *budget_;
    LearntDeadlocks *shared_;
    std::unordered_map<PatternKey, bool, PatternKeyHash> known_;
    size_t deadlockedPatterns_ = 0;
    std::vector<uint8_t> inCorral_, sub_;
    std::vector<int> corral_;
    Reach reach_, childReach_;
};
