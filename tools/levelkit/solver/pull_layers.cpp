// The generator's pull search: crates start on their sites and are pulled
// away breadth-first, so every position of a finished layer is exactly as many
// pushes from solved as the layer's depth.
#include "tools/levelkit/solver/solver.h"

#include "tools/levelkit/solver/state_table.h"

#include <algorithm>

PullLayer deepestPulls(const CellGraph &b, const std::vector<CellId> &goals, int maxPulls, size_t stateBudget)
{
    int k = int(goals.size());
    std::vector<uint8_t> occupied(b.cellCount, 0);
    Reach reach(b.cellCount), childReach(b.cellCount);
    for (CellId g : goals) occupied[g] = 1;
    std::vector<CellId> s(goals);
    s.push_back(0);
    StateTable table(k);
    bool added;
    std::vector<uint8_t> regionSeen(b.cellCount, 0);
    for (int c = 0; c < b.cellCount; ++c) {
        if (occupied[c] || regionSeen[c]) continue;
        reach.flood(b, occupied, c);
        for (int x = 0; x < b.cellCount; ++x)
            if (reach.reached(x)) regionSeen[x] = 1;
        s[k] = CellId(reach.smallest());
        table.insert(s.data(), added);
    }
    for (CellId g : goals) occupied[g] = 0;
    size_t layerBegin = 0, layerEnd = table.size();
    int depth = 0;
    std::vector<CellId> child(k + 1);
    while (layerEnd > layerBegin) {
        bool last = (maxPulls > 0 && depth >= maxPulls) || table.size() > stateBudget;
        if (last) break;
        for (size_t i = layerBegin; i < layerEnd; ++i) {
            std::vector<CellId> here(table.at(uint32_t(i)), table.at(uint32_t(i)) + k + 1);
            for (int j = 0; j < k; ++j) occupied[here[j]] = 1;
            reach.flood(b, occupied, here[k]);
            for (int j = 0; j < k; ++j) {
                int c = here[j];
                for (int d = 0; d < DirectionCount; ++d) {
                    int stand = b.next[c][d];
                    if (stand == NoCell || !reach.reached(stand)) continue;
                    int back = b.next[stand][d];
                    if (back == NoCell || occupied[back]) continue;
                    occupied[c] = 0;
                    occupied[stand] = 1;
                    int n = 0;
                    for (int m = 0; m < k; ++m) child[n++] = m == j ? CellId(stand) : here[m];
                    std::sort(child.begin(), child.begin() + k);
                    childReach.flood(b, occupied, back);
                    child[k] = CellId(childReach.smallest());
                    table.insert(child.data(), added);
                    occupied[stand] = 0;
                    occupied[c] = 1;
                }
            }
            for (int j = 0; j < k; ++j) occupied[here[j]] = 0;
        }
        if (table.size() == layerEnd) break;
        layerBegin = layerEnd;
        layerEnd = table.size();
        ++depth;
    }
    PullLayer deepest;
    deepest.depth = depth;
    deepest.width = k + 1;
    for (size_t i = layerBegin; i < layerEnd; ++i)
        deepest.cells.insert(deepest.cells.end(), table.at(uint32_t(i)), table.at(uint32_t(i)) + k + 1);
    return deepest;
}

