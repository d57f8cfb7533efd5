// A growing set of solver positions: K crate cells and one keeper cell each,
// stored flat, found again through an open-addressing hash table.
#pragma once

#include "tools/levelkit/solver_board.h"

#include <cstdint>
#include <vector>

class StateTable {
public:
    static constexpr uint32_t Missing = 0xffffffffu;

    explicit StateTable(int crates) : width_(crates + 1), slots_(1024, Missing) {}
    int width() const { return width_; }
    size_t size() const { return count_; }
    const CellId *at(uint32_t i) const { return &data_[size_t(i) * width_]; }
    // The index of the position, adding it when new; added tells which.
    uint32_t insert(const CellId *state, bool &added);
    uint32_t find(const CellId *state) const;
    size_t bytes() const { return data_.capacity() * sizeof(CellId) + slots_.capacity() * sizeof(uint32_t); }

private:
    uint64_t hashOf(const CellId *s) const;
    void grow();

    int width_;
    size_t count_ = 0;
    std::vector<CellId> data_;
    std::vector<uint32_t> slots_;
};
