#include "ui/res/ResultsMenuTemplate.h"

namespace
{
constexpr SListMenuItem RESULTS_MENU[] = {
    {EListCommand::SortByColumn, 0, "Sort by &Path", "Ctrl+1"},
    {EListCommand::SortByColumn, 1, "Sort by &Reason", "Ctrl+2"},
    {EListCommand::SortByColumn, 2, "Sort by &Size", "Ctrl+3"},
    {EListCommand::SortByColumn, 3, "Sort by &Modified", "Ctrl+4"},
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::CheckAll, 0, "&Check All", "Ctrl+Shift+A"},
    {EListCommand::UncheckAll, 0, "&Uncheck All", "Ctrl+Shift+U"},
    {EListCommand::InvertChecks, 0, "&Invert Checks", "Ctrl+I"},
    // Space is the list's own key (the list handles it), shown here only.
    {EListCommand::ToggleSelected, 0, "&Toggle Selected\tSpace", ""},
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::OpenFile, 0, "&Open File", "Ctrl+O"},
    {EListCommand::OpenFolder, 0, "Open Containing &Folder", "Ctrl+Shift+O"},
    {EListCommand::CopyPath, 0, "Cop&y Path", "Ctrl+C"},
#ifndef _WIN32
    {EListCommand::CopyHostPath, 0, "Copy &Host Path", "Ctrl+Shift+C"},
#endif
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::ExcludeName, 0, "Exclude this file &name", ""},
    {EListCommand::ExcludeExtension, 0, EXCLUDE_EXTENSION_TEXT, ""},
    {EListCommand::FilterFolder, 0, "Filter this fol&der", ""},
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::UndoLastMove, 0, UNDO_LAST_MOVE_TEXT, "Ctrl+Z"},
};

constexpr EListCommand CONTEXT_MENU[] = {
    EListCommand::OpenFile,         EListCommand::OpenFolder,     EListCommand::CopyPath,
    EListCommand::CopyHostPath,     EListCommand::ToggleSelected, EListCommand::ExcludeName,
    EListCommand::ExcludeExtension, EListCommand::FilterFolder,   EListCommand::CheckAll,
    EListCommand::UncheckAll,       EListCommand::InvertChecks,
};
} // namespace

std::span<const SListMenuItem> GetResultsMenu()
{
    return RESULTS_MENU;
}

std::span<const EListCommand> GetListContextMenu()
{
    return CONTEXT_MENU;
}

int ContextMenuGroup(EListCommand command)
{
    switch (command)
    {
    case EListCommand::OpenFile:
    case EListCommand::OpenFolder:
    case EListCommand::CopyPath:
    case EListCommand::CopyHostPath:
        return 0;
    case EListCommand::ToggleSelected:
    case EListCommand::ExcludeName:
    case EListCommand::ExcludeExtension:
    case EListCommand::FilterFolder:
        return 1;
    default:
        return 2;
    }
}
