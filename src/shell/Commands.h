#pragma once

#include "shell/ViewState.h"

#include <array>
#include <cstdint>

// The program's commands, reached alike through menu 128, toolbar 128 and
// accelerators 128. The form buttons are not commands: SetViewState and the
// start timer alone show and enable them (ViewStateEffects.h).
enum class ECommand
{
    Search,
    Purge,
    Move,
    Cancel,
    Options,
    Exit,
    About,
    HelpTopics,
};

inline constexpr std::array<ECommand, 8> ALL_COMMANDS = {
    ECommand::Search,  ECommand::Purge, ECommand::Move,  ECommand::Cancel,
    ECommand::Options, ECommand::Exit,  ECommand::About, ECommand::HelpTopics,
};

// Command ids of the menu and toolbar: Search 32771, Options 32772, Cancel
// 32773, Purge 32774, Move 32775, Exit 57665, About 57664, Help Topics 57667.
uint32_t CommandId(ECommand command);
// The command with that id; false for any other id.
bool CommandFromId(uint32_t nId, ECommand& command);

// Whether the command is available in the state, for the menu item, the
// toolbar button and the accelerator alike:
//   Search        Idle
//   Purge         Results, with Move not 0 (the disposal purges)
//   Move          Results, with Move 0 (the disposal moves)
//   Cancel        Results
//   Options       Idle or Results
//   Exit, About, Help Topics   always (closing follows the close rules)
// nMove is the document's Move setting.
bool IsCommandEnabled(ECommand command, ViewState state, int32_t nMove);

// What pressing the Search form button (or the Search command) does: while a
// search runs it asks the searching thread to stop (StopFlag = 1, the state
// changes only when WM_SEARCH_DONE arrives); otherwise it is StartSearch.
enum class ESearchPress
{
    StartSearch,
    RequestStop,
};
ESearchPress DecideSearchPress(ViewState state);
