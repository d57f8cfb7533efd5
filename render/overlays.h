// The flat pictures drawn over the window in an orthographic pass: the menu
// with its arrow, options with the "off" mark, credits, end, the direction
// pad and the completion banner.
#pragma once

// 320 x 240 and 640 x 480 only: pictures then fill the middle 60 % of the width.
bool isLandscapeScreen();

void drawMenuScreen();
void drawOptionsScreen();
void drawCreditsScreen();
void drawEndScreen();
void drawDirectionPad();
void drawCompletionBanner();
