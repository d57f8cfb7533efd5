// The order in which to fill the sites, worked out backwards from the solved
// position: with a crate on every site, take the crates out one at a time,
// each pulled out of the site area, always one that can still get out past
// the others. Read backwards that is a filling order that never seals a site
// before its crate arrives: the far corners of a goal room come first and the
// sites by its door last.
#pragma once

#include "tools/levelkit/board/cell_graph.h"

#include <vector>

struct PackingPlan {
    std::vector<int> order;  // the site cells, first to fill first
    std::vector<int> rank;   // per cell: its place in order, or -1 off the sites
    // The sites filled in plan order: how many of order's first sites hold a crate.
    int packed(const std::vector<uint8_t> &occupied) const;
};

// keeper: where the keeper stands while the crates are taken out.
PackingPlan makePackingPlan(const CellGraph &b, int keeper);
