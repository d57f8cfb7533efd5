#include "tools/levelkit/solver/crate_paths.h"

CrateRoutes::CrateRoutes(const CellGraph &b)
    : b_(b), reach_(b.cellCount), walk_(b.cellCount), seenKeepers_(b.cellCount)
{
}

// True the first time the crate stands on cell with the keeper in that area.
bool CrateRoutes::seen(int cell, int keeper)
{
    std::vector<int> &areas = seenKeepers_[cell];
    if (std::find(areas.begin(), areas.end(), keeper) != areas.end()) return false;
    if (areas.empty()) touched_.push_back(cell);
    areas.push_back(keeper);
    return true;
}

void CrateRoutes::clearSeen()
{
    for (int c : touched_) seenKeepers_[c].clear();
    touched_.clear();
}

std::string CrateRoutes::letters(std::vector<uint8_t> &occupied, int &keeper, const std::vector<CrateStep> &steps)
{
    std::string moves;
    for (const CrateStep &s : steps) {
        walk_.flood(b_, occupied, keeper);
        moves += walk_.pathTo(b_, b_.next[s.from][opposite(s.dir)]);
        moves += PushLetters[s.dir];
        occupied[s.from] = 0;
        occupied[b_.next[s.from][s.dir]] = 1;
        keeper = s.from;
    }
    return moves;
}
