#pragma once

#include "disposal/MoveRecord.h"

#include <string>
#include <vector>

class IFileSystem;
class IRegistry;
class IShell;

// Why a file of the last move stayed where it was put.
enum class EUndoStay
{
    Changed,     // written to, or another file, since the move
    Taken,       // its original path is taken: nothing is replaced
    Gone,        // no longer where the move put it
    Unreachable, // its folder cannot be reached or made again safely, or the move back failed
    RecycleBin,  // only the Recycle Bin itself can restore it
};

struct SUndoStayed
{
    std::string strPath; // the original path
    EUndoStay reason = EUndoStay::Unreachable;
};

// What an undo did.
enum class EUndoResult
{
    Done,          // every file was tried: see nRestored and stayed
    NothingToUndo, // no move is recorded
    LastWasPurge,  // the last pass purged: nothing can be put back
    Busy,          // another pass over the same settings runs: nothing touched
};

struct SUndoReport
{
    EUndoResult result = EUndoResult::NothingToUndo;
    int nRestored = 0;
    std::vector<SUndoStayed> stayed;
    // Files that stayed and remain recorded for a later try (their reason is
    // Taken or Unreachable: something the user can change).
    int nKept = 0;
};

// Undo Last Move: puts every file of the recorded move back at its original
// path. A file that was written to or replaced since the move (its identity,
// size or modification time differ), or whose original path is taken now,
// stays where it is; nothing is ever overwritten. The recorded file found
// at its original path already counts as put back. The original's folder is
// reached beneath its drive root without following a link; a missing folder
// is made again one name at a time, each inside a folder reached the same
// way, so a link put in place of a folder is never made into or moved
// through. From the Trash the shell reads the entry's .trashinfo, moves the
// file back and removes the .trashinfo.
//
// Afterwards the record keeps only the files that stayed for a reason the
// user can remove (a taken path, an unreachable folder): the command tries
// them again. A file changed since, gone, or in the Recycle Bin is dropped:
// no later try could put it back. With nothing kept the record is removed.
//
// Runs on the calling thread under the disposal lock (no pass runs meanwhile).
class CUndoLastMove
{
public:
    CUndoLastMove(IFileSystem& fileSystem, IShell& shell, IRegistry& registry);

    SUndoReport Run();
    // What the stored record holds (for the command's availability).
    static ELastPass LastPass(IRegistry& registry);

private:
    EUndoStay PutBack(const SMovedFile& file, bool& bMoved);
    // Makes the folders on the way to strFolder that are missing.
    bool MakeFolderChain(const std::string& strFolder);

    IFileSystem& m_fileSystem;
    IShell& m_shell;
    IRegistry& m_registry;
};
