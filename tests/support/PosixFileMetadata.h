#pragma once

// What a move must keep of a file besides its bytes, read and set on host
// paths (POSIX tests only).

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>

struct SPosixFileMetadata
{
    struct timespec accessed
    {
    };
    struct timespec modified
    {
    };
    mode_t nMode = 0; // permission bits
    uid_t nOwner = 0;
    gid_t nGroup = 0;
};

inline SPosixFileMetadata ReadFileMetadata(const std::filesystem::path& path)
{
    struct stat status
    {
    };
    SPosixFileMetadata metadata;
    if (::lstat(path.c_str(), &status) == 0)
        metadata = {status.st_atim, status.st_mtim, status.st_mode & 07777, status.st_uid,
                    status.st_gid};
    return metadata;
}

inline bool operator==(const struct timespec& a, const struct timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Access time 2001-02-04 and modification time 2001-02-03, with nanoseconds.
inline bool SetOldTimes(const std::filesystem::path& path)
{
    const struct timespec times[2] = {{981244800, 250000000}, {981158400, 123456789}};
    return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

inline bool IsOldModificationTime(const struct timespec& modified)
{
    return modified.tv_sec == 981158400 && modified.tv_nsec == 123456789;
}

// False when the file system refuses user attributes.
inline bool SetUserAttribute(const std::filesystem::path& path, const std::string& strName,
                             const std::string& strValue)
{
    return ::lsetxattr(path.c_str(), strName.c_str(), strValue.data(), strValue.size(), 0) == 0;
}

// The attribute's value; "<none>" when it is missing.
inline std::string ReadUserAttribute(const std::filesystem::path& path, const std::string& strName)
{
    char buffer[256];
    const ssize_t nSize = ::lgetxattr(path.c_str(), strName.c_str(), buffer, sizeof(buffer));
    return nSize < 0 ? std::string("<none>") : std::string(buffer, static_cast<size_t>(nSize));
}
