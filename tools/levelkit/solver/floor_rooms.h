// The floor split into rooms and the links between them: a link is a run of
// one-wide corridor (walls on both sides of every cell of it) and a room is
// what is left, in pieces the links cut apart. A crate standing in a link
// cuts the rooms on either side off from each other, which is what the
// feature search counts.
#pragma once

#include "tools/levelkit/board/cell_graph.h"

#include <vector>

class FloorRooms {
public:
    explicit FloorRooms(const CellGraph &b);

    int roomCount() const { return rooms_; }
    int linkCount() const { return links_; }
    int room(int cell) const { return room_[cell]; }  // -1 in a link
    int link(int cell) const { return link_[cell]; }  // -1 in a room
    // How many links hold at least one of the k crates.
    int blocked(const CellId *crates, int k) const;

private:
    int rooms_ = 0, links_ = 0;
    std::vector<int> room_, link_;
    mutable std::vector<uint8_t> mark_;
};
