// Placeholder until the texture loader lands.
#include "assets/textures.h"

const char *const TextureFileNames[] = {
    "Ground.tex", "Crate.tex", "Site.tex", "Static.tex", "UArrow.tex",
    "RArrow.tex", "DArrow.tex", "LArrow.tex", "Menu.tex", "SiteCrate.tex",
    "comp.tex", "credits.tex", "UArrowMask.tex", "RArrowMask.tex", "DArrowMask.tex",
    "LArrowMask.tex", "dpad.tex", "options.tex", "off.tex", "end.tex",
};

bool LoadTextureSet() { return true; }
void DeleteTextures() {}
