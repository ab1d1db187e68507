#include "platform/win32/Win32TextFile.h"

#include <algorithm>
#include <windows.h>

namespace
{
constexpr size_t FLUSH_THRESHOLD = 64 * 1024;
}

void CWin32TextFile::Write(const std::string& strText)
{
    if (!m_file.IsOpen())
        return;
    for (char c : strText)
    {
        if (c == '\n')
            m_strBuffer += '\r';
        m_strBuffer += c;
    }
    if (m_strBuffer.size() >= FLUSH_THRESHOLD)
        Flush();
}

bool CWin32TextFile::Close()
{
    if (!m_file.IsOpen())
        return false;
    Flush();
    if (!::FlushFileBuffers(m_file.Get()))
        m_bFailed = true;
    if (!::CloseHandle(m_file.Release()))
        m_bFailed = true;
    return !m_bFailed;
}

void CWin32TextFile::Flush()
{
    size_t nDone = 0;
    while (nDone < m_strBuffer.size())
    {
        const DWORD nChunk =
            static_cast<DWORD>(std::min<size_t>(m_strBuffer.size() - nDone, 1u << 30));
        DWORD nWritten = 0;
        if (!::WriteFile(m_file.Get(), m_strBuffer.data() + nDone, nChunk, &nWritten, nullptr) ||
            nWritten == 0)
        {
            m_bFailed = true;
            break;
        }
        nDone += nWritten;
    }
    m_strBuffer.clear();
}
