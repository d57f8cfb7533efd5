// Internal to render/: the three-dimensional play screen.
#pragma once

// Ground, walls, sites, crates, the keeper's arrow and the direction pad,
// under the level's camera.
void drawPlayScene();
