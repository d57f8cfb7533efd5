// The twenty pictures of the game, each made by one routine.
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

Picture makeMenu();
Picture makeOptions();
Picture makeOffMark();
Picture makeCredits();
Picture makeEnd();
Picture makePad();
Picture makeBanner();
