// assetgen OUTDIR: writes the game's twenty ".tex" pictures and its two
// sounds into OUTDIR, and its desktop icon at every size under OUTDIR/icons/.
// The output depends on nothing but this program (and zlib's deflate, which
// is stable), so a second run writes the same bytes. The committed files in data/ are its
// output: after changing a picture or a sound, run it into data/ again
// (build/assetgen data from the source tree); a test compares the two.
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/sounds.h"

#include <cstdio>
#include <filesystem>
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

// The sizes desktops look for, laid out as the hicolor icon theme is, so
// the folder installs as it stands.
const int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

std::string iconPath(int size)
{
    const std::string side = std::to_string(size);
    return "icons/hicolor/" + side + "x" + side + "/apps/cratewright.png";
}

bool writeIcon(const std::string &dir, int size)
{
    const std::string path = dir + iconPath(size);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return !error && writePng(path, makeIcon(size));
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTDIR\n"
                             "writes the game's twenty .tex pictures and two .wav sounds into OUTDIR,\n"
                             "and its icon at every size under OUTDIR/icons/\n");
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
    for (int size : IconSizes)
        if (!writeIcon(dir, size)) {
            std::fprintf(stderr, "assetgen: cannot write %s%s\n", dir.c_str(), iconPath(size).c_str());
            return 1;
        }
    return 0;
}
