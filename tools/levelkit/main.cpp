// levelkit: import, export, check, solve, generate and rate the game's levels,
// and play a collection.
#include "tools/levelkit/commands/commands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char *name;
    int (*run)(const Arguments &);
    const char *usage;
};

// name        runs          usage
const Command Commands[] = {
    {"import",   runImport,   "import FILE OUTDIR [--first N] [--at K] [--count M]   text levels to LevelK.Map..."},
    {"export",   runExport,   "export FILE.Map               a level file in the text notation"},
    {"check",    runCheck,    "check DIR [--solutions FILE]...  prove every .Map file in DIR"},
    {"solve",    runSolve,    "solve FILE [--time-limit S] [--memory-limit MB] [--exact-share F] [--write-solutions OUT]"},
    {"generate", runGenerate, "generate [--stress | --warehouse] [--count N] [--seed S] [--budget SECONDS] [--threads T] [--out FILE]"},
    {"rate",     runRate,     "rate FILE                     how hard each level is, ten by ten"},
    {"play",     runPlay,     "play FILE [DIR] [--first N] [--time-limit S]   a game folder of the collection's own, "
                              "imported, solved, checked, and the game started there"},
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc >= 2)
        for (const Command &c : Commands)
            if (std::strcmp(argv[1], c.name) == 0) return c.run(Arguments(argv + 2, argv + argc));
    std::fprintf(stderr, "usage:\n");
    for (const Command &c : Commands) std::fprintf(stderr, "  levelkit %s\n", c.usage);
    return 2;
}
