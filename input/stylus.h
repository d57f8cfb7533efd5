// GLUT mouse callback: the stylus.
#pragma once

void mouse(int button, int state, int x, int y);
void SkipLevel();
