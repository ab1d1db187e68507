#include "platform/win32/Win32RegistryKey.h"

#include <climits>
#include <cstring>
#include <vector>
#include <windows.h>

bool CWin32RegistryKey::QueryValue(const std::string& strName, char* pBuffer, size_t nBufferSize,
                                   size_t& nRead, uint32_t& nType)
{
    if (m_hKey == nullptr)
        return false;
    const HKEY hKey = static_cast<HKEY>(m_hKey);
    // Read into a buffer of our own first: on ERROR_MORE_DATA the API leaves
    // the caller's buffer undefined, and the caller must see nothing copied.
    nRead = 0;
    DWORD nSize = 0;
    DWORD nFoundType = 0;
    LONG nResult = ::RegQueryValueExA(hKey, strName.c_str(), nullptr, &nFoundType, nullptr, &nSize);
    if (nResult == ERROR_SUCCESS && nSize > nBufferSize)
    {
        nRead = nSize;
        return false;
    }
    if (nResult != ERROR_SUCCESS)
    {
        NoteReadFailure(nResult);
        return false;
    }
    std::vector<BYTE> data(nSize + 1);
    nResult = ::RegQueryValueExA(hKey, strName.c_str(), nullptr, &nFoundType, data.data(), &nSize);
    if (nResult == ERROR_SUCCESS && nSize > nBufferSize)
    {
        nRead = nSize;
        return false;
    }
    if (nResult != ERROR_SUCCESS)
    {
        NoteReadFailure(nResult);
        return false;
    }
    if (nSize > 0)
        std::memcpy(pBuffer, data.data(), nSize);
    nRead = nSize;
    nType = nFoundType;
    return true;
}

bool CWin32RegistryKey::SetStringValue(const std::string& strName, const std::string& strText)
{
    if (m_hKey == nullptr || strText.size() >= UINT_MAX)
        return false;
    return ::RegSetValueExA(static_cast<HKEY>(m_hKey), strName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(strText.c_str()),
                            static_cast<DWORD>(strText.size() + 1)) == ERROR_SUCCESS;
}

std::unique_ptr<IRegistryKey> CWin32RegistryKey::CreateSubKey(const std::string& strPath)
{
    if (m_hKey == nullptr)
        return nullptr;
    HKEY hSubKey = nullptr;
    if (::RegCreateKeyExA(static_cast<HKEY>(m_hKey), strPath.c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &hSubKey,
                          nullptr) != ERROR_SUCCESS)
        return nullptr;
    return std::make_unique<CWin32RegistryKey>(hSubKey, m_pUnreadable);
}

void CWin32RegistryKey::NoteReadFailure(long nResult)
{
    // Absent is not unreadable; a value that grew between the two reads is
    // read as too long.
    if (m_pUnreadable != nullptr && nResult != ERROR_FILE_NOT_FOUND && nResult != ERROR_MORE_DATA)
        m_pUnreadable->store(true);
}

void CWin32RegistryKey::Close()
{
    if (m_hKey != nullptr)
        ::RegCloseKey(static_cast<HKEY>(m_hKey));
    m_hKey = nullptr;
}
