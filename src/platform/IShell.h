#pragma once

#include "platform/FileTypes.h"

#include <string>

class IShell
{
public:
    virtual ~IShell() = default;
    // Moves one file to the Recycle Bin / Trash so that it can be restored
    // from there and is gone from its folder. Never deletes permanently
    // instead: on any failure the file stays where it was. With a known
    // identity, refuses a file that is no longer the one identified.
    virtual bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) = 0;
    // "open" on a file, web address or mail address; the result is advisory.
    virtual bool Open(const std::string& strTarget) = 0;
    // The path as the host names it: where drives are mapped folders, the
    // mapped file's host path; elsewhere, and for a path outside every drive,
    // the path itself.
    virtual std::string HostPath(const std::string& strPath) { return strPath; }
};
