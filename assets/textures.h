// The twenty pictures of the game, loaded once at start-up into TextureSet.
#pragma once

#include <cstdint>

// TextureSet indices, in load order.
enum TextureId {
    GroundTexture,
    CrateTexture,
    SiteTexture,
    StaticTexture,
    UArrowTexture,
    RArrowTexture,
    DArrowTexture,
    LArrowTexture,
    MenuTexture,
    SiteCrateTexture,
    CompTexture,
    CreditsTexture,
    UArrowMaskTexture,
    RArrowMaskTexture,
    DArrowMaskTexture,
    LArrowMaskTexture,
    DpadTexture,
    OptionsTexture,
    OffTexture,
    EndTexture,
};

// File name of each entry of TextureSet, in load order.
extern const char *const TextureFileNames[];

// Makes one texture object from the named file; false, with no object made,
// when the bitmap cannot be loaded (its message has been shown).
bool LoadTexture(const char *name, uint32_t &texture);

// Loads every texture in order; false at the first that fails (its message
// has been shown).
bool LoadTextureSet();
// Deletes the twenty texture objects one at a time, in load order.
void DeleteTextures();
// Binds the entry to GL_TEXTURE_2D.
void bindTexture(TextureId id);
