#include "assets/textures.h"

#include "assets/bitmap.h"
#include "core/state.h"

#include <GLES/gl.h>
#include <cstdlib>
#include <cstring>

const char *const TextureFileNames[TextureCount] = {
    "Ground.tex", "Crate.tex", "Site.tex", "Static.tex", "UArrow.tex",
    "RArrow.tex", "DArrow.tex", "LArrow.tex", "Menu.tex", "SiteCrate.tex",
    "comp.tex", "credits.tex", "UArrowMask.tex", "RArrowMask.tex", "DArrowMask.tex",
    "LArrowMask.tex", "dpad.tex", "options.tex", "off.tex", "end.tex",
};

// Only the ground is tiled; it asks for repeat although that is GL's default.
static const char RepeatedTexture[] = "Ground.tex";

bool LoadTexture(const char *name, uint32_t &texture)
{
    BitmapInfo info;
    uint8_t *pixels = LoadBitmap(name, info);
    if (!pixels) return false;
    GLuint made = 0;
    glGenTextures(1, &made);
    texture = made;
    glBindTexture(GL_TEXTURE_2D, made);
    // The filters go through the float entry point, as the original passed them.
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GLfloat(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GLfloat(GL_NEAREST));
    if (std::strcmp(name, RepeatedTexture) == 0) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GLfloat(GL_REPEAT));
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GLfloat(GL_REPEAT));
    }
    // Bitmap rows are padded to four bytes, GL's default unpack alignment.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, info.width, info.height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    std::free(pixels);
    return true;
}

bool LoadTextureSet()
{
    for (int i = 0; i < TextureCount; ++i)
        if (!LoadTexture(TextureFileNames[i], TextureSet[i])) return false;
    return true;
}

void DeleteTextures()
{
    for (int i = 0; i < TextureCount; ++i) {
        GLuint name = TextureSet[i];
        glDeleteTextures(1, &name);
    }
}

void bindTexture(TextureId id) { glBindTexture(GL_TEXTURE_2D, TextureSet[id]); }
