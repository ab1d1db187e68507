#pragma once

#include <cstdint>
#include <string>

// The command line of scrubix-dispose. Settings not named on it keep their
// stored values; nothing is written back to the store.
struct SDisposeOptions
{
    std::string strRoot; // "C:"
    int32_t nMove = 1;   // 1 purge, 0 move
    int32_t nRecycleRadio = 0;
    std::string strMovePath;
    int32_t nAnomaly = -1; // -1: as stored
    int32_t nOverwrite = -1;
    int32_t nDeleteReadOnly = -1;
    int32_t nMinAge = -1; // days; -1: as stored
    bool bTiming = false;
    bool bQuiet = false;
    // --undo-last-move: no search, no drive; the last move pass put back.
    bool bUndoLastMove = false;
};

// False (with a message in strError) for a command line that is not usable.
bool ParseDisposeOptions(int argc, char** argv, SDisposeOptions& options, std::string& strError);

inline constexpr const char* DISPOSE_USAGE =
    "usage: scrubix-dispose (--purge | --move-to-trash | --move-to-folder FOLDER)\n"
    "                       [--report | --no-report] [--overwrite | --no-overwrite]\n"
    "                       [--delete-read-only | --keep-read-only] [--min-age DAYS]\n"
    "                       [--timing] [--quiet] DRIVE:\n"
    "       scrubix-dispose --undo-last-move\n"
    "Searches DRIVE: with the stored settings, checks every candidate and disposes of it.\n"
    "--undo-last-move puts the files of the last move pass back where they were.\n";
