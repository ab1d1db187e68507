#pragma once

#include "platform/IRegistry.h"

// One open advapi32 key (an HKEY, kept as void* so that no header needs
// <windows.h>).
class CWin32RegistryKey : public IRegistryKey
{
public:
    explicit CWin32RegistryKey(void* hKey) : m_hKey(hKey) {}
    ~CWin32RegistryKey() override { Close(); }
    CWin32RegistryKey(const CWin32RegistryKey&) = delete;
    CWin32RegistryKey& operator=(const CWin32RegistryKey&) = delete;

    bool QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize, size_t& nRead,
                    uint32_t& nType) override;
    bool SetStringValue(const std::string& strName, const std::string& strText) override;
    std::unique_ptr<IRegistryKey> CreateSubKey(const std::string& strPath) override;
    void Close() override;

private:
    void* m_hKey;
};
