// The actions that keys and taps share, and the one place where a table cell
// or a tap region turns into game operations.
#include "input/actions.h"

#include "app/platform.h"
#include "assets/textures.h"
#include "core/level.h"
#include "core/moves.h"
#include "core/progress.h"
#include "core/state.h"
#include "input/flow.h"
#include "input/stylus.h"

#include <GL/freeglut.h>
#include <GLES/gl.h>

constexpr uint32_t LastLevel = LevelCount;
constexpr int32_t FirstEntry = 1, LastEntry = 4;
constexpr int32_t SoundByte = 0xFF;

void AdvanceLevel()
{
    completeSoundFlag = 0;
    ++currentLevel;
    // Compared as unsigned, so a level number below 1 from the progress file
    // also wraps round to level 1.
    if (static_cast<uint32_t>(currentLevel) > LastLevel) {
        currentLevel = 1;
        ScreenState = GameComplete;
        LoadLevel(1);
    } else {
        ScreenState = Playing;  // set before the load
        LoadLevel(currentLevel);
    }
    facing = Up;
    levelSolved = false;
    menuSoundFlag = 0;  // the music starts over on the next frame
    glutPostRedisplay();
}

void RestartLevel()
{
    LoadLevel(currentLevel);
    levelSolved = false;
    facing = Right;
    glutPostRedisplay();
}

void ToggleSound()
{
    // Only the low byte is the switch; the rest of the value read from the
    // progress file is never looked at and is left alone.
    const bool nowOn = (soundOn & SoundByte) == 0;
    soundOn = (soundOn & ~SoundByte) | (nowOn ? 1 : 0);
    if (nowOn)
        menuSoundFlag = 0;
    else
        StopSound(SoundStop::Plain);
    glutPostRedisplay();
}

void QuitGame()
{
    WriteProgressFile();  // a file that cannot be written is reported; we still end
    DeleteTextures();
    StopSound(SoundStop::Purge);
    glFinish();
    EndProcess(0);
}

static void showScreen(int32_t screen)
{
    ScreenState = screen;
    glutPostRedisplay();
}

static void showPlaying() { showScreen(Playing); }
static void showOptions() { showScreen(Options); }
static void showCredits() { showScreen(Credits); }
static void leavePlay() { showScreen(MainMenu); }

static void backToMenu()
{
    ScreenState = MainMenu;
    menuSelection = FirstEntry;
    glutPostRedisplay();
}

static void leaveGameComplete()
{
    WriteProgressFile();  // currentLevel is already 1 here
    backToMenu();
}

static void highlightUp()
{
    if (--menuSelection < FirstEntry) menuSelection = LastEntry;
    glutPostRedisplay();
}

static void highlightDown()
{
    if (++menuSelection > LastEntry) menuSelection = FirstEntry;
    glutPostRedisplay();
}

// The keeper redraws whether it moved, pushed or was blocked: the rule sets
// its facing in every case.
static void stepUp() { MoveUp(); glutPostRedisplay(); }
static void stepLeft() { MoveLeft(); glutPostRedisplay(); }
static void stepRight() { MoveRight(); glutPostRedisplay(); }
static void stepDown() { MoveDown(); glutPostRedisplay(); }

static void nothing() {}
static void redisplayOnly() { glutPostRedisplay(); }

// Enter on the main menu, by menuSelection; a selection outside 1 to 4 does
// nothing.
static const FlowAction menuEntryActions[] = {
    FlowAction::Nothing,      // (no entry 0)
    FlowAction::ShowPlaying,  // 1 play: the level in memory continues
    FlowAction::ShowOptions,  // 2 options
    FlowAction::ShowCredits,  // 3 credits
    FlowAction::Quit,         // 4 quit
};

static void chooseEntry()
{
    if (menuSelection < FirstEntry || menuSelection > LastEntry) return;
    RunFlowAction(menuEntryActions[menuSelection]);
}

struct FlowRow {
    FlowAction action;
    void (*run)();
};

static const FlowRow flowRows[] = {
    // action                          what runs
    {FlowAction::Nothing,              nothing},
    {FlowAction::RedisplayOnly,        redisplayOnly},
    {FlowAction::ChooseEntry,          chooseEntry},
    {FlowAction::ShowPlaying,          showPlaying},
    {FlowAction::ShowOptions,          showOptions},
    {FlowAction::ShowCredits,          showCredits},
    {FlowAction::LeavePlay,            leavePlay},
    {FlowAction::BackToMenu,           backToMenu},
    {FlowAction::LeaveGameComplete,    leaveGameComplete},
    {FlowAction::HighlightUp,          highlightUp},
    {FlowAction::HighlightDown,        highlightDown},
    {FlowAction::StepUp,               stepUp},
    {FlowAction::StepLeft,             stepLeft},
    {FlowAction::StepRight,            stepRight},
    {FlowAction::StepDown,             stepDown},
    {FlowAction::Restart,              RestartLevel},
    {FlowAction::Advance,              AdvanceLevel},
    {FlowAction::Toggle,               ToggleSound},
    {FlowAction::Skip,                 SkipLevel},
    {FlowAction::Quit,                 QuitGame},
};

void RunFlowAction(FlowAction action)
{
    for (const FlowRow &row : flowRows)
        if (row.action == action) {
            row.run();
            return;
        }
}
