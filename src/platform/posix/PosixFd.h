#pragma once

#include <unistd.h>
#include <utility>

// Owns one file descriptor; closes it on destruction.
class CPosixFd
{
public:
    CPosixFd() = default;
    explicit CPosixFd(int nFd) : m_nFd(nFd) {}
    ~CPosixFd() { Reset(); }
    CPosixFd(CPosixFd&& other) noexcept : m_nFd(other.Release()) {}
    CPosixFd& operator=(CPosixFd&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CPosixFd(const CPosixFd&) = delete;
    CPosixFd& operator=(const CPosixFd&) = delete;

    int Get() const { return m_nFd; }
    bool IsOpen() const { return m_nFd >= 0; }
    int Release() { return std::exchange(m_nFd, -1); }
    void Reset(int nFd = -1)
    {
        if (m_nFd >= 0)
            ::close(m_nFd);
        m_nFd = nFd;
    }

private:
    int m_nFd = -1;
};
