#pragma once

#include "platform/FileTypes.h"

#include <future>
#include <string>

// Where a file moved to the Trash lies: the host path of the trash's record
// of it (".../info/NAME.trashinfo"; empty where the platform cannot name it,
// the Windows Recycle Bin) and the file as it was seen there.
struct STrashEntry
{
    std::string strRecord;
    SFileIdentity identity;
};

class IShell
{
public:
    virtual ~IShell() = default;
    // Moves one file to the Recycle Bin / Trash so that it can be restored
    // from there and is gone from its folder. Never deletes permanently
    // instead: on any failure the file stays where it was. With a known
    // identity, refuses a file that is no longer the one identified.
    virtual bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) = 0;
    // The same, and tells where the file went (an empty record where the
    // platform cannot say; then only the Trash itself can restore it).
    virtual bool MoveToTrashRecorded(const std::string& strPath, const SFileIdentity& expected,
                                     STrashEntry& entry)
    {
        entry = STrashEntry{};
        return MoveToTrash(strPath, expected);
    }
    // Puts the file of a trash entry back at strOriginal, the Windows-form
    // path it was moved from: only when the entry's record names that path,
    // when the file is still the one entry.identity names, unwritten since,
    // and when nothing is at strOriginal (nothing is ever replaced). The
    // folder is reached beneath its drive root without following a link; it
    // must exist. The record is removed once the file is back. Failed where
    // the platform cannot restore (the Windows Recycle Bin).
    virtual EPutBack RestoreFromTrash(const STrashEntry& /*entry*/,
                                      const std::string& /*strOriginal*/)
    {
        return EPutBack::Failed;
    }
    // "open" on a file, web address or mail address; the result is advisory.
    virtual bool Open(const std::string& strTarget) = 0;
    // "open" for a caller that must learn whether the target was opened and
    // may not wait for it (the window): returns at once; the future becomes
    // true when the shell opened the target and false when it could not. It
    // never blocks the caller, and it may become ready on another thread.
    // Where "open" answers at once, the future is ready on return.
    virtual std::future<bool> OpenWithOutcome(const std::string& strTarget)
    {
        std::promise<bool> outcome;
        outcome.set_value(Open(strTarget));
        return outcome.get_future();
    }
    // The path as the host names it: where drives are mapped folders, the
    // mapped file's host path; elsewhere, and for a path outside every drive,
    // the path itself.
    virtual std::string HostPath(const std::string& strPath) { return strPath; }
};
