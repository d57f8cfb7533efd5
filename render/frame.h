// The GLUT display callback: one whole frame from the game state.
#pragma once

void display();
