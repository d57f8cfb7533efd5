#include "tools/levelkit/state_table.h"

#include <cstring>

uint64_t StateTable::hashOf(const CellId *s) const
{
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < width_; ++i) {
        h ^= s[i];
        h *= 1099511628211ull;
    }
    return h ^ (h >> 29);
}

uint32_t StateTable::find(const CellId *state) const
{
    size_t mask = slots_.size() - 1;
    for (size_t i = hashOf(state) & mask;; i = (i + 1) & mask) {
        uint32_t k = slots_[i];
        if (k == Missing) return Missing;
        if (std::memcmp(at(k), state, width_ * sizeof(CellId)) == 0) return k;
    }
}

uint32_t StateTable::insert(const CellId *state, bool &added)
{
    if ((count_ + 1) * 2 > slots_.size()) grow();
    size_t mask = slots_.size() - 1;
    for (size_t i = hashOf(state) & mask;; i = (i + 1) & mask) {
        uint32_t k = slots_[i];
        if (k == Missing) {
            data_.insert(data_.end(), state, state + width_);
            slots_[i] = uint32_t(count_);
            added = true;
            return uint32_t(count_++);
        }
        if (std::memcmp(at(k), state, width_ * sizeof(CellId)) == 0) {
            added = false;
            return k;
        }
    }
}

void StateTable::grow()
{
    std::vector<uint32_t> bigger(slots_.size() * 2, Missing);
    size_t mask = bigger.size() - 1;
    for (uint32_t k = 0; k < count_; ++k) {
        size_t i = hashOf(at(k)) & mask;
        while (bigger[i] != Missing) i = (i + 1) & mask;
        bigger[i] = k;
    }
    slots_.swap(bigger);
}
