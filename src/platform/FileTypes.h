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
//
// It also carries what the file held when it was seen (size and times), so
// that a file written to, truncated or replaced since is told from the file
// the user reviewed: see IsUnchangedSince.
struct SFileIdentity
{
    uint64_t nVolume = 0;
    uint64_t nIndex = 0;
    bool bKnown = false;
    // POSIX reuses a freed inode number at once, so a file deleted and
    // re-created (or swapped for a link) can come back with the same inode.
    // Its birth time (nanoseconds) tells them apart where the file system
    // records one (Windows: the creation time); 0 when it does not, and then
    // only volume and index count here (IsUnchangedSince still tells them
    // apart by the change time).
    uint64_t nBirthTime = 0;

    // The file's state when it was seen; bStateKnown is false where only the
    // name's identity was read (a listing without details).
    bool bStateKnown = false;
    uint64_t nSize = 0;
    // Last modification (POSIX mtime; Windows last-write time) and last
    // change of the file or its metadata (POSIX ctime; Windows change time),
    // in the platform's file-time units (nanoseconds since 1970 on POSIX,
    // 100 ns since 1601 on Windows); 0 when unknown.
    int64_t nWriteTime = 0;
    int64_t nChangeTime = 0;

    // The same file: its contents may have changed since.
    bool operator==(const SFileIdentity& other) const
    {
        return nVolume == other.nVolume && nIndex == other.nIndex && bKnown == other.bKnown &&
               (nBirthTime == other.nBirthTime || nBirthTime == 0 || other.nBirthTime == 0);
    }
};

// True when `now` is the file `seen` names and it has not been written to,
// truncated or replaced since: the same file, with the same size and
// modification time. Where either side has no birth time, a file made
// again under a reused inode is told apart by its change time instead (an
// attribute change then counts as a change too). An unknown `seen` matches
// anything; a state not known on either side is not compared.
inline bool IsUnchangedSince(const SFileIdentity& seen, const SFileIdentity& now)
{
    if (!seen.bKnown)
        return true;
    if (!(seen == now))
        return false;
    if (!seen.bStateKnown || !now.bStateKnown)
        return true;
    if (seen.nSize != now.nSize || seen.nWriteTime != now.nWriteTime)
        return false;
    const bool bBirthTimesKnown = seen.nBirthTime != 0 && now.nBirthTime != 0;
    return bBirthTimesKnown || seen.nChangeTime == now.nChangeTime || seen.nChangeTime == 0 ||
           now.nChangeTime == 0;
}

// How putting a file back at its earlier name ended.
enum class EPutBack
{
    Moved,   // it is back under the name
    Changed, // the file there is not the one recorded, or it was written to since
    Taken,   // the name is taken: nothing was replaced
    Gone,    // no file is where it was put
    Failed,  // anything else: a folder that cannot be reached safely, an I/O error
};

// One entry of a folder listing. On POSIX the listing carries no sizes:
// bDetailsKnown is false until IFolderListing::FillDetails has been called
// for the entry; directories and the identity are always known. On Windows
// the listing carries sizes but no file index: a file's identity is unknown
// (identity.bKnown false) until FillDetails; it does carry the last-write
// time (bWriteTimeKnown).
struct SFindEntry
{
    std::string strName;      // bare name, bytes as stored
    uint32_t nAttributes = 0; // FILE_ATTR_* bits
    uint32_t nSizeHigh = 0;
    uint32_t nSizeLow = 0;
    SFileIdentity identity;
    bool bDetailsKnown = false;
    // The last-write time the listing itself carries (Windows), in file-time
    // units; where it carries none the time is the identity's, once known.
    int64_t nWriteTime = 0;
    bool bWriteTimeKnown = false;

    bool IsDirectory() const { return (nAttributes & FILE_ATTR_DIRECTORY) != 0; }
};
