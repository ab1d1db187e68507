#pragma once

#include <cstdint>
#include <string>

// Windows file-attribute bits, as the rules and the disposal read them.
constexpr uint32_t FILE_ATTR_READONLY = 0x01;
constexpr uint32_t FILE_ATTR_HIDDEN = 0x02;
constexpr uint32_t FILE_ATTR_SYSTEM = 0x04;
constexpr uint32_t FILE_ATTR_DIRECTORY = 0x10;
constexpr uint32_t FILE_ATTR_ARCHIVE = 0x20;
constexpr uint32_t FILE_ATTR_NORMAL = 0x80;
constexpr uint32_t FILE_ATTR_REPARSE_POINT = 0x400;

// Which file a path named when it was seen: device and inode on POSIX,
// volume serial and file index on Windows. A default-constructed identity is
// "unknown" and matches nothing in particular: operations given an unknown
// identity skip the check.
struct SFileIdentity
{
    uint64_t nVolume = 0;
    uint64_t nIndex = 0;
    bool bKnown = false;
    // POSIX reuses a freed inode number at once, so a file deleted and
    // re-created (or swapped for a link) can come back with the same inode.
    // Its birth time (nanoseconds) tells them apart where the file system
    // records one; 0 when it does not, and then only volume and index count.
    uint64_t nBirthTime = 0;

    bool operator==(const SFileIdentity& other) const
    {
        return nVolume == other.nVolume && nIndex == other.nIndex && bKnown == other.bKnown &&
               (nBirthTime == other.nBirthTime || nBirthTime == 0 || other.nBirthTime == 0);
    }
};

// One entry of a folder listing. On POSIX the listing carries no sizes:
// bDetailsKnown is false until IFolderListing::FillDetails has been called
// for the entry; directories and the identity are always known.
struct SFindEntry
{
    std::string strName;      // bare name, bytes as stored
    uint32_t nAttributes = 0; // FILE_ATTR_* bits
    uint32_t nSizeHigh = 0;
    uint32_t nSizeLow = 0;
    SFileIdentity identity;
    bool bDetailsKnown = false;

    bool IsDirectory() const { return (nAttributes & FILE_ATTR_DIRECTORY) != 0; }
};
