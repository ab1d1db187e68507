#pragma once

#include "platform/IShell.h"
#include "platform/win32/CWin32DriveMap.h"

// The Recycle Bin through SHFileOperation, "open" through ShellExecute.
class CWin32Shell : public IShell
{
public:
    explicit CWin32Shell(CWin32DriveMap driveMap);
    // The shell's buffer holds 260 characters and the double NUL: a longer
    // path fails and the file stays.
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override;
    bool Open(const std::string& strTarget) override;

private:
    CWin32DriveMap m_driveMap;
};
