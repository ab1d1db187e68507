#pragma once

#include "platform/IFileSystem.h"
#include "platform/win32/Win32Handle.h"

#include <string>

// A text file being written in text mode: each "\n" goes out as CR LF, as
// the C runtime's text mode writes it. Buffered; the first error is kept for
// Close.
class CWin32TextFile : public ITextFile
{
public:
    explicit CWin32TextFile(CWin32Handle file) : m_file(std::move(file)) {}
    ~CWin32TextFile() override { Close(); }
    CWin32TextFile(const CWin32TextFile&) = delete;
    CWin32TextFile& operator=(const CWin32TextFile&) = delete;

    void Write(const std::string& strText) override;
    bool Close() override;

private:
    void Flush();

    CWin32Handle m_file;
    std::string m_strBuffer;
    bool m_bFailed = false;
};
