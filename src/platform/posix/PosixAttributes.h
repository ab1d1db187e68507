#pragma once

#include "platform/FileTypes.h"

#include <sys/stat.h>

// Windows attributes of a host file. Read-only is the owner's write bit; a
// symbolic link has no permissions of its own and is never read-only. Hidden
// and system do not exist on Linux and always read clear.
inline uint32_t PosixAttributesFromMode(mode_t nMode)
{
    if (S_ISLNK(nMode))
        return FILE_ATTR_REPARSE_POINT;
    uint32_t nAttributes = S_ISDIR(nMode) ? FILE_ATTR_DIRECTORY : 0;
    if ((nMode & S_IWUSR) == 0)
        nAttributes |= FILE_ATTR_READONLY;
    return nAttributes == 0 ? FILE_ATTR_NORMAL : nAttributes;
}

inline void PosixSplitSize(uint64_t nSize, uint32_t& nSizeHigh, uint32_t& nSizeLow)
{
    nSizeHigh = static_cast<uint32_t>(nSize >> 32);
    nSizeLow = static_cast<uint32_t>(nSize & 0xFFFFFFFFu);
}
