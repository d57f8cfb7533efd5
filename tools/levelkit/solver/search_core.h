// What the exact and the fallback search share: the pushes from a position,
// with deadlocked ones left out and the bound of each child worked out, and
// the move letters of a found line of positions.
#pragma once

#include "tools/levelkit/solver/deadlocks.h"
#include "tools/levelkit/solver/push_bound.h"
#include "tools/levelkit/board/cell_graph.h"

#include <string>
#include <vector>

// A push, or in the backward search a pull (the crate follows the keeper in dir).
struct Push {
    int crate;   // row of the crate in the parent position
    int from;    // crate cell before the push
    int to;      // crate cell after it (further along dir after a tunnel)
    int dir;
    int stand;   // where the keeper stands for the first push
    int count;   // pushes made: more than one only through a tunnel
};

class Expander {
public:
    struct Options {
        bool prune = true;     // leave out deadlocked children and work out bounds
        bool tunnels = false;  // push on through one-wide tunnels (not for the exact search)
        bool pulls = false;    // pull instead: the backward search from solved positions
    };
    // bound and corrals may be null; the expander uses them only when pruning.
    Expander(const CellGraph &b, PushBound *bound, CorralTable *corrals, Options options);

    // Calls f(child, push, bound) for every push from position s (crates,
    // then the keeper's cell); child's last cell is the keeper's smallest
    // cell. bound is 0 when not pruning.
    template <class F> void forEachPush(const CellId *s, F f)
    {
        begin(s);
        for (int i = 0; i < k_; ++i)
            for (int d = 0; d < DirectionCount; ++d) {
                int bound = 0;
                if (options_.pulls ? tryPull(s, i, d, bound) : tryPush(s, i, d, bound)) f(child_.data(), push_, bound);
                undo();
            }
        end(s);
    }
    // The keeper's area in the parent of the last forEachPush.
    const Reach &reach() const { return parentReach_; }

private:
    void begin(const CellId *s);
    bool tryPush(const CellId *s, int crate, int dir, int &bound);
    bool tryPull(const CellId *s, int crate, int dir, int &bound);
    void buildChild(const CellId *s, int crate, int to, int keeper);
    int quickKeeper(int from, int to, int dir) const;
    void undo();
    void end(const CellId *s);

    const CellGraph &b_;
    int k_;
    PushBound *bound_;
    CorralTable *corrals_;
    Options options_;
    std::vector<uint8_t> occupied_;
    Reach parentReach_;
    AreaBits childArea_;
    std::vector<CellId> child_;
    Push push_{};
    bool moved_ = false;
};

// The crate cells of the start and the keeper's smallest reachable cell.
std::vector<CellId> startPosition(const CellGraph &b);
// Every solved position: crates on all sites, the keeper in each area they leave.
std::vector<std::vector<CellId>> solvedPositions(const CellGraph &b);

// The move letters that take the keeper from its start through a line of
// positions, each one push (or one tunnel run) from the one before, walking
// the shortest way to every push.
std::string lineLetters(const CellGraph &b, const std::vector<std::vector<CellId>> &line);
