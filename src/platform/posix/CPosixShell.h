#pragma once

#include "platform/IShell.h"
#include "platform/posix/CDriveMap.h"

// Trash through GIO (freedesktop.org Trash specification); "open" through the
// desktop's default handler.
class CPosixShell : public IShell
{
public:
    explicit CPosixShell(CDriveMap driveMap);
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override;
    bool Open(const std::string& strTarget) override;

private:
    CDriveMap m_driveMap;
};
