#pragma once

#include "platform/FileTypes.h"

#include <string>
#include <vector>

class IRegistry;

// What the last pass did, as far as Undo Last Move needs it: the files a move
// pass moved (where from, where to, which file), or that the last pass was a
// purge. Kept as the registry's record MOVE_RECORD_NAME (beside the settings,
// written whole: IRegistry::ReplaceRecord) until it is undone; a new pass
// replaces it.
enum class ELastPass
{
    None,  // nothing recorded (or nothing left to undo)
    Purge, // a purge: nothing can be put back
    Move,  // a move: the files below
};

// One moved file. bTrash: moved to the Trash, strNew is then the trash's
// record of it (STrashEntry::strRecord; empty where only the Recycle Bin
// itself can restore it); otherwise strNew is the Windows-form path it was
// moved to. identity is the file where it was put, right after the move: its
// volume and index (birth time where known), size and modification time.
struct SMovedFile
{
    bool bTrash = false;
    std::string strOriginal;
    std::string strNew;
    SFileIdentity identity;
};

struct SMoveRecord
{
    ELastPass kind = ELastPass::None;
    std::vector<SMovedFile> files;
};

inline constexpr const char* MOVE_RECORD_NAME = "LastMove";

// The record as text: a header line, the kind, one tab-separated line a file
// (its texts with '%', tab, CR and LF escaped as %XX), and an end line.
std::string FormatMoveRecord(const SMoveRecord& record);
// False for a text that is not a whole record (cut short, or another format).
bool ParseMoveRecord(const std::string& strText, SMoveRecord& record);

// The stored record; kind None when there is none or it cannot be read whole.
SMoveRecord LoadMoveRecord(IRegistry& registry);
// Replaces the stored record; a move with no files left removes it. The
// caller holds the disposal lock. False when it could not be written.
bool SaveMoveRecord(IRegistry& registry, const SMoveRecord& record);

// The identity as recorded: what a move leaves unchanged (the change time
// moves on with every rename, so it is not kept).
SFileIdentity RecordedIdentity(const SFileIdentity& identity);
