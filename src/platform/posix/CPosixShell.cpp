#include "platform/posix/CPosixShell.h"

#include "platform/posix/PosixSafeOpen.h"
#include "platform/posix/PosixTrash.h"
#include "platform/posix/PosixTrashRestore.h"

#include <cerrno>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

CPosixShell::CPosixShell(CDriveMap driveMap, std::string strOpener)
    : m_driveMap(std::move(driveMap)), m_strOpener(std::move(strOpener))
{
}

bool CPosixShell::MoveToTrash(const std::string& strPath, const SFileIdentity& expected)
{
    STrashEntry entry;
    return MoveToTrashRecorded(strPath, expected, entry);
}

EPutBack CPosixShell::RestoreFromTrash(const STrashEntry& entry, const std::string& strOriginal)
{
    const auto hostPath = m_driveMap.Split(strOriginal);
    if (!hostPath || hostPath->strRelative.empty() || entry.strRecord.empty())
        return EPutBack::Failed;
    const std::string& strRelative = hostPath->strRelative;
    const size_t nSlash = strRelative.rfind('/');
    const std::string strFolder = nSlash == std::string::npos ? "" : strRelative.substr(0, nSlash);
    const std::string strName = strRelative.substr(nSlash == std::string::npos ? 0 : nSlash + 1);
    if (strName.empty() || strName == "." || strName == "..")
        return EPutBack::Failed;
    const CPosixFd root = CPosixSafeOpen::OpenRoot(hostPath->strRoot);
    if (!root.IsOpen())
        return EPutBack::Failed;
    const CPosixFd folder =
        strFolder.empty()
            ? CPosixFd(::openat(root.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))
            : CPosixSafeOpen::OpenBeneath(root.Get(), strFolder, O_PATH | O_DIRECTORY);
    if (!folder.IsOpen())
        return EPutBack::Failed;
    const std::string strHost =
        (hostPath->strRoot == "/" ? std::string() : hostPath->strRoot) + "/" + strRelative;
    return RestoreTrashEntry(entry.strRecord, folder.Get(), strName, strHost, entry.identity);
}

bool CPosixShell::MoveToTrashRecorded(const std::string& strPath, const SFileIdentity& expected,
                                      STrashEntry& entry)
{
    entry = STrashEntry{};
    const auto hostPath = m_driveMap.Split(strPath);
    if (!hostPath || hostPath->strRelative.empty())
        return false;
    const std::string& strRelative = hostPath->strRelative;
    const size_t nSlash = strRelative.rfind('/');
    const std::string strFolder = nSlash == std::string::npos ? "" : strRelative.substr(0, nSlash);
    const std::string strName = strRelative.substr(nSlash == std::string::npos ? 0 : nSlash + 1);
    if (strName.empty() || strName == "." || strName == "..")
        return false;

    const CPosixFd root = CPosixSafeOpen::OpenRoot(hostPath->strRoot);
    if (!root.IsOpen())
        return false;
    const CPosixFd folder =
        strFolder.empty()
            ? CPosixFd(::openat(root.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC))
            : CPosixSafeOpen::OpenBeneath(root.Get(), strFolder, O_RDONLY | O_DIRECTORY);
    if (!folder.IsOpen())
        return false;

    struct stat status
    {
    };
    if (::fstatat(folder.Get(), strName.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    SPosixStatus leaf;
    if (expected.bKnown && (!CPosixSafeOpen::StatLeaf(folder.Get(), strName, leaf) ||
                            !IsUnchangedSince(expected, IdentityOf(leaf))))
        return false;
    const std::string strHost =
        (hostPath->strRoot == "/" ? std::string() : hostPath->strRoot) + "/" + strRelative;
    if (!CPosixTrash::TrashEntry(folder.Get(), strName, strHost, status, &entry.strRecord))
        return false;
    SPosixStatus trashed;
    if (!StatTrashedFile(entry.strRecord, trashed))
    {
        // Moved, but not to be found again: nothing to record.
        entry.strRecord.clear();
        return true;
    }
    entry.identity = IdentityOf(trashed);
    return true;
}

std::string CPosixShell::HostPath(const std::string& strPath)
{
    const auto host = m_driveMap.ToHost(strPath);
    return host ? *host : strPath;
}

pid_t CPosixShell::StartOpener(const std::string& strTarget)
{
    std::string strArgument = strTarget;
    if (const auto host = m_driveMap.ToHost(strTarget))
        strArgument = *host;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);

    std::string strProgram = m_strOpener;
    char* argv[] = {strProgram.data(), strArgument.data(), nullptr};
    pid_t nChild = 0;
    const int nError =
        ::posix_spawnp(&nChild, strProgram.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return nError == 0 ? nChild : 0;
}

namespace
{
// The opener's wait status once it has ended; -1 when it cannot be waited for.
int WaitForOpener(pid_t nChild)
{
    int nStatus = 0;
    while (::waitpid(nChild, &nStatus, 0) < 0)
    {
        if (errno != EINTR)
            return -1;
    }
    return nStatus;
}
} // namespace

bool CPosixShell::Open(const std::string& strTarget)
{
    const pid_t nChild = StartOpener(strTarget);
    if (nChild == 0)
        return false;
    // Reap the opener whenever it ends, without making anyone wait for it.
    std::thread([nChild] { WaitForOpener(nChild); }).detach();
    return true;
}

std::future<bool> CPosixShell::OpenWithOutcome(const std::string& strTarget)
{
    std::promise<bool> outcome;
    std::future<bool> result = outcome.get_future();
    const pid_t nChild = StartOpener(strTarget);
    if (nChild == 0)
    {
        outcome.set_value(false);
        return result;
    }
    std::thread(
        [nChild, outcome = std::move(outcome)]() mutable
        {
            const int nStatus = WaitForOpener(nChild);
            outcome.set_value(nStatus >= 0 && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0);
        })
        .detach();
    return result;
}
