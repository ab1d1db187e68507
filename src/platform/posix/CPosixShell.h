#pragma once

#include "platform/IShell.h"
#include "platform/posix/CDriveMap.h"

#include <string>
#include <sys/types.h>

// The desktop's trash, in the layout its file manager restores from (see
// CPosixTrash); "open" through the desktop's default handler, started detached.
class CPosixShell : public IShell
{
public:
    // strOpener: the program that "open" starts with the target as its only
    // argument, looked up in PATH.
    explicit CPosixShell(CDriveMap driveMap, std::string strOpener = "xdg-open");

    // The file is reached from its drive's root without following any link;
    // a folder, a missing file, a changed identity or a path above a link
    // fails and leaves everything where it was.
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override;
    // The entry names the .trashinfo the move wrote (its host path).
    bool MoveToTrashRecorded(const std::string& strPath, const SFileIdentity& expected,
                             STrashEntry& entry) override;
    // Reads the entry's .trashinfo (PosixTrashRestore.h); the original's
    // folder is opened beneath its drive root without following a link.
    EPutBack RestoreFromTrash(const STrashEntry& entry, const std::string& strOriginal) override;
    // A Windows-form path on a drive is handed over as its host path, any
    // other target (a web or mail address) as it is. True when the opener
    // could be started; nothing waits for it.
    bool Open(const std::string& strTarget) override;
    // The same opener; the outcome is its exit status, awaited on a thread of
    // its own: true when it ended with status 0, false when it could not be
    // started, ended with another status or was killed by a signal.
    std::future<bool> OpenWithOutcome(const std::string& strTarget) override;
    // The drive map's host path; the path itself outside every drive.
    std::string HostPath(const std::string& strPath) override;

private:
    // Starts the opener on the target in a session of its own, its input
    // from /dev/null; 0 when it could not be started.
    pid_t StartOpener(const std::string& strTarget);

    CDriveMap m_driveMap;
    std::string m_strOpener;
};
