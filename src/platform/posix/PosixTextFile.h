#pragma once

#include "platform/IFileSystem.h"
#include "platform/posix/PosixFd.h"

// A text file being written; "\n" stays LF. Writes are buffered and errors
// are ignored, as the interface asks.
class CPosixTextFile : public ITextFile
{
public:
    explicit CPosixTextFile(CPosixFd file) : m_file(std::move(file)) {}
    ~CPosixTextFile() override { Close(); }
    CPosixTextFile(const CPosixTextFile&) = delete;
    CPosixTextFile& operator=(const CPosixTextFile&) = delete;

    void Write(const std::string& strText) override;
    bool Close() override;

private:
    void Flush();

    CPosixFd m_file;
    std::string m_strBuffer;
    bool m_bFailed = false;
};
