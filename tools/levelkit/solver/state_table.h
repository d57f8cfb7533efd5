// A growing set of solver positions: K crate cells and one keeper cell each
// (the keeper's smallest reachable cell stands for its whole area), stored
// flat, two bytes a cell, and found again through an open-addressing table of
// four-byte indices keyed by a Zobrist hash. With a budget it grows only as far
// as the memory limit allows.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <cstdint>
#include <vector>

class StateTable {
public:
    static constexpr uint32_t Missing = 0xffffffffu;

    explicit StateTable(int crates, Budget *budget = nullptr);
    ~StateTable();
    StateTable(const StateTable &) = delete;
    StateTable &operator=(const StateTable &) = delete;

    int width() const { return width_; }
    size_t size() const { return count_; }
    const CellId *at(uint32_t i) const { return &data_[size_t(i) * width_]; }
    // The index of the position, adding it when new; added tells which.
    // Missing (and nothing added) when the budget does not allow the table to grow.
    uint32_t insert(const CellId *state, bool &added);
    uint32_t find(const CellId *state) const;
    size_t bytes() const { return data_.capacity() * sizeof(CellId) + slots_.capacity() * sizeof(uint32_t); }

private:
    uint64_t hashOf(const CellId *s) const;
    bool grow();

    int width_;
    Budget *budget_;
    size_t count_ = 0;
    std::vector<CellId> data_;
    std::vector<uint32_t> slots_;
};
