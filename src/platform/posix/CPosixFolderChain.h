#pragma once

#include "platform/posix/PosixFd.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// The chain of folders last opened below one drive root, kept open so that
// the next folder of a depth-first walk is one step from a folder already
// open instead of a resolution from the drive root: the cost of a walk grows
// with the number of folders, not with their depth times their number.
//
// Every step is taken as a resolution from the root would take it: no
// symbolic link is followed, "." and ".." never appear, and a folder on
// another device or a mount root (a bind mount included) is never entered.
//
// A descriptor keeps naming its folder when that folder is renamed, even
// when it is moved out of the drive. A kept folder is therefore only reused
// while it is known to be still where its path says: every folder of the
// chain carries an inotify watch for its own move and deletion, and the
// events are read before each use. A folder that was moved or deleted, with
// everything kept below it, leaves the chain and is looked up again from its
// nearest kept parent, so a renamed-away ancestor leads nowhere outside the
// drive. A watch is checked after it is in place (the name in the parent
// still is the folder opened), so a move just before it cannot slip past.
// Where watches are not to be had, nothing is kept and each folder is
// resolved from the root.
//
// A path of a few components is resolved from the root in one call, which
// costs no more than a step; the chain serves the deep ones.
//
// Used only to list folders. Operations that change files resolve their
// paths from the root each time and check identities there.
// Thread-safe: one lock is held for the whole of each call.
class CPosixFolderChain
{
public:
    CPosixFolderChain() = default;
    ~CPosixFolderChain();
    CPosixFolderChain(const CPosixFolderChain&) = delete;
    CPosixFolderChain& operator=(const CPosixFolderChain&) = delete;

    // Opens the folder strRelative ("a/b/c", "" for the root itself, no "."
    // or ".." components) beneath strHostRoot with nFlags (open(2) flags,
    // O_DIRECTORY, O_NOFOLLOW and O_CLOEXEC added). Fails with errno EXDEV
    // for another mount on the way, ELOOP or ENOTDIR for a link.
    CPosixFd OpenFolder(const std::string& strHostRoot, const std::string& strRelative, int nFlags);

    // How many folders below the root are kept open (for tests).
    size_t OpenFolderCount() const;

private:
    struct SLevel
    {
        size_t nEnd = 0; // where its name ends in m_strChain
        uint64_t nInode = 0;
        CPosixFd folder; // O_PATH; closed for levels kept by name only
        int nWatch = -1;
    };

    // Opens inotify on first use, takes in the moves seen so far and (re)opens
    // the root; false when nothing can be kept.
    bool UseRoot(const std::string& strHostRoot);
    // Drops every level that was moved or deleted, with the levels below it.
    void ReadEvents();
    void Truncate(size_t nLevels);
    void Clear();
    // One step below nParentFd, taken as OpenBeneath takes it: false for a
    // link, a non-folder, another device or a mount root (errno EXDEV).
    bool Step(int nParentFd, const std::string& strName, CPosixFd& folder, uint64_t& nInode) const;
    // Watches the folder just opened and checks that the name still leads to
    // it; false (errno set) when it cannot be watched or has moved.
    bool Watch(int nParentFd, const std::string& strName, const CPosixFd& folder, SLevel& level);

    mutable std::mutex m_mutex;
    std::string m_strHostRoot;
    CPosixFd m_root; // O_PATH
    uint64_t m_nRootDevice = 0;
    int m_nRootWatch = -1;
    std::vector<SLevel> m_levels;
    std::string m_strChain; // the levels' names joined by "/"
    std::unordered_map<int, size_t> m_levelOfWatch;
    CPosixFd m_inotify;
    bool m_bInotifyTried = false;
};
