#include "tools/levelkit/solver/pi_corrals.h"

PiCorrals::PiCorrals(const CellGraph &b) : b_(b), corral_(b.cellCount, -1), mark_(b.cellCount, 0) {}

bool PiCorrals::find(const std::vector<uint8_t> &occupied, const Reach &keeper, std::vector<uint8_t> &edge)
{
    if (!b_.everyCrateOnSite) return false;
    std::fill(corral_.begin(), corral_.end(), -1);
    cells_.clear();
    for (int c = 0; c < b_.cellCount; ++c) {
        if (occupied[c] || keeper.reached(c) || corral_[c] >= 0) continue;
        int id = int(cells_.size());
        cells_.emplace_back(1, c);
        corral_[c] = id;
        for (size_t i = 0; i < cells_[id].size(); ++i)
            for (int d = 0; d < DirectionCount; ++d) {
                int n = b_.next[cells_[id][i]][d];
                if (n == NoCell || occupied[n] || corral_[n] >= 0) continue;
                corral_[n] = id;
                cells_[id].push_back(n);
            }
    }
    best_.clear();
    bool found = false;
    for (int id = 0; id < int(cells_.size()); ++id)
        if (holds(occupied, keeper, id, crates_) && (!found || crates_.size() < best_.size())) {
            best_ = crates_;
            found = true;
        }
    for (int c : best_) edge[c] = 1;
    return found;
}

// Whether corral id is a PI-corral; crates gets its edge crates.
bool PiCorrals::holds(const std::vector<uint8_t> &occupied, const Reach &keeper, int id, std::vector<int> &crates)
{
    crates.clear();
    bool solved = true;
    for (int c : cells_[id]) {
        solved = solved && !b_.site[c];  // an empty site inside
        for (int d = 0; d < DirectionCount; ++d) {
            int n = b_.next[c][d];
            if (n == NoCell || !occupied[n] || mark_[n]) continue;
            mark_[n] = 1;
            crates.push_back(n);
            solved = solved && b_.site[n];
        }
    }
    for (int c : crates) mark_[c] = 0;
    if (solved) return false;
    for (int c : crates)
        for (int d = 0; d < DirectionCount; ++d) {
            int stand = b_.next[c][opposite(d)], to = b_.next[c][d];
            if (stand == NoCell || to == NoCell || occupied[to]) continue;
            bool inward = corral_[to] == id;
            if (inward && !keeper.reached(stand)) return false;   // a push into it the keeper cannot make yet
            if (!inward && keeper.reached(stand)) return false;   // a push that takes the crate elsewhere
        }
    return true;
}
