#pragma once

#include "platform/IFileSystem.h"
#include "platform/win32/Win32Handle.h"

#include <climits>
#include <windows.h>

// A disk file opened for reading by CWin32FileSystem.
class CWin32FileReader : public IFileReader
{
public:
    explicit CWin32FileReader(CWin32Handle file) : m_file(std::move(file)) {}

    bool Read(char* pBuffer, size_t nSize, size_t& nRead) override
    {
        DWORD nGot = 0;
        const DWORD nAsk = nSize > UINT_MAX ? UINT_MAX : static_cast<DWORD>(nSize);
        const bool bRead = ::ReadFile(m_file.Get(), pBuffer, nAsk, &nGot, nullptr) != FALSE;
        nRead = bRead ? nGot : 0;
        return bRead;
    }

private:
    CWin32Handle m_file;
};
