#include "platform/posix/PosixTrashRecords.h"

#include "platform/posix/PosixFd.h"
#include "platform/posix/PosixFileReader.h"
#include "platform/posix/PosixFolderNames.h"
#include "platform/posix/PosixProcess.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr std::string_view WRITER_KEY = "\nX-Scrubix-Process=";
constexpr std::string_view INFO_SUFFIX = ".trashinfo";
constexpr size_t MAX_RECORD_BYTES = 64 * 1024;
constexpr auto SWEEP_INTERVAL = std::chrono::minutes(1);

bool IsMissing(int nFolderFd, const std::string& strName)
{
    struct stat status
    {
    };
    return ::fstatat(nFolderFd, strName.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 &&
           errno == ENOENT;
}

// A record's text, read without following a link and without blocking;
// false for anything but a small regular file.
bool ReadRecord(int nInfoFd, const std::string& strName, std::string& strText)
{
    const CPosixFd file(
        ::openat(nInfoFd, strName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status
    {
    };
    if (!file.IsOpen() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<uint64_t>(status.st_size) > MAX_RECORD_BYTES)
        return false;
    return PosixReadToEnd(file.Get(), strText, MAX_RECORD_BYTES);
}

// Which trash a sweep was for: its info folder, with its birth time so that
// a folder made anew under a reused inode number counts as another.
struct SSweptTrash
{
    uint64_t nDevice = 0;
    uint64_t nInode = 0;
    int64_t nBirthSeconds = 0;
    uint32_t nBirthNanoseconds = 0;
    std::chrono::steady_clock::time_point swept;

    bool IsSameFolder(const SSweptTrash& other) const
    {
        return nDevice == other.nDevice && nInode == other.nInode &&
               nBirthSeconds == other.nBirthSeconds && nBirthNanoseconds == other.nBirthNanoseconds;
    }
};

bool DescribeFolder(int nFd, SSweptTrash& folder)
{
    struct statx info
    {
    };
    if (::statx(nFd, "", AT_EMPTY_PATH, STATX_INO | STATX_BTIME, &info) != 0)
        return false;
    folder.nDevice = (static_cast<uint64_t>(info.stx_dev_major) << 32) | info.stx_dev_minor;
    folder.nInode = info.stx_ino;
    if ((info.stx_mask & STATX_BTIME) != 0)
    {
        folder.nBirthSeconds = info.stx_btime.tv_sec;
        folder.nBirthNanoseconds = info.stx_btime.tv_nsec;
    }
    return true;
}
} // namespace

std::string TrashWriterLine(uint32_t nProcessId)
{
    return std::string(WRITER_KEY.substr(1)) + std::to_string(nProcessId) + "\n";
}

bool ParseTrashWriter(const std::string& strRecord, uint32_t& nProcessId)
{
    const size_t nKey = strRecord.find(WRITER_KEY);
    if (nKey == std::string::npos)
        return false;
    size_t nPos = nKey + WRITER_KEY.size();
    uint64_t nId = 0;
    const size_t nStart = nPos;
    while (nPos < strRecord.size() && strRecord[nPos] >= '0' && strRecord[nPos] <= '9' &&
           nPos - nStart < 10)
        nId = nId * 10 + static_cast<uint64_t>(strRecord[nPos++] - '0');
    if (nPos == nStart || nPos >= strRecord.size() || strRecord[nPos] != '\n' || nId > UINT32_MAX)
        return false;
    nProcessId = static_cast<uint32_t>(nId);
    return true;
}

int RemoveLeftTrashRecords(int nFilesFd, int nInfoFd)
{
    // Records without a file are gathered first and then looked at one by
    // one.
    const std::vector<std::string> orphans = GatherFolderNames(
        nInfoFd,
        [nFilesFd](std::string_view strName)
        {
            return strName.size() > INFO_SUFFIX.size() &&
                   strName.substr(strName.size() - INFO_SUFFIX.size()) == INFO_SUFFIX &&
                   IsMissing(nFilesFd,
                             std::string(strName.substr(0, strName.size() - INFO_SUFFIX.size())));
        });
    const uint32_t nSelf = static_cast<uint32_t>(::getpid());
    int nRemoved = 0;
    for (const std::string& strRecord : orphans)
    {
        std::string strText;
        uint32_t nWriter = 0;
        if (!ReadRecord(nInfoFd, strRecord, strText) || !ParseTrashWriter(strText, nWriter) ||
            nWriter == nSelf || !PosixIsProcessGone(nWriter))
            continue;
        // Its file is looked for once more right before: only a record that
        // still has none goes.
        const std::string strFile = strRecord.substr(0, strRecord.size() - INFO_SUFFIX.size());
        if (IsMissing(nFilesFd, strFile) && ::unlinkat(nInfoFd, strRecord.c_str(), 0) == 0)
            ++nRemoved;
    }
    return nRemoved;
}

void SweepLeftTrashRecords(int nFilesFd, int nInfoFd)
{
    static std::mutex s_mutex;
    static std::vector<SSweptTrash> s_swept;

    SSweptTrash folder;
    if (!DescribeFolder(nInfoFd, folder))
        return;
    const auto now = std::chrono::steady_clock::now();
    {
        const std::lock_guard<std::mutex> lock(s_mutex);
        bool bKnown = false;
        for (SSweptTrash& swept : s_swept)
        {
            if (!swept.IsSameFolder(folder))
                continue;
            if (now - swept.swept < SWEEP_INTERVAL)
                return;
            swept.swept = now;
            bKnown = true;
        }
        if (!bKnown)
        {
            folder.swept = now;
            s_swept.push_back(folder);
        }
    }
    RemoveLeftTrashRecords(nFilesFd, nInfoFd);
}
