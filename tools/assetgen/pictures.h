// The twenty pictures of the game and its desktop icon, each made by one routine.
#pragma once

#include "tools/assetgen/picture.h"

// The keeper's arrow and its mask, pointing toward +x (right) in the picture.
// The others are this pair turned by quarter turns, so all four shapes agree.
Picture makeArrowRight();
Picture makeArrowMaskRight();
// Turns a picture a quarter turn counter-clockwise, as a person looks at it
// (its right side becomes its top).
Picture turnLeft(const Picture &p);

Picture makeGround();
Picture makeCrate();
Picture makeSiteCrate();
Picture makeSite();
Picture makeWall();

// The night-blue ground of the full-screen pictures, size x size.
Picture nightGround(int size);
Picture makeMenu();
Picture makeOptions();
Picture makeOffMark();
Picture makeCredits();
Picture makeEnd();
Picture makePad();
Picture makeBanner();

// The desktop icon: a picture and how opaque each of its pixels is.
struct Icon {
    Picture colour;
    Coverage opacity;
};
Icon makeIcon(int size);
// An 8-bit RGBA PNG. False when the file cannot be written.
bool writePng(const std::string &path, const Icon &icon);
