// The four move rules: one step of the keeper, pushing at most one crate.
#pragma once

void MoveUp();     // row - 1
void MoveLeft();   // column - 1
void MoveRight();  // column + 1
void MoveDown();   // row + 1
