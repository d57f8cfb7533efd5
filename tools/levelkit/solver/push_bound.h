// The lower bound of the exact and the fallback search: the fewest pushes
// still needed, as a minimum-cost assignment of crates to sites (Hungarian
// algorithm) over the pushes each crate would need alone on the board. A
// push changes one crate's distances by at most one, so the bound never
// falls by more than one a push and A* may close a position at its first visit.
#pragma once

#include "tools/levelkit/board/cell_graph.h"

#include <climits>
#include <cstdint>
#include <vector>

class PushBound {
public:
    static constexpr int Infinite = INT_MAX;
    static constexpr uint16_t Unreachable = 0xffff;

    // needed: how many crates must end on sites (all of them unless the
    // keeper covers a site of its own, or there are more crates than sites).
    PushBound(const CellGraph &b, int needed);
    // For the backward search: the pulls that bring the crates back to the
    // given cells (the level's start), every crate to one of them.
    PushBound(const CellGraph &b, const std::vector<CellId> &targets);

    // Pushes (or pulls) a lone crate needs from cell to the site with index s (Unreachable when none).
    uint16_t distance(int s, int cell) const { return dist_[size_t(s) * cells_ + cell]; }
    int siteCount() const { return sites_; }

    // The bound for the crates, Infinite when they cannot cover the sites;
    // the assignment is kept so that moved() costs a single augmentation.
    int solve(const CellId *crates);
    // The bound after the crate in the given row of the last solve() moves to
    // cell; the last solve stays as it was.
    int moved(int row, int cell);

private:
    void measure(const CellGraph &b, const std::vector<int> &targets, bool pulls, int needed);
    int cost(int row, int col) const;
    void augment(int row, std::vector<int> &u, std::vector<int> &v, std::vector<int> &p);
    int total(const std::vector<int> &p) const;

    int cells_, crates_, sites_, size_;
    std::vector<uint16_t> dist_;          // site-major: dist_[site * cells + cell]
    std::vector<int> rowCell_;            // the crate cell of each real row
    std::vector<int> u_, v_, p_;          // the last solve: potentials and column owners
    std::vector<int> su_, sv_, sp_, minv_, way_;
    std::vector<char> used_;
};
