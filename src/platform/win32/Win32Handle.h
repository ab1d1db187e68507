#pragma once

#include <cstdint>
#include <utility>

// Owns one kernel handle (a file, or a find handle when bFind is set); closes
// it on destruction. Kept free of <windows.h> so that headers stay clean:
// HANDLE is a void* and INVALID_HANDLE_VALUE is -1.
class CWin32Handle
{
public:
    CWin32Handle() = default;
    explicit CWin32Handle(void* hHandle) : m_hHandle(hHandle) {}
    ~CWin32Handle() { Reset(); }
    CWin32Handle(CWin32Handle&& other) noexcept : m_hHandle(other.Release()) {}
    CWin32Handle& operator=(CWin32Handle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CWin32Handle(const CWin32Handle&) = delete;
    CWin32Handle& operator=(const CWin32Handle&) = delete;

    void* Get() const { return m_hHandle; }
    bool IsOpen() const { return m_hHandle != nullptr && m_hHandle != Invalid(); }
    void* Release() { return std::exchange(m_hHandle, Invalid()); }
    void Reset(void* hHandle = Invalid());

    static void* Invalid() { return reinterpret_cast<void*>(static_cast<intptr_t>(-1)); }

private:
    void* m_hHandle = Invalid();
};
