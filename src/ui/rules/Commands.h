#pragma once

#include "disposal/MoveRecord.h"
#include "ui/rules/ViewState.h"

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

// Whether the results list keeps the command's key for itself while it has
// the keyboard focus. Home, Move's key, is also the key that takes every list
// to its first row: inside the list it moves the selection (as End does), and
// Move stays on the toolbar, the Action button and the menu; outside the list
// Home is Move's key. Every other command's key (F3, Del, Esc, F2) acts in the
// list as anywhere else.
bool ListKeepsCommandKey(ECommand command);

// What pressing the Search form button (or the Search command) does: while a
// search runs it asks the searching thread to stop (StopFlag = 1, the state
// changes only when WM_SEARCH_DONE arrives); otherwise it is StartSearch.
enum class ESearchPress
{
    StartSearch,
    RequestStop,
};
ESearchPress DecideSearchPress(ViewState state);

// The results list's own commands, beside the menu's: the Results menu, the
// list's context menu and their keys reach them, and File's Export Results.
// None of them changes what the commands above do: the disposal takes the
// checked rows in the order the list shows them, bottom row first.
enum class EListCommand
{
    SortByColumn,     // a click on a column header
    CheckAll,         // every row checked
    UncheckAll,       // every row unchecked
    InvertChecks,     // every row's check box flipped
    ToggleSelected,   // Space: the selected rows take the current row's opposite
    OpenFile,         // the current row's file, through the shell
    OpenFolder,       // the folder holding it, through the shell
    CopyPath,         // its path as listed (Windows form)
    CopyHostPath,     // its path on the host (where drives are mapped folders)
    ExcludeName,      // its file name into Excludes
    ExcludeExtension, // "*." and its extension into Excludes
    FilterFolder,     // its folder into Filters
    ExportResults,    // the list written as CSV or JSON
    UndoLastMove,     // the last move pass's files put back (CUndoLastMove)
};

inline constexpr std::array<EListCommand, 14> ALL_LIST_COMMANDS = {
    EListCommand::SortByColumn,  EListCommand::CheckAll,         EListCommand::UncheckAll,
    EListCommand::InvertChecks,  EListCommand::ToggleSelected,   EListCommand::OpenFile,
    EListCommand::OpenFolder,    EListCommand::CopyPath,         EListCommand::CopyHostPath,
    EListCommand::ExcludeName,   EListCommand::ExcludeExtension, EListCommand::FilterFolder,
    EListCommand::ExportResults, EListCommand::UndoLastMove,
};

// What the list commands depend on besides the state.
struct SListCommandContext
{
    ViewState state = ViewState::None;
    int nRows = 0;                        // rows the list shows
    bool bCurrentRow = false;             // a current (focused) row exists
    bool bCurrentHasExtension = false;    // its file name has a dot with text after it
    ELastPass lastPass = ELastPass::None; // what the stored record of the last pass holds
};

// Whether the list command is available:
//   SortByColumn, CheckAll, UncheckAll, InvertChecks, ExportResults
//                    Results with rows (never while rows arrive or go)
//   ToggleSelected, OpenFile, OpenFolder, CopyPath, CopyHostPath
//                    Searching or Results, with a current row
//   ExcludeName, FilterFolder
//                    Results with a current row (the searching thread reads
//                    the lists while it runs)
//   ExcludeExtension as ExcludeName, and the name has an extension
//   UndoLastMove     Idle, with a move recorded (or a purge: the command then
//                    says that a purge cannot be undone)
// Nothing is available while Disposing: the disposing thread walks the rows.
bool IsListCommandEnabled(EListCommand command, const SListCommandContext& context);
