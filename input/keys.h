// GLUT callbacks for character keys and special keys.
#pragma once

void keyboard(unsigned char key, int x, int y);
void special(int key, int x, int y);
