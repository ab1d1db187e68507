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
// symbolic link is followed (O_NOFOLLOW | O_DIRECTORY, and the step must be a
// folder), "." and ".." never appear, and a folder on another device or a
// mount root (a bind mount included) is never entered.
//
// The one hazard a kept descriptor adds: it keeps naming its folder when that
// folder, or any folder above it, is renamed, even out of the drive. A
// resolution from the root cannot be misled that way. Proving at each step
// that a kept folder still sits beneath the root without help costs a walk
// back up through "..", level by level, which is the depth-times-number
// cost again. So every kept level, and the root, carries an inotify watch
// for its own move and deletion, and a level that was moved or deleted
// leaves the chain with everything below it:
// - the events are read before a descent, so a folder moved away earlier is
//   looked up again from its nearest kept parent (and no longer found);
// - they are read again once the folder is open, so a move during the
//   descent is seen as well, and the folder is looked up once more;
// - a watch is checked once it is in place (the name in the parent still
//   leads to the folder opened), so a move just before it cannot slip past;
// - an overflowed event queue drops the whole chain.
// What is left is the moment every listing has, wherever it was opened
// from: a folder renamed away after it was opened is listed where it now is.
// Where no watches are to be had, nothing is kept and each folder is resolved
// from the root; when they run out part way down, the deeper levels are
// stepped through afresh in each call.
//
// A folder covered by a mount after it was kept is still listed as it was
// (the covered folder, on the drive's own file system); a resolution from the
// root would refuse the path. Nothing is lost: every operation that changes a
// file resolves its path from the root, and the mount stops it there.
//
// A path of a few components is resolved from the kept root in one call (an
// openat2 that returns the folder's own handle), which costs no more than a
// step; the chain serves the deep ones. Such a call reads no event: the
// openat2 stays beneath the kept root, and a stat of the root's path, made
// in every call, tells whether that path still names the kept root.
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
    // The same, and nDevice is the folder's device (st_dev): the root's, as
    // nothing is opened across a mount.
    CPosixFd OpenFolder(const std::string& strHostRoot, const std::string& strRelative, int nFlags,
                        uint64_t& nDevice);

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

    // Opens inotify on first use and (re)opens the root when its path no
    // longer names the folder kept; false when nothing can be kept. Reads no
    // events: a descent through kept levels reads them itself.
    bool UseRoot(const std::string& strHostRoot);
    // The descent itself, from the deepest kept level the path shares; the
    // chain then holds the path's levels (as far as they can be watched).
    CPosixFd Descend(const std::string& strRelative, size_t nDepth, int nFlags);
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
    uint64_t m_nRootInode = 0;
    int m_nRootWatch = -1;
    std::vector<SLevel> m_levels;
    std::string m_strChain; // the levels' names joined by "/"
    std::unordered_map<int, size_t> m_levelOfWatch;
    CPosixFd m_inotify;
    bool m_bInotifyTried = false;
};
