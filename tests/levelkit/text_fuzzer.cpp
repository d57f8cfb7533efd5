// Any text given to the toolkit: parsed, tidied, written as a level file and
// read back in the notation, without a crash and with the board kept; and no
// level file is ever written for a level complete as soon as it loads.
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/puzzle.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string err;
    std::vector<Puzzle> levels = ParsePuzzles(std::string(reinterpret_cast<const char *>(data), size), err);
    for (const Puzzle &p : levels) {
        if (p.width > 30 || p.height > 30) continue;  // the camera search is the slow part
        std::string again;
        std::vector<Puzzle> back = ParsePuzzles(FormatBoard(p), again);
        if (back.size() != 1 || FormatBoard(back[0]) != FormatBoard(p)) std::abort();
        std::string map, why;
        if (writeMapText(p, map, why) && !CompleteAtLoadReason(p).empty()) std::abort();
    }
    return 0;
}
