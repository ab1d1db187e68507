#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/PosixFd.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <unistd.h>

// Reads from the descriptor's position to the end of the file, at most
// nLimit bytes (a longer file is cut there), into strText. False on a read
// error; strText then holds what was read before it.
inline bool PosixReadToEnd(int nFd, std::string& strText, size_t nLimit)
{
    strText.clear();
    char buffer[65536];
    while (strText.size() < nLimit)
    {
        const size_t nWant = std::min(sizeof(buffer), nLimit - strText.size());
        const ssize_t nRead = ::read(nFd, buffer, nWant);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead < 0)
            return false;
        if (nRead == 0)
            break;
        strText.append(buffer, static_cast<size_t>(nRead));
    }
    return true;
}

// A regular file opened for reading by CPosixFileSystem.
class CPosixFileReader : public IFileReader
{
public:
    explicit CPosixFileReader(CPosixFd file) : m_file(std::move(file)) {}

    bool Read(char* pBuffer, size_t nSize, size_t& nRead) override
    {
        nRead = 0;
        for (;;)
        {
            const ssize_t nGot = ::read(m_file.Get(), pBuffer, nSize);
            if (nGot < 0 && errno == EINTR)
                continue;
            if (nGot < 0)
                return false;
            nRead = static_cast<size_t>(nGot);
            return true;
        }
    }

private:
    CPosixFd m_file;
};
