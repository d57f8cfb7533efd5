// What a key or a tap can do: the cells of the key tables and the rows of the
// stylus regions name one of these, and RunFlowAction carries it out.
#pragma once

#include <cstdint>

enum class FlowAction : uint8_t {
    Nothing,        // returns without a redisplay
    RedisplayOnly,  // changes nothing, still redraws
    ChooseEntry,    // Enter on the main menu, by menuSelection
    ShowPlaying,    // main menu to play: nothing is loaded
    ShowOptions,
    ShowCredits,
    LeavePlay,      // play to main menu; menuSelection kept
    BackToMenu,     // options or credits to main menu, entry 1
    LeaveGameComplete,
    HighlightUp,
    HighlightDown,
    StepUp,         // the move rules, each followed by a redisplay
    StepLeft,
    StepRight,
    StepDown,
    Restart,        // RestartLevel
    Advance,        // AdvanceLevel
    Toggle,         // ToggleSound
    Skip,           // SkipLevel
    Quit,           // QuitGame
};

void RunFlowAction(FlowAction action);
