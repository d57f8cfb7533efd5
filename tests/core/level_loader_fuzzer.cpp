// Feeds any bytes to the level loader as Level1.Map. A refused file ends in
// ProcessExit; anything else must load within the capacities. After a load,
// the first bytes steer the keeper, so odd but accepted levels (crates on
// walls, two crates in a cell, a keeper on a crate) meet the move rules too.
#include "core/level.h"
#include "core/moves.h"
#include "tests/core/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzInputFile("Level1.Map", data, size);
    try {
        LoadLevel(1);
    } catch (const ProcessExit &exit) {
        if (exit.status != 1 || platformRecord.messages.size() != 1) std::abort();
        return 0;
    }
    if (pieceCount < 1 || pieceCount > PieceCapacity) std::abort();
    if (boardRows > BoardCapacity || boardCols > BoardCapacity) std::abort();
    void (*const moves[])() = {MoveUp, MoveLeft, MoveRight, MoveDown};
    for (size_t i = 0; i < size && i < 64; ++i) moves[data[i] % 4]();
    if (playerRow < 0 || playerRow >= boardRows || playerCol < 0 || playerCol >= boardCols) std::abort();
    return 0;
}
