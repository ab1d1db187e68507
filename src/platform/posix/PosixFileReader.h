#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/PosixFd.h"

#include <cerrno>
#include <unistd.h>

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
