#include "tools/levelkit/solver/packing_plan.h"

#include "tools/levelkit/solver/crate_paths.h"

#include <algorithm>

namespace {

constexpr size_t MostPullStates = 20000;  // a crate that needs more to get out counts as stuck

}  // namespace

int PackingPlan::packed(const std::vector<uint8_t> &occupied) const
{
    int n = 0;
    while (n < int(order.size()) && occupied[order[n]]) ++n;
    return n;
}

PackingPlan makePackingPlan(const CellGraph &b, int keeper)
{
    PackingPlan plan;
    plan.rank.assign(b.cellCount, -1);
    std::vector<uint8_t> occupied(b.cellCount, 0);
    std::vector<int> left;
    for (int c = 0; c < b.cellCount; ++c)
        if (b.site[c]) occupied[c] = 1, left.push_back(c);
    CrateRoutes routes(b);
    std::vector<CrateStep> steps;
    std::vector<int> removed;
    // A keeper standing on a site keeps to the floor beside it.
    int walker = keeper;
    for (int d = 0; d < DirectionCount && occupied[walker]; ++d)
        if (b.next[keeper][d] != NoCell && !occupied[b.next[keeper][d]]) walker = b.next[keeper][d];
    while (!left.empty()) {
        // The crate that gets out in the fewest pulls leaves first, so it is filled last.
        int best = -1;
        size_t bestPulls = 0;
        for (size_t i = 0; i < left.size() && !occupied[walker]; ++i) {
            bool out = routes.route(occupied, left[i], walker, true, false, MostPullStates,
                                    [&](int cell, const Reach &) { return !b.site[cell]; }, steps);
            if (out && (best < 0 || steps.size() < bestPulls)) best = int(i), bestPulls = steps.size();
        }
        if (best < 0) break;  // the rest cannot get out: they keep their places below
        occupied[left[best]] = 0;
        removed.push_back(left[best]);
        left.erase(left.begin() + best);
    }
    // Crates that could not be taken out stand where nothing passes: fill them first.
    plan.order = left;
    plan.order.insert(plan.order.end(), removed.rbegin(), removed.rend());
    for (size_t i = 0; i < plan.order.size(); ++i) plan.rank[plan.order[i]] = int(i);
    return plan;
}
