#include "tools/levelkit/solver/state_table.h"


namespace {

constexpr size_t FirstSlots = 1024;

// The Zobrist key of a cell, worked out rather than looked up: crates and the
// keeper get different keys, and the keys of a position are XORed, so the
// crates' order does not matter.
uint64_t key(uint64_t x)
{
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

bool same(const CellId *a, const CellId *b, int n)
{
    for (int i = 0; i < n; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

StateTable::StateTable(int crates, Budget *budget) : width_(crates + 1), budget_(budget)
{
    if (!budget_ || budget_->claim(0, FirstSlots * sizeof(uint32_t))) slots_.assign(FirstSlots, Missing);
}

StateTable::~StateTable()
{
    if (budget_) budget_->release(bytes());
}

uint64_t StateTable::hashOf(const CellId *s) const
{
    uint64_t h = key(uint64_t(s[width_ - 1]) | 0x10000u);
    for (int i = 0; i + 1 < width_; ++i) h ^= key(s[i]);
    return h;
}

uint32_t StateTable::find(const CellId *state) const
{
    if (slots_.empty()) return Missing;
    size_t mask = slots_.size() - 1;
    for (size_t i = hashOf(state) & mask;; i = (i + 1) & mask) {
        uint32_t k = slots_[i];
        if (k == Missing) return Missing;
        if (same(at(k), state, width_)) return k;
    }
}

uint32_t StateTable::insert(const CellId *state, bool &added)
{
    added = false;
    if ((count_ + 1) * 2 > slots_.size() && !grow()) return Missing;
    size_t mask = slots_.size() - 1;
    for (size_t i = hashOf(state) & mask;; i = (i + 1) & mask) {
        uint32_t k = slots_[i];
        if (k == Missing) {
            if (count_ >= Missing - 1) return Missing;
            size_t end = data_.size() + width_;
            if (end > data_.capacity()) {
                size_t cap = data_.capacity() < 4096 ? 4096 : data_.capacity() * 2;
                if (budget_ && !budget_->claim(data_.capacity() * sizeof(CellId), cap * sizeof(CellId)))
                    return Missing;
                data_.reserve(cap);
            }
            data_.insert(data_.end(), state, state + width_);
            slots_[i] = uint32_t(count_);
            added = true;
            return uint32_t(count_++);
        }
        if (same(at(k), state, width_)) return k;
    }
}

bool StateTable::grow()
{
    size_t more = slots_.empty() ? FirstSlots : slots_.size() * 2;
    if (budget_ && !budget_->claim(slots_.capacity() * sizeof(uint32_t), more * sizeof(uint32_t))) return false;
    std::vector<uint32_t> bigger(more, Missing);
    size_t mask = bigger.size() - 1;
    for (uint32_t k = 0; k < count_; ++k) {
        size_t i = hashOf(at(k)) & mask;
        while (bigger[i] != Missing) i = (i + 1) & mask;
        bigger[i] = k;
    }
    slots_.swap(bigger);
    return true;
}
