#include "platform/posix/PosixTrash.h"

#include "platform/posix/PosixCopyData.h"
#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixTrashRecords.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <pwd.h>
#include <random>
#include <unistd.h>
#include <vector>

namespace
{
constexpr mode_t TRASH_FOLDER_MODE = 0700;
constexpr const char* INFO_SUFFIX = ".trashinfo";
constexpr size_t MAX_TRASH_NAME = NAME_MAX - 10; // room for ".trashinfo"
constexpr int SEQUENTIAL_NAME_TRIES = 32;
constexpr int MAX_NAME_TRIES = 1000;
constexpr int MAX_LEVELS_UP = 4096;

bool IsAbsolute(const char* pszPath)
{
    return pszPath != nullptr && pszPath[0] == '/';
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int OpenFolderAt(int nParentFd, const char* pszName)
{
    int nFd;
    do
        nFd = ::openat(nParentFd, pszName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    while (nFd < 0 && errno == EINTR);
    return nFd;
}

// Creates the folder and every missing parent; new folders get mode 0700.
bool MakeFoldersWithParents(const std::string& strPath)
{
    for (size_t nPos = 1; nPos <= strPath.size(); ++nPos)
    {
        if (nPos < strPath.size() && strPath[nPos] != '/')
            continue;
        const std::string strPrefix = strPath.substr(0, nPos);
        if (::mkdir(strPrefix.c_str(), TRASH_FOLDER_MODE) != 0 && errno != EEXIST)
            return false;
    }
    struct stat status
    {
    };
    return ::stat(strPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// A trash sub-folder of nParentFd, made when missing: it must be a real
// folder (no link) owned by this user.
CPosixFd OpenOwnedFolder(int nParentFd, const char* pszName)
{
    CPosixFd folder(OpenFolderAt(nParentFd, pszName));
    if (!folder.IsOpen() && errno == ENOENT)
    {
        if (::mkdirat(nParentFd, pszName, TRASH_FOLDER_MODE) != 0 && errno != EEXIST)
            return CPosixFd();
        folder.Reset(OpenFolderAt(nParentFd, pszName));
    }
    struct stat status
    {
    };
    if (!folder.IsOpen() || ::fstat(folder.Get(), &status) != 0 || status.st_uid != ::geteuid())
        return CPosixFd();
    return folder;
}

struct STrashTarget
{
    CPosixFd files;
    CPosixFd info;
    // For a top-directory trash, the count of trailing components of the
    // file's host path that lie below the top directory; 0 for the home trash.
    int nRelativeComponents = 0;
};

bool OpenTrashFolders(int nTrashFd, dev_t device, STrashTarget& target)
{
    target.files = OpenOwnedFolder(nTrashFd, "files");
    target.info = OpenOwnedFolder(nTrashFd, "info");
    struct stat status
    {
    };
    return target.files.IsOpen() && target.info.IsOpen() &&
           ::fstat(target.files.Get(), &status) == 0 && status.st_dev == device;
}

// The home trash stays open between files: opening it and its two folders
// again for every file of a large move costs more than the rest of the move.
// It is reopened when its path names another folder than the one held, and
// when the held one turns out to be gone.
struct SHomeTrash
{
    std::mutex mutex;
    std::string strPath;
    struct stat folder
    {
    };
    STrashTarget target;
};

SHomeTrash& HomeTrash()
{
    static SHomeTrash s_homeTrash;
    return s_homeTrash;
}

bool OpenHomeTrash(SHomeTrash& home)
{
    home.target = STrashTarget{};
    home.strPath = CPosixTrash::HomeTrashFolder();
    if (home.strPath.empty())
        return false;
    CPosixFd trash(::open(home.strPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!trash.IsOpen() && errno == ENOENT && MakeFoldersWithParents(home.strPath))
        trash.Reset(::open(home.strPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!trash.IsOpen() || ::fstat(trash.Get(), &home.folder) != 0 ||
        !OpenTrashFolders(trash.Get(), home.folder.st_dev, home.target))
    {
        home.target = STrashTarget{};
        return false;
    }
    return true;
}

// The open home trash when it is on the given device; the caller holds
// home.mutex.
const STrashTarget* HomeTrashFor(SHomeTrash& home, dev_t device, bool bReopen)
{
    struct stat current
    {
    };
    const bool bHeld =
        !bReopen && home.target.files.IsOpen() && home.strPath == CPosixTrash::HomeTrashFolder() &&
        ::stat(home.strPath.c_str(), &current) == 0 && SameFile(current, home.folder);
    if (!bHeld && !OpenHomeTrash(home))
        return nullptr;
    return home.folder.st_dev == device ? &home.target : nullptr;
}

bool IsMountRoot(int nFd)
{
    struct statx info
    {
    };
    if (::statx(nFd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_INO, &info) != 0)
        return false;
    return (info.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (info.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

// The top directory of the mount holding the open folder, found by going up
// through ".." until the mount's root; nLevels tells how far that was.
CPosixFd FindTopDirectory(int nFolderFd, int& nLevels)
{
    CPosixFd current(OpenFolderAt(nFolderFd, "."));
    nLevels = 0;
    while (current.IsOpen() && nLevels < MAX_LEVELS_UP && !IsMountRoot(current.Get()))
    {
        CPosixFd parent(OpenFolderAt(current.Get(), ".."));
        struct stat here
        {
        };
        struct stat above
        {
        };
        if (!parent.IsOpen() || ::fstat(current.Get(), &here) != 0 ||
            ::fstat(parent.Get(), &above) != 0 || above.st_dev != here.st_dev ||
            SameFile(above, here))
            break;
        current = std::move(parent);
        ++nLevels;
    }
    return current;
}

bool OpenTopDirectoryTrash(int nFolderFd, dev_t device, STrashTarget& target)
{
    int nLevels = 0;
    CPosixFd top = FindTopDirectory(nFolderFd, nLevels);
    if (!top.IsOpen())
        return false;
    const std::string strUid = std::to_string(::geteuid());
    target.nRelativeComponents = nLevels + 1;

    CPosixFd shared(OpenFolderAt(top.Get(), ".Trash"));
    struct stat status
    {
    };
    if (shared.IsOpen() && ::fstat(shared.Get(), &status) == 0 && (status.st_mode & S_ISVTX) != 0)
    {
        CPosixFd mine = OpenOwnedFolder(shared.Get(), strUid.c_str());
        if (mine.IsOpen() && OpenTrashFolders(mine.Get(), device, target))
            return true;
    }
    CPosixFd own = OpenOwnedFolder(top.Get(), (".Trash-" + strUid).c_str());
    return own.IsOpen() && OpenTrashFolders(own.Get(), device, target);
}

// The last nComponents components of an absolute path, "a/b/file".
std::string TrailingComponents(const std::string& strPath, int nComponents)
{
    size_t nPos = strPath.size();
    for (int i = 0; i < nComponents && nPos != std::string::npos && nPos > 0; ++i)
        nPos = strPath.rfind('/', nPos - 1);
    return nPos == std::string::npos ? strPath : strPath.substr(nPos + 1);
}

// Shortens a name to nBytes without splitting a UTF-8 sequence.
std::string CutName(const std::string& strName, size_t nBytes)
{
    if (strName.size() <= nBytes)
        return strName;
    size_t nCut = nBytes;
    while (nCut > 0 && (static_cast<unsigned char>(strName[nCut]) & 0xC0) == 0x80)
        --nCut;
    return strName.substr(0, nCut);
}

// Name in the trash for the n-th try: the name itself, then "name.2", ...,
// then a random suffix once many are taken.
std::string TrashName(const std::string& strName, int nTry)
{
    std::string strSuffix;
    if (nTry > SEQUENTIAL_NAME_TRIES)
    {
        static thread_local std::mt19937_64 s_random{std::random_device{}()};
        char szSuffix[24];
        std::snprintf(szSuffix, sizeof(szSuffix), ".%016llx",
                      static_cast<unsigned long long>(s_random()));
        strSuffix = szSuffix;
    }
    else if (nTry > 1)
    {
        strSuffix = "." + std::to_string(nTry);
    }
    return CutName(strName, MAX_TRASH_NAME - strSuffix.size()) + strSuffix;
}

// Creates the .trashinfo exclusively and writes it whole. 1 written,
// 0 the name is taken, -1 failed.
int WriteTrashInfo(int nInfoFd, const std::string& strInfoName, const std::string& strText)
{
    const int nFd = ::openat(nInfoFd, strInfoName.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (nFd < 0)
        return errno == EEXIST ? 0 : -1;
    const bool bWritten = PosixWriteAll(nFd, strText.data(), strText.size());
    const bool bClosed = ::close(nFd) == 0;
    if (bWritten && bClosed)
        return 1;
    ::unlinkat(nInfoFd, strInfoName.c_str(), 0);
    return -1;
}
enum class EMoveOutcome
{
    Moved,
    Failed,
    // A trash folder held open no longer exists (or the entry vanished).
    TrashGone
};

// Writes the .trashinfo, then renames the entry into files/ under a free
// name, and removes the .trashinfo again when the rename fails; a file
// swapped in at the name meanwhile is given back untouched.
// The host path of an open folder, as the kernel names it.
std::string FolderPathOf(int nFd)
{
    char szPath[PATH_MAX + 1];
    const std::string strLink = "/proc/self/fd/" + std::to_string(nFd);
    const ssize_t nLength = ::readlink(strLink.c_str(), szPath, PATH_MAX);
    return nLength > 0 ? std::string(szPath, static_cast<size_t>(nLength)) : std::string();
}

// Where a moved entry went: its record's host path.
struct SMovedEntry
{
    std::string* pRecord = nullptr;
};

EMoveOutcome MoveIntoTrash(const STrashTarget& target, int nFolderFd, const std::string& strName,
                           const std::string& strHostPath, const struct stat& expected,
                           const SMovedEntry& out)
{
    const std::string strInfoPath =
        target.nRelativeComponents == 0
            ? strHostPath
            : TrailingComponents(strHostPath, target.nRelativeComponents);
    const std::string strInfoText = CPosixTrash::TrashInfoText(strInfoPath, std::time(nullptr),
                                                               static_cast<uint32_t>(::getpid()));
    SweepLeftTrashRecords(target.files.Get(), target.info.Get());

    for (int nTry = 1; nTry <= MAX_NAME_TRIES; ++nTry)
    {
        const std::string strTrashName = TrashName(strName, nTry);
        const std::string strInfoName = strTrashName + INFO_SUFFIX;
        const int nWritten = WriteTrashInfo(target.info.Get(), strInfoName, strInfoText);
        if (nWritten < 0)
            return errno == ENOENT ? EMoveOutcome::TrashGone : EMoveOutcome::Failed;
        if (nWritten == 0)
            continue;
        if (::renameat2(nFolderFd, strName.c_str(), target.files.Get(), strTrashName.c_str(),
                        RENAME_NOREPLACE) != 0)
        {
            const int nError = errno;
            ::unlinkat(target.info.Get(), strInfoName.c_str(), 0);
            if (nError == EEXIST)
                continue;
            return nError == ENOENT ? EMoveOutcome::TrashGone : EMoveOutcome::Failed;
        }
        struct stat moved
        {
        };
        if (::fstatat(target.files.Get(), strTrashName.c_str(), &moved, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(moved, expected))
        {
            if (out.pRecord != nullptr)
                *out.pRecord = FolderPathOf(target.info.Get()) + "/" + strInfoName;
            return EMoveOutcome::Moved;
        }
        if (::renameat2(target.files.Get(), strTrashName.c_str(), nFolderFd, strName.c_str(),
                        RENAME_NOREPLACE) == 0)
            ::unlinkat(target.info.Get(), strInfoName.c_str(), 0);
        return EMoveOutcome::Failed;
    }
    return EMoveOutcome::Failed;
}

} // namespace

std::string CPosixTrash::HomeTrashFolder()
{
    const char* pszDataHome = std::getenv("XDG_DATA_HOME");
    if (IsAbsolute(pszDataHome))
        return std::string(pszDataHome) + "/Trash";
    std::string strHome;
    const char* pszHome = std::getenv("HOME");
    if (IsAbsolute(pszHome))
    {
        strHome = pszHome;
    }
    else
    {
        struct passwd entry
        {
        };
        struct passwd* pResult = nullptr;
        std::vector<char> buffer(16384);
        if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &pResult) == 0 &&
            pResult != nullptr && IsAbsolute(pResult->pw_dir))
            strHome = pResult->pw_dir;
    }
    if (strHome.empty())
        return {};
    if (strHome.size() > 1 && strHome.back() == '/')
        strHome.pop_back();
    return (strHome == "/" ? std::string() : strHome) + "/.local/share/Trash";
}

std::string CPosixTrash::EncodeTrashPath(const std::string& strPath)
{
    static const char HEX[] = "0123456789ABCDEF";
    std::string strEncoded;
    strEncoded.reserve(strPath.size());
    for (const char c : strPath)
    {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
            u == '-' || u == '_' || u == '.' || u == '~' || u == '/')
        {
            strEncoded += c;
        }
        else
        {
            strEncoded += '%';
            strEncoded += HEX[u >> 4];
            strEncoded += HEX[u & 0x0F];
        }
    }
    return strEncoded;
}

bool CPosixTrash::DecodeTrashPath(const std::string& strEncoded, std::string& strPath)
{
    const auto hex = [](char c) -> int
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    std::string strDecoded;
    for (size_t i = 0; i < strEncoded.size(); ++i)
    {
        if (strEncoded[i] != '%')
        {
            strDecoded += strEncoded[i];
            continue;
        }
        if (i + 2 >= strEncoded.size() || hex(strEncoded[i + 1]) < 0 || hex(strEncoded[i + 2]) < 0)
            return false;
        strDecoded += static_cast<char>(hex(strEncoded[i + 1]) * 16 + hex(strEncoded[i + 2]));
        i += 2;
    }
    strPath = std::move(strDecoded);
    return true;
}

std::string CPosixTrash::FormatDeletionDate(std::time_t now)
{
    std::tm local{};
    ::localtime_r(&now, &local);
    char szDate[32];
    const size_t nLength = std::strftime(szDate, sizeof(szDate), "%Y-%m-%dT%H:%M:%S", &local);
    return std::string(szDate, nLength);
}

std::string CPosixTrash::TrashInfoText(const std::string& strPath, std::time_t now,
                                       uint32_t nProcessId)
{
    return "[Trash Info]\nPath=" + EncodeTrashPath(strPath) +
           "\nDeletionDate=" + FormatDeletionDate(now) + "\n" + TrashWriterLine(nProcessId);
}

bool CPosixTrash::TrashEntry(int nFolderFd, const std::string& strName,
                             const std::string& strHostPath, const struct stat& expected,
                             std::string* pRecord)
{
    const SMovedEntry out{pRecord};
    struct stat status
    {
    };
    if (::fstatat(nFolderFd, strName.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        S_ISDIR(status.st_mode) || !SameFile(status, expected))
        return false;

    SHomeTrash& home = HomeTrash();
    const std::lock_guard<std::mutex> lock(home.mutex);
    const STrashTarget* pHome = HomeTrashFor(home, status.st_dev, false);
    if (pHome != nullptr)
    {
        const EMoveOutcome outcome =
            MoveIntoTrash(*pHome, nFolderFd, strName, strHostPath, expected, out);
        if (outcome != EMoveOutcome::TrashGone)
            return outcome == EMoveOutcome::Moved;
        pHome = HomeTrashFor(home, status.st_dev, true);
        return pHome != nullptr && MoveIntoTrash(*pHome, nFolderFd, strName, strHostPath, expected,
                                                 out) == EMoveOutcome::Moved;
    }
    STrashTarget topTarget;
    return OpenTopDirectoryTrash(nFolderFd, status.st_dev, topTarget) &&
           MoveIntoTrash(topTarget, nFolderFd, strName, strHostPath, expected, out) ==
               EMoveOutcome::Moved;
}
