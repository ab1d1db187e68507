#pragma once

#include "ui/rules/Commands.h"

#include <span>

// The results list's menus as data, for both front ends: the "&Results" menu
// (between "&File" and "&Help"), File's Export Results (before the separator
// above Exit) and the list's context menu, with their keys.

// One item of the Results menu. pszKeys names the item's key combination in
// the portable form "Ctrl+Shift+A" (modifiers Ctrl, Shift, Alt; then one
// letter or digit); empty: reached through the menus only. A nullptr text is
// a separator.
struct SListMenuItem
{
    EListCommand command = EListCommand::SortByColumn;
    int nColumn = 0; // the column, for SortByColumn
    const char* pszText = nullptr;
    const char* pszKeys = "";
};

// The Results menu in order. Copy Host Path is there only where drives can be
// host folders of another form (not on Windows, where a listed path is the
// host's own).
std::span<const SListMenuItem> GetResultsMenu();

// File's Export Results.
inline constexpr SListMenuItem EXPORT_RESULTS_ITEM = {EListCommand::ExportResults, 0,
                                                      "&Export Results...", "Ctrl+E"};

// The context menu's commands in order: the row's commands first, then the
// whole list's; a separator goes wherever ContextMenuGroup changes. A command
// the front end does not offer is left out.
std::span<const EListCommand> GetListContextMenu();
int ContextMenuGroup(EListCommand command);

inline constexpr const char* RESULTS_MENU_TEXT = "&Results";
// Puts back what the last move pass moved; on the Results menu only.
inline constexpr const char* UNDO_LAST_MOVE_TEXT = "Undo &Last Move";
// The context menu's accessible name.
inline constexpr const char* LIST_CONTEXT_MENU_NAME = "Row commands";
// "Exclude *.&ext" reads "Exclude " and the current row's entry ("*.tmp")
// when the row has one.
inline constexpr const char* EXCLUDE_ENTRY_TEXT_PREFIX = "Exclude ";
inline constexpr const char* EXCLUDE_EXTENSION_TEXT = "Exclude *.&ext";

// The Export Results file dialog.
inline constexpr const char* EXPORT_DIALOG_TITLE = "Export Results";
inline constexpr const char* EXPORT_DEFAULT_NAME = "results.csv";
inline constexpr const char* EXPORT_CSV_FILTER_NAME = "CSV files";
inline constexpr const char* EXPORT_CSV_PATTERN = "*.csv";
inline constexpr const char* EXPORT_JSON_FILTER_NAME = "JSON files";
inline constexpr const char* EXPORT_JSON_PATTERN = "*.json";
// An export that could not be written; %s is the file.
inline constexpr const char* EXPORT_FAILED_TEXT = "Cannot write %s";
