#include "platform/posix/PosixTextFile.h"

#include <cerrno>
#include <unistd.h>

namespace
{
constexpr size_t FLUSH_THRESHOLD = 64 * 1024;
}

void CPosixTextFile::Write(const std::string& strText)
{
    if (!m_file.IsOpen())
        return;
    m_strBuffer += strText;
    if (m_strBuffer.size() >= FLUSH_THRESHOLD)
        Flush();
}

bool CPosixTextFile::Close()
{
    if (!m_file.IsOpen())
        return false;
    Flush();
    // A full disk may only show when the data is flushed, and close may
    // report a deferred write error of its own.
    if (::fsync(m_file.Get()) != 0)
        m_bFailed = true;
    if (::close(m_file.Release()) != 0)
        m_bFailed = true;
    return !m_bFailed;
}

void CPosixTextFile::Flush()
{
    size_t nDone = 0;
    while (nDone < m_strBuffer.size())
    {
        const ssize_t nWritten =
            ::write(m_file.Get(), m_strBuffer.data() + nDone, m_strBuffer.size() - nDone);
        if (nWritten < 0 && errno == EINTR)
            continue;
        if (nWritten <= 0)
        {
            m_bFailed = true;
            break;
        }
        nDone += static_cast<size_t>(nWritten);
    }
    m_strBuffer.clear();
}
