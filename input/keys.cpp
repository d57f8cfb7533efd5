// The key callbacks: one table per callback, one row per key, one column per
// screen. A key or screen that the tables do not list does nothing at all.
#include "input/keys.h"

#include "core/state.h"

#include <cstddef>
#include "input/flow.h"

#include <GL/freeglut.h>

namespace {

using A = FlowAction;

// The screens that have a column of their own, in column order; every other
// value of ScreenState reads the last column.
constexpr int32_t keyColumns[] = {MainMenu, Playing, LevelComplete, Options, Credits, GameComplete};
constexpr int ColumnCount = sizeof keyColumns / sizeof keyColumns[0] + 1;
constexpr int OtherColumn = ColumnCount - 1;

struct KeyRow {
    int key;
    FlowAction cells[ColumnCount];
};

constexpr int EnterKey = 13;

// The direction digits of the phone keypad stand in for the direction keys,
// except on the level-complete screen, where only the real direction keys go on.
const KeyRow characterKeys[] = {
    // key       0 main menu      1 play            3 level complete  4 options         5 credits         7 game complete       any other
    {EnterKey, {A::ChooseEntry,   A::Restart,       A::Advance,       A::Toggle,        A::Nothing,       A::LeaveGameComplete, A::Nothing}},
    {'1',      {A::Nothing,       A::LeavePlay,     A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing,           A::Nothing}},
    {'2',      {A::HighlightUp,   A::StepRight,     A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly,     A::RedisplayOnly}},
    {'3',      {A::Nothing,       A::Quit,          A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing,           A::Nothing}},
    {'4',      {A::RedisplayOnly, A::StepUp,        A::RedisplayOnly, A::BackToMenu,    A::BackToMenu,    A::RedisplayOnly,     A::RedisplayOnly}},
    {'6',      {A::RedisplayOnly, A::StepDown,      A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly,     A::RedisplayOnly}},
    {'8',      {A::HighlightDown, A::StepLeft,      A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly,     A::RedisplayOnly}},
};

// The board is turned against the screen: the left key walks up the board,
// the up key to the right, and so on.
const KeyRow specialKeys[] = {
    // key            0 main menu      1 play            3 level complete  4 options         5 credits         7 game complete   any other
    {GLUT_KEY_F1,    {A::Nothing,       A::LeavePlay,     A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing}},
    {GLUT_KEY_F3,    {A::Nothing,       A::Quit,          A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing,       A::Nothing}},
    {GLUT_KEY_LEFT,  {A::RedisplayOnly, A::StepUp,        A::Advance,       A::BackToMenu,    A::BackToMenu,    A::RedisplayOnly, A::RedisplayOnly}},
    {GLUT_KEY_UP,    {A::HighlightUp,   A::StepRight,     A::Advance,       A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly}},
    {GLUT_KEY_RIGHT, {A::RedisplayOnly, A::StepDown,      A::Advance,       A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly}},
    {GLUT_KEY_DOWN,  {A::HighlightDown, A::StepLeft,      A::Advance,       A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly, A::RedisplayOnly}},
};

int screenColumn()
{
    for (int column = 0; column < OtherColumn; ++column)
        if (keyColumns[column] == ScreenState) return column;
    return OtherColumn;
}

template <std::size_t RowCount>
void runKey(const KeyRow (&rows)[RowCount], int key)
{
    for (const KeyRow &row : rows)
        if (row.key == key) {
            RunFlowAction(row.cells[screenColumn()]);
            return;
        }
}

}  // namespace

void keyboard(unsigned char key, int, int)
{
    // The action key sends 10 as it goes down and then 13: only 13 is listed,
    // so one press acts once.
    runKey(characterKeys, key);
}

void special(int key, int, int) { runKey(specialKeys, key); }
