// Every push-optimal line, walked forward one push layer at a time with the
// keeper's exact cell. The push search stored each position once, keyed by
// the keeper's area; here a position of the search has one entry for every
// cell the keeper can stand on after the push that made it, with the fewest
// moves that reach it. After a push the keeper stands where the crate was,
// beside it, so an entry's cell is told by a crate and a side (two bytes)
// and the crates come from the push search's own table: an entry costs four
// bytes where a position of its own would cost thirty or more.
//
// All the keeper's cells of a position share its pushes, so each position is
// expanded once and each entry only walks to the pushes (one flood). The
// layer being built is a dense array of every crate and side of its
// positions, squeezed to the entries reached once the layer is done. The
// squeezed layers are kept: the line is read backwards from the best solved
// entry, asking each push which entry of the layer before pays for it.
#include "tools/levelkit/solver/fewest_moves.h"

#include "tools/levelkit/solver/search_core.h"

#include <algorithm>

namespace {

constexpr uint16_t Unreached = 0xffff;   // also the most moves the two-byte counts may not reach
constexpr uint16_t AtStart = 0xffff;     // the keeper's own starting cell, in layer 0 only
constexpr uint32_t NoEntry = 0xffffffffu;    // no solved entry found yet
constexpr unsigned CheckEvery = 16;      // positions between looks at the clock

struct Layer {
    std::vector<uint32_t> positions;  // indices into the push search's table
    std::vector<uint32_t> first;      // entries of the i-th position: first[i] to first[i + 1]
    std::vector<uint16_t> where;      // the keeper: crate row * 4 + the side's direction from the keeper
    std::vector<uint16_t> moves;      // the fewest moves to that entry
};

struct Step {
    int stand, dir;
};

class MovePass {
public:
    MovePass(const CellGraph &b, const PushLines &lines, Budget &budget)
        : b_(b), lines_(lines), budget_(budget), k_(int(b.crates.size())), codes_(4 * k_),
          expander_(b, nullptr, nullptr, {false, false}), occupied_(b.cellCount, 0), reach_(b.cellCount)
    {
    }
    ~MovePass()
    {
        for (Layer &l : layers_) dropLayer(l);
    }
    bool run(std::string &moves);

private:
    bool listLayers();
    bool buildNext(int layer);
    bool spread(int layer, std::vector<uint16_t> &dense);
    bool squeeze(Layer &l, std::vector<uint16_t> &dense);
    bool walkBack(uint32_t position, uint32_t entry, std::vector<Step> &steps);
    std::string letters(const std::vector<Step> &steps);
    uint16_t sideOf(const CellId *crates, int keeper) const;
    // A position's place in its layer: the layers list their positions in
    // table order, so a binary search finds it and no array over the whole
    // table is needed.
    uint32_t rankIn(const Layer &l, uint32_t j) const
    {
        return uint32_t(std::lower_bound(l.positions.begin(), l.positions.end(), j) - l.positions.begin());
    }
    int keeperOf(const CellId *crates, uint16_t where) const;
    void place(const CellId *crates, uint8_t on)
    {
        for (int i = 0; i < k_; ++i) occupied_[crates[i]] = on;
    }
    void dropLayer(Layer &l)
    {
        budget_.drop(l.positions);
        budget_.drop(l.first);
        budget_.drop(l.where);
        budget_.drop(l.moves);
    }
    // A vector of known length, claimed before it is made.
    template <class T> bool make(std::vector<T> &v, size_t n, T value)
    {
        if (!budget_.claim(0, n * sizeof(T))) return false;
        v.assign(n, value);
        return true;
    }

    const CellGraph &b_;
    const PushLines &lines_;
    Budget &budget_;
    int k_, codes_;
    Expander expander_;
    std::vector<uint8_t> occupied_;
    Reach reach_;
    std::vector<Layer> layers_;
};

uint16_t MovePass::sideOf(const CellId *crates, int keeper) const
{
    // The first crate round the keeper names it, so that one cell has one entry.
    for (int d = 0; d < DirectionCount; ++d) {
        int c = b_.next[keeper][d];
        if (c == NoCell) continue;
        const CellId *at = std::lower_bound(crates, crates + k_, CellId(c));
        if (at != crates + k_ && *at == c) return uint16_t((at - crates) * DirectionCount + d);
    }
    return AtStart;  // no crate beside it: only the start can be like that
}

int MovePass::keeperOf(const CellId *crates, uint16_t where) const
{
    if (where == AtStart) return b_.keeper;
    return b_.next[crates[where / DirectionCount]][opposite(where % DirectionCount)];
}

// The positions on a line, by their pushes from the start.
bool MovePass::listLayers()
{
    const size_t n = lines_.positions.size();
    layers_.resize(size_t(lines_.best) + 1);
    for (uint32_t j = 0; j < n; ++j) {
        if (!lines_.onLine[j]) continue;
        Layer &l = layers_[lines_.pushes[j]];
        if (!budget_.roomFor(l.positions)) return false;
        l.positions.push_back(j);
    }
    return true;
}

// The entries of layer + 1.
bool MovePass::buildNext(int layer)
{
    std::vector<uint16_t> dense;
    bool built = make(dense, layers_[layer + 1].positions.size() * codes_, Unreached) && spread(layer, dense) &&
                 squeeze(layers_[layer + 1], dense);
    budget_.drop(dense);
    return built;
}

// Every entry of the layer through every push to a position on a line: the
// fewest moves of each entry of the next layer, in its dense array.
bool MovePass::spread(int layer, std::vector<uint16_t> &dense)
{
    struct Child {
        size_t slot;  // in the dense array
        int stand;
    };
    const Layer &here = layers_[layer], &next = layers_[layer + 1];
    std::vector<Child> children;
    std::vector<CellId> s(k_ + 1);
    for (size_t i = 0; i < here.positions.size(); ++i) {
        if (i % CheckEvery == 0 && budget_.timeUp()) return false;
        const CellId *at = lines_.positions.at(here.positions[i]);
        s.assign(at, at + k_ + 1);
        children.clear();
        expander_.forEachPush(s.data(), [&](const CellId *child, const Push &p, int) {
            uint32_t j = lines_.positions.find(child);
            if (j == StateTable::Missing || !lines_.onLine[j] || lines_.pushes[j] != layer + 1) return;
            children.push_back(Child{size_t(rankIn(next, j)) * codes_ + sideOf(child, p.from), p.stand});
        });
        place(s.data(), 1);
        bool room = true;
        for (uint32_t e = here.first[i]; e < here.first[i + 1] && room; ++e) {
            reach_.flood(b_, occupied_, keeperOf(s.data(), here.where[e]));
            for (const Child &c : children) {
                uint32_t cost = uint32_t(here.moves[e]) + uint32_t(reach_.distance(c.stand)) + 1;
                // Beyond what the layers' two-byte counts hold: out of room.
                if (cost >= Unreached) room = false;
                else dense[c.slot] = std::min(dense[c.slot], uint16_t(cost));
            }
        }
        place(s.data(), 0);
        if (!room) {
            budget_.setStop(Stop::Memory);
            return false;
        }
    }
    return true;
}

// Keeps of the dense layer only the entries reached.
bool MovePass::squeeze(Layer &l, std::vector<uint16_t> &dense)
{
    size_t count = 0;
    for (uint16_t m : dense) count += m != Unreached;
    if (!make(l.first, l.positions.size() + 1, 0u) || !make(l.where, count, uint16_t(0)) ||
        !make(l.moves, count, uint16_t(0)))
        return false;
    uint32_t n = 0;
    for (size_t i = 0; i < l.positions.size(); ++i) {
        l.first[i] = n;
        for (int c = 0; c < codes_; ++c) {
            uint16_t m = dense[i * codes_ + c];
            if (m == Unreached) continue;
            l.where[n] = uint16_t(c);
            l.moves[n++] = m;
        }
    }
    l.first[l.positions.size()] = n;
    return true;
}

// The pushes of the line that ends at the entry, from the last back to the
// first: each push is undone, and an entry of the layer before whose moves and
// walk add up to this entry's moves is where the line came from.
bool MovePass::walkBack(uint32_t position, uint32_t entry, std::vector<Step> &steps)
{
    std::vector<CellId> s(k_ + 1), parent(k_ + 1);
    for (int layer = lines_.best; layer > 0; --layer) {
        const Layer &here = layers_[layer], &before = layers_[layer - 1];
        const CellId *at = lines_.positions.at(here.positions[position]);
        s.assign(at, at + k_ + 1);
        int keeper = keeperOf(s.data(), here.where[entry]);
        bool found = false;
        for (int d = 0; d < DirectionCount && !found; ++d) {
            int crate = b_.next[keeper][d], stand = b_.next[keeper][opposite(d)];
            if (crate == NoCell || stand == NoCell || !std::binary_search(s.begin(), s.begin() + k_, CellId(crate)) ||
                std::binary_search(s.begin(), s.begin() + k_, CellId(stand)))
                continue;
            parent.assign(s.begin(), s.begin() + k_);
            *std::find(parent.begin(), parent.end(), CellId(crate)) = CellId(keeper);
            std::sort(parent.begin(), parent.end());
            place(parent.data(), 1);
            reach_.flood(b_, occupied_, stand);
            parent.push_back(CellId(reach_.smallest()));
            uint32_t j = lines_.positions.find(parent.data());
            if (j != StateTable::Missing && lines_.onLine[j] && lines_.pushes[j] == layer - 1) {
                uint32_t i = rankIn(before, j);
                for (uint32_t e = before.first[i]; e < before.first[i + 1] && !found; ++e) {
                    reach_.flood(b_, occupied_, keeperOf(parent.data(), before.where[e]));
                    if (reach_.reached(stand) && before.moves[e] + reach_.distance(stand) + 1 == here.moves[entry]) {
                        steps.push_back(Step{stand, d});
                        position = i;
                        entry = e;
                        found = true;
                    }
                }
            }
            place(parent.data(), 0);
        }
        if (!found) return false;  // the layers disagree with themselves: claim nothing
    }
    std::reverse(steps.begin(), steps.end());
    return true;
}

std::string MovePass::letters(const std::vector<Step> &steps)
{
    std::string out;
    place(b_.crates.data(), 1);
    int keeper = b_.keeper;
    for (const Step &st : steps) {
        reach_.flood(b_, occupied_, keeper);
        out += reach_.pathTo(b_, st.stand) + PushLetters[st.dir];
        keeper = b_.next[st.stand][st.dir];
        occupied_[keeper] = 0;
        occupied_[b_.next[keeper][st.dir]] = 1;
    }
    std::fill(occupied_.begin(), occupied_.end(), 0);
    return out;
}

bool MovePass::run(std::string &moves)
{
    if (codes_ >= AtStart || !listLayers()) return false;
    Layer &start = layers_[0];
    if (start.positions.size() != 1) return false;
    if (!make(start.first, 2, 0u) || !make(start.where, 1, AtStart) || !make(start.moves, 1, uint16_t(0)))
        return false;
    start.first[1] = 1;
    for (int layer = 0; layer < lines_.best; ++layer)
        if (!buildNext(layer)) return false;
    const Layer &last = layers_[lines_.best];
    uint32_t bestPosition = 0, bestEntry = NoEntry;
    for (uint32_t i = 0; i < last.positions.size(); ++i)
        for (uint32_t e = last.first[i]; e < last.first[i + 1]; ++e)
            if (bestEntry == NoEntry || last.moves[e] < last.moves[bestEntry]) bestPosition = i, bestEntry = e;
    std::vector<Step> steps;
    if (bestEntry == NoEntry || !walkBack(bestPosition, bestEntry, steps)) return false;
    moves = letters(steps);
    return true;
}

}  // namespace

bool fewestMoves(const CellGraph &b, const PushLines &lines, Budget &budget, std::string &moves)
{
    MovePass pass(b, lines, budget);
    return pass.run(moves);
}
