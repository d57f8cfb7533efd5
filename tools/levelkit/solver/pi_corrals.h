// PI-corrals: a corral is floor the keeper cannot reach. When every crate on
// its edge can only be pushed into it (no push the keeper can make takes one
// of them anywhere else) and the keeper can make every push of them into it,
// and the corral is not already solved, then the corral has to be opened by
// one of those pushes sooner or later, and nothing done elsewhere first can
// help it: only the edge crates' pushes need trying from that position.
// Only sound while every crate must end on a site.
#pragma once

#include "tools/levelkit/board/cell_graph.h"

#include <vector>

class PiCorrals {
public:
    explicit PiCorrals(const CellGraph &b);

    // occupied: the crates; keeper: the keeper's area among them. True when
    // some corral is a PI-corral; edge then marks the crates of the one with
    // the fewest, and only they need pushing.
    bool find(const std::vector<uint8_t> &occupied, const Reach &keeper, std::vector<uint8_t> &edge);

private:
    bool holds(const std::vector<uint8_t> &occupied, const Reach &keeper, int id, std::vector<int> &crates);

    const CellGraph &b_;
    std::vector<int> corral_;            // per cell: its corral's number, or -1
    std::vector<std::vector<int>> cells_;  // the cells of each corral
    std::vector<int> best_, crates_;
    std::vector<uint8_t> mark_;
};
