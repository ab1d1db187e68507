#pragma once

#include "platform/IRegistry.h"

#include <atomic>
#include <memory>

// One open advapi32 key (an HKEY, kept as void* so that no header needs
// <windows.h>).
class CWin32RegistryKey : public IRegistryKey
{
public:
    // pUnreadable, when given, is set when a read fails for another reason
    // than an absent or too long value (its hive then counts as unreadable).
    explicit CWin32RegistryKey(void* hKey, std::shared_ptr<std::atomic<bool>> pUnreadable = nullptr)
        : m_hKey(hKey), m_pUnreadable(std::move(pUnreadable))
    {
    }
    ~CWin32RegistryKey() override { Close(); }
    CWin32RegistryKey(const CWin32RegistryKey&) = delete;
    CWin32RegistryKey& operator=(const CWin32RegistryKey&) = delete;

    bool QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize, size_t& nRead,
                    uint32_t& nType) override;
    bool SetStringValue(const std::string& strName, const std::string& strText) override;
    std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) override;
    void Close() override;

private:
    void NoteReadFailure(long nResult);

    void* m_hKey;
    std::shared_ptr<std::atomic<bool>> m_pUnreadable;
};
