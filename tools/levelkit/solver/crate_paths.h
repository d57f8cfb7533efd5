// One crate moved alone while the others stand still: how far it can be
// pushed (or pulled), and the pushes that take it there. The feature search
// builds its crate macros on it and writes their move letters with it; the
// packing plan pulls crates out of the site area with it.
#pragma once

#include "tools/levelkit/board/cell_graph.h"

#include <algorithm>
#include <string>
#include <vector>

// One push of the route: the crate leaves cell from in direction dir, the
// keeper standing on the cell behind it.
struct CrateStep {
    int from, dir;
};

class CrateRoutes {
public:
    explicit CrateRoutes(const CellGraph &b);

    // Breadth-first over the pushes (pulls: the crate follows the keeper) of
    // the crate on cell crate, the keeper on cell keeper, every crate marked in
    // occupied (the moving one included; occupied is the same again on
    // return). A push onto a dead cell is left out when avoidDead is set.
    // Ends at the first position, fewest pushes first, for which
    // arrived(crateCell, keeperArea) holds; false when none is reachable or
    // more than mostStates positions were tried. steps then holds the pushes.
    template <class F>
    bool route(std::vector<uint8_t> &occupied, int crate, int keeper, bool pulls, bool avoidDead, size_t mostStates,
               F arrived, std::vector<CrateStep> &steps);

    // The keeper's area in the last position route() looked at.
    const Reach &reach() const { return reach_; }

    // The move letters of a route from the keeper's cell; occupied and keeper
    // follow the pushes (the crate's mark moves with it).
    std::string letters(std::vector<uint8_t> &occupied, int &keeper, const std::vector<CrateStep> &steps);

private:
    struct Node {
        int cell, keeper, parent, dir;
    };
    bool seen(int cell, int keeper);
    void clearSeen();

    const CellGraph &b_;
    Reach reach_, walk_;
    std::vector<Node> nodes_;
    std::vector<std::vector<int>> seenKeepers_;  // per cell, the keeper areas met, by their smallest cells
    std::vector<int> touched_;
};

template <class F>
bool CrateRoutes::route(std::vector<uint8_t> &occupied, int crate, int keeper, bool pulls, bool avoidDead,
                        size_t mostStates, F arrived, std::vector<CrateStep> &steps)
{
    nodes_.clear();
    clearSeen();
    occupied[crate] = 0;
    nodes_.push_back(Node{crate, keeper, -1, -1});
    bool found = false;
    size_t at = 0;
    for (; at < nodes_.size() && !found; ++at) {
        Node n = nodes_[at];
        occupied[n.cell] = 1;
        reach_.flood(b_, occupied, n.keeper);
        if (!seen(n.cell, reach_.smallest()) && at > 0) {
            occupied[n.cell] = 0;
            continue;
        }
        if (arrived(n.cell, reach_)) {
            found = true;
            occupied[n.cell] = 0;
            break;
        }
        for (int d = 0; d < DirectionCount && nodes_.size() < mostStates; ++d) {
            int to = b_.next[n.cell][d];
            int stand = pulls ? to : b_.next[n.cell][opposite(d)];
            int after = pulls ? (to == NoCell ? NoCell : b_.next[to][d]) : n.cell;
            if (to == NoCell || stand == NoCell || after == NoCell || occupied[to] || !reach_.reached(stand)) continue;
            if (pulls && occupied[after]) continue;
            if (avoidDead && b_.dead[to]) continue;
            nodes_.push_back(Node{to, after, int(at), d});
        }
        occupied[n.cell] = 0;
    }
    occupied[crate] = 1;
    steps.clear();
    if (!found) return false;
    for (int i = int(at); nodes_[i].parent >= 0; i = nodes_[i].parent)
        steps.push_back(CrateStep{nodes_[nodes_[i].parent].cell, nodes_[i].dir});
    std::reverse(steps.begin(), steps.end());
    return true;
}
