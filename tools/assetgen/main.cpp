// assetgen OUTDIR: writes the game's twenty ".tex" pictures and its two
// sounds into OUTDIR. The output depends on nothing but this program, so a
// second run writes the same bytes. The committed files in data/ are its
// output: after changing a picture or a sound, run it into data/ again
// (build/assetgen data from the source tree); a test compares the two.
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/sounds.h"

#include <cstdio>
#include <string>

namespace {

Picture makeArrowUp() { return turnLeft(makeArrowRight()); }
Picture makeArrowLeft() { return turnLeft(makeArrowUp()); }
Picture makeArrowDown() { return turnLeft(makeArrowLeft()); }
Picture makeArrowMaskUp() { return turnLeft(makeArrowMaskRight()); }
Picture makeArrowMaskLeft() { return turnLeft(makeArrowMaskUp()); }
Picture makeArrowMaskDown() { return turnLeft(makeArrowMaskLeft()); }

struct PictureFile {
    const char *name;
    Picture (*make)();
};

// In the order the game loads them. Each arrow points its own way in the
// picture: on the floor the picture's right shows toward the screen's top and
// its top toward the screen's left, which is where the keeper went (the left
// key moves up a row, toward the screen's left); on the menu "RArrow.tex" is
// drawn as it stands and points right at the entry.
const PictureFile Pictures[] = {
    {"Ground.tex", makeGround},
    {"Crate.tex", makeCrate},
    {"Site.tex", makeSite},
    {"Static.tex", makeWall},
    {"UArrow.tex", makeArrowUp},
    {"RArrow.tex", makeArrowRight},
    {"DArrow.tex", makeArrowDown},
    {"LArrow.tex", makeArrowLeft},
    {"Menu.tex", makeMenu},
    {"SiteCrate.tex", makeSiteCrate},
    {"comp.tex", makeBanner},
    {"credits.tex", makeCredits},
    {"UArrowMask.tex", makeArrowMaskUp},
    {"RArrowMask.tex", makeArrowMaskRight},
    {"DArrowMask.tex", makeArrowMaskDown},
    {"LArrowMask.tex", makeArrowMaskLeft},
    {"dpad.tex", makePad},
    {"options.tex", makeOptions},
    {"off.tex", makeOffMark},
    {"end.tex", makeEnd},
};

struct SoundFile {
    const char *name;
    std::vector<int16_t> (*make)();
};

const SoundFile Sounds[] = {
    {"Menu.wav", makeMenuMusic},
    {"Complete.wav", makeCompleteJingle},
};

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR\n"
                             "writes the game's twenty .tex pictures and two .wav sounds into OUTDIR\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    for (const PictureFile &f : Pictures)
        if (!writeBitmap(dir + f.name, f.make())) {
            std::fprintf(stderr, "assetgen: cannot write %s%s\n", dir.c_str(), f.name);
            return 1;
        }
    for (const SoundFile &f : Sounds)
        if (!writeWave(dir + f.name, f.make())) {
            std::fprintf(stderr, "assetgen: cannot write %s%s\n", dir.c_str(), f.name);
            return 1;
        }
    return 0;
}
