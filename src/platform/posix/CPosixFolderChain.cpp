#include "platform/posix/CPosixFolderChain.h"

#include "platform/posix/PosixSafeOpen.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>

namespace
{

// Paths with at most this many components are resolved from the root in one
// call, as cheap as a step; deeper ones go through the chain.
constexpr size_t SHALLOW_COMPONENTS = 32;
// Levels within this distance of the deepest one keep their descriptors, and
// every STRIDE-th level further up: a step back up to a sibling never walks
// more than STRIDE levels, and the descriptors held stay few.
constexpr size_t RECENT_LEVELS = 32;
constexpr size_t STRIDE = 32;

constexpr uint32_t WATCH_MASK = IN_MOVE_SELF | IN_DELETE_SELF | IN_ONLYDIR;

bool IsStepName(const std::string& strName)
{
    if (strName.empty() || strName == "." || strName == ".." || strName.size() > NAME_MAX)
    {
        errno = strName.size() > NAME_MAX ? ENAMETOOLONG : EINVAL;
        return false;
    }
    return true;
}

// Where a and b first differ (the shorter length when one starts the other).
size_t MismatchAt(const std::string& a, const std::string& b)
{
    const size_t nLength = std::min(a.size(), b.size());
    constexpr size_t BLOCK = 256;
    size_t nPos = 0;
    while (nPos + BLOCK <= nLength && std::memcmp(a.data() + nPos, b.data() + nPos, BLOCK) == 0)
        nPos += BLOCK;
    while (nPos < nLength && a[nPos] == b[nPos])
        ++nPos;
    return nPos;
}

bool KeepsDescriptor(size_t nIndex, size_t nDepth)
{
    return nIndex + RECENT_LEVELS >= nDepth || (nIndex + 1) % STRIDE == 0;
}

} // namespace

CPosixFolderChain::~CPosixFolderChain()
{
    m_inotify.Reset(); // takes every watch with it
    Clear();
}

size_t CPosixFolderChain::OpenFolderCount() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    size_t nCount = 0;
    for (const SLevel& level : m_levels)
        nCount += level.folder.IsOpen() ? 1 : 0;
    return nCount;
}

void CPosixFolderChain::Truncate(size_t nLevels)
{
    while (m_levels.size() > nLevels)
    {
        SLevel& level = m_levels.back();
        if (level.nWatch >= 0 && m_inotify.IsOpen())
        {
            ::inotify_rm_watch(m_inotify.Get(), level.nWatch);
            m_levelOfWatch.erase(level.nWatch);
        }
        m_levels.pop_back();
    }
    m_strChain.resize(m_levels.empty() ? 0 : m_levels.back().nEnd);
}

void CPosixFolderChain::Clear()
{
    Truncate(0);
    if (m_nRootWatch >= 0 && m_inotify.IsOpen())
        ::inotify_rm_watch(m_inotify.Get(), m_nRootWatch);
    m_nRootWatch = -1;
    m_root.Reset();
    m_strHostRoot.clear();
}

void CPosixFolderChain::ReadEvents()
{
    alignas(struct inotify_event) char buffer[4096];
    for (;;)
    {
        const ssize_t nRead = ::read(m_inotify.Get(), buffer, sizeof(buffer));
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
            return; // EAGAIN: nothing has moved
        for (ssize_t nPos = 0; nPos < nRead;)
        {
            const auto* pEvent = reinterpret_cast<const struct inotify_event*>(buffer + nPos);
            nPos += static_cast<ssize_t>(sizeof(struct inotify_event) + pEvent->len);
            if ((pEvent->mask & IN_Q_OVERFLOW) != 0 || pEvent->wd == m_nRootWatch)
            {
                Clear();
                continue;
            }
            const auto it = m_levelOfWatch.find(pEvent->wd);
            if (it != m_levelOfWatch.end())
                Truncate(it->second);
        }
    }
}

bool CPosixFolderChain::UseRoot(const std::string& strHostRoot)
{
    if (!m_bInotifyTried)
    {
        m_bInotifyTried = true;
        m_inotify.Reset(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC));
    }
    if (!m_inotify.IsOpen())
        return false;
    if (m_root.IsOpen() && strHostRoot == m_strHostRoot)
    {
        // The root is whatever its configured path names now, as for a
        // resolution from the root: a root renamed, deleted, or whose parent
        // was renamed, is opened again by its path. One look at the path
        // tells it without reading any event: the kept descriptor holds the
        // root's inode, so no other folder can carry its number meanwhile.
        struct stat now
        {
        };
        if (::stat(strHostRoot.c_str(), &now) == 0 && now.st_dev == m_nRootDevice &&
            now.st_ino == m_nRootInode)
            return true;
    }
    Clear();
    CPosixFd root = CPosixSafeOpen::OpenRoot(strHostRoot);
    struct stat info
    {
    };
    if (!root.IsOpen() || ::fstat(root.Get(), &info) != 0)
        return false;
    const std::string strProcName = "/proc/self/fd/" + std::to_string(root.Get());
    m_nRootWatch = ::inotify_add_watch(m_inotify.Get(), strProcName.c_str(), WATCH_MASK);
    if (m_nRootWatch < 0)
        return false;
    // The configured root is trusted by its path: it is only kept while that
    // path still names the folder now watched.
    struct stat again
    {
    };
    if (::stat(strHostRoot.c_str(), &again) != 0 || again.st_dev != info.st_dev ||
        again.st_ino != info.st_ino)
    {
        Clear();
        return false;
    }
    m_root = std::move(root);
    m_strHostRoot = strHostRoot;
    m_nRootDevice = info.st_dev;
    m_nRootInode = info.st_ino;
    return true;
}

bool CPosixFolderChain::Step(int nParentFd, const std::string& strName, CPosixFd& folder,
                             uint64_t& nInode) const
{
    folder.Reset(
        ::openat(nParentFd, strName.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.IsOpen())
        return false;
    SPosixStatus status;
    if (!CPosixSafeOpen::StatOpen(folder.Get(), m_nRootDevice, status) || !S_ISDIR(status.nMode))
    {
        folder.Reset();
        errno = EXDEV;
        return false;
    }
    nInode = status.nInode;
    return true;
}

bool CPosixFolderChain::Watch(int nParentFd, const std::string& strName, const CPosixFd& folder,
                              SLevel& level)
{
    const std::string strProcName = "/proc/self/fd/" + std::to_string(folder.Get());
    level.nWatch = ::inotify_add_watch(m_inotify.Get(), strProcName.c_str(), WATCH_MASK);
    if (level.nWatch < 0)
        return false;
    // Moved between the opening and the watch? Then the name no longer
    // leads to it and the watch has missed that move.
    SPosixStatus status;
    if (!CPosixSafeOpen::StatLeaf(nParentFd, m_nRootDevice, strName, status) ||
        status.nInode != level.nInode)
    {
        ::inotify_rm_watch(m_inotify.Get(), level.nWatch);
        level.nWatch = -1;
        errno = ENOENT;
        return false;
    }
    return true;
}

CPosixFd CPosixFolderChain::OpenFolder(const std::string& strHostRoot,
                                       const std::string& strRelative, int nFlags)
{
    uint64_t nDevice = 0;
    return OpenFolder(strHostRoot, strRelative, nFlags, nDevice);
}

CPosixFd CPosixFolderChain::OpenFolder(const std::string& strHostRoot,
                                       const std::string& strRelative, int nFlags,
                                       uint64_t& nDevice)
{
    nFlags |= O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    const size_t nDepth =
        strRelative.empty() ? 0 : std::count(strRelative.begin(), strRelative.end(), '/') + 1;

    const std::lock_guard<std::mutex> lock(m_mutex);
    for (int nTry = 0; nTry < 3 && UseRoot(strHostRoot); ++nTry)
    {
        nDevice = m_nRootDevice;
        if (nDepth <= SHALLOW_COMPONENTS)
            return CPosixSafeOpen::OpenBeneath(m_root.Get(), strRelative, nFlags);
        // The moves seen so far: a kept level moved away earlier is looked up
        // again from its nearest kept parent (the root's own move drops all).
        ReadEvents();
        if (!m_root.IsOpen())
            continue;
        CPosixFd folder = Descend(strRelative, nDepth, nFlags);
        if (!folder.IsOpen())
            return {};
        // Every level the descent went through must have stayed in place
        // until the folder was open: a move seen only now means the folder
        // may have been opened out there. Look it up again.
        const size_t nUsed = m_levels.size();
        ReadEvents();
        if (m_root.IsOpen() && m_levels.size() == nUsed)
            return folder;
    }
    const CPosixFd root = CPosixSafeOpen::OpenRoot(strHostRoot);
    if (!root.IsOpen() || !CPosixSafeOpen::DeviceOf(root.Get(), nDevice))
        return {};
    return CPosixSafeOpen::OpenBeneath(root.Get(), strRelative, nFlags);
}

CPosixFd CPosixFolderChain::Descend(const std::string& strRelative, size_t nDepth, int nFlags)
{
    // The levels whose whole names the path shares with the chain.
    const size_t nAgreed = MismatchAt(strRelative, m_strChain);
    size_t nCommon = static_cast<size_t>(std::upper_bound(m_levels.begin(), m_levels.end(), nAgreed,
                                                          [](size_t nPos, const SLevel& level)
                                                          { return nPos < level.nEnd; }) -
                                         m_levels.begin());
    if (nCommon > 0 && m_levels[nCommon - 1].nEnd < strRelative.size() &&
        strRelative[m_levels[nCommon - 1].nEnd] != '/')
        --nCommon;
    Truncate(nCommon);
    size_t nStart = nCommon;
    while (nStart > 0 && !m_levels[nStart - 1].folder.IsOpen())
        --nStart;

    int nFd = nStart == 0 ? m_root.Get() : m_levels[nStart - 1].folder.Get();
    size_t nNameStart = nStart == 0 ? 0 : m_levels[nStart - 1].nEnd + 1;
    CPosixFd transient;
    bool bKeeping = true;
    for (size_t i = nStart; i < nDepth; ++i)
    {
        size_t nNameEnd = strRelative.find('/', nNameStart);
        if (nNameEnd == std::string::npos)
            nNameEnd = strRelative.size();
        const std::string strName = strRelative.substr(nNameStart, nNameEnd - nNameStart);
        nNameStart = nNameEnd + 1;
        CPosixFd next;
        uint64_t nInode = 0;
        if (!IsStepName(strName) || !Step(nFd, strName, next, nInode))
        {
            Truncate(i);
            return {};
        }
        // A level kept by name only must still be the folder watched.
        if (i < m_levels.size() && m_levels[i].nInode != nInode)
            Truncate(i);
        if (bKeeping && i == m_levels.size())
        {
            SLevel level;
            level.nEnd = nNameEnd;
            level.nInode = nInode;
            if (Watch(nFd, strName, next, level))
            {
                m_levelOfWatch[level.nWatch] = i;
                m_levels.push_back(std::move(level));
                if (i > 0)
                    m_strChain.push_back('/');
                m_strChain += strName;
            }
            else if (errno == ENOSPC || errno == ENOMEM || errno == EACCES)
                bKeeping = false; // no more watches: go on without keeping
            else
                return {};
        }
        if (i < m_levels.size() && KeepsDescriptor(i, nDepth))
        {
            m_levels[i].folder = std::move(next);
            nFd = m_levels[i].folder.Get();
        }
        else
        {
            transient = std::move(next);
            nFd = transient.Get();
        }
    }
    // Levels that left the recent window give their descriptors back.
    const size_t nLast =
        std::min(m_levels.size(), nDepth > RECENT_LEVELS ? nDepth - RECENT_LEVELS : 0);
    for (size_t i = nStart > RECENT_LEVELS ? nStart - RECENT_LEVELS : 0; i < nLast; ++i)
    {
        if (!KeepsDescriptor(i, nDepth))
            m_levels[i].folder.Reset();
    }
    return CPosixFd(::openat(nFd, ".", nFlags));
}
