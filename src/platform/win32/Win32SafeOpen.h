#pragma once

#include "platform/FileTypes.h"
#include "platform/win32/Win32Handle.h"

#include <cstdint>
#include <string>

// What an open handle says about the file it holds.
struct SWin32FileInfo
{
    uint32_t nAttributes = 0; // FILE_ATTR_* bits as stored (a link keeps its directory bit)
    uint64_t nSize = 0;
    uint32_t nLinks = 1; // names the file has (hard links)
    SFileIdentity identity;

    bool IsReparsePoint() const { return (nAttributes & FILE_ATTR_REPARSE_POINT) != 0; }
    bool IsFolder() const { return (nAttributes & FILE_ATTR_DIRECTORY) != 0 && !IsReparsePoint(); }
};

// Opens exactly the object at a host path: a reparse point at the final name
// is opened itself, never followed, and the path must be the object's own
// final path, so that a junction or link in a parent folder fails the open.
// Folders open too (the caller decides what to refuse).
class CWin32SafeOpen
{
public:
    // nAccess and nShare are the CreateFile values.
    static CWin32Handle Open(const std::string& strHostPath, uint32_t nAccess, uint32_t nShare,
                             SWin32FileInfo& info);
    static bool Describe(void* hFile, SWin32FileInfo& info);
    // True when the handle was reached without passing through a link: its
    // final path is the full path asked for.
    static bool IsReachedDirectly(void* hFile, const std::string& strHostPath);
    // The identity check every guarded operation makes: the same file,
    // unchanged since it was seen.
    static bool Matches(const SWin32FileInfo& info, const SFileIdentity& expected)
    {
        return IsUnchangedSince(expected, info.identity);
    }
};
