#pragma once

#include "disposal/CUndoLastMove.h"

#include <string>

// The texts of Undo Last Move, for both front ends and scrubix-dispose.

inline constexpr const char* UNDO_NOTHING_TEXT = "There is no move to undo.";
inline constexpr const char* UNDO_AFTER_PURGE_TEXT =
    "The last pass purged its files. A purge cannot be undone.";
// How many files that stayed the report names; the rest are counted.
inline constexpr size_t UNDO_REPORT_NAMES = 10;

// Why one file stayed, after its path: "changed since it was moved".
const char* UndoStayText(EUndoStay reason);

// The short report after an undo: how many files were put back, then each
// file that stayed with its reason (the first UNDO_REPORT_NAMES of them, then
// "and N more"), and whether they stay listed for another try. The busy,
// nothing-to-undo and purge cases have their texts of their own.
std::string UndoReportText(const SUndoReport& report);
