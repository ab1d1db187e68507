#include "platform/win32/CWin32Registry.h"

#include "platform/win32/Win32RegistryKey.h"

#include <climits>
#include <cstdlib>
#include <vector>
#include <windows.h>

namespace
{

class CWin32MutexLock : public IRegistryLock
{
public:
    explicit CWin32MutexLock(HANDLE hMutex) : m_hMutex(hMutex) {}
    ~CWin32MutexLock() override
    {
        ::ReleaseMutex(m_hMutex);
        ::CloseHandle(m_hMutex);
    }
    CWin32MutexLock(const CWin32MutexLock&) = delete;
    CWin32MutexLock& operator=(const CWin32MutexLock&) = delete;

private:
    HANDLE m_hMutex;
};

std::string UpperAscii(std::string strText)
{
    for (char& c : strText)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return strText;
}

std::string TrimSeparators(const std::string& strPath)
{
    size_t nStart = 0;
    size_t nEnd = strPath.size();
    while (nStart < nEnd && strPath[nStart] == '\\')
        ++nStart;
    while (nEnd > nStart && strPath[nEnd - 1] == '\\')
        --nEnd;
    return strPath.substr(nStart, nEnd - nStart);
}

// Closes an HKEY on scope exit.
class CKeyCloser
{
public:
    explicit CKeyCloser(HKEY hKey) : m_hKey(hKey) {}
    ~CKeyCloser()
    {
        if (m_hKey != nullptr)
            ::RegCloseKey(m_hKey);
    }
    CKeyCloser(const CKeyCloser&) = delete;
    CKeyCloser& operator=(const CKeyCloser&) = delete;

private:
    HKEY m_hKey;
};

} // namespace

CWin32Registry::CWin32Registry(const std::string& strRoot)
{
    if (strRoot.empty())
        return;
    const size_t nSlash = strRoot.find('\\');
    const std::string strHive = UpperAscii(strRoot.substr(0, nSlash));
    m_strRedirectPath = nSlash == std::string::npos ? "" : TrimSeparators(strRoot.substr(nSlash));
    if (strHive == "HKCU" || strHive == "HKEY_CURRENT_USER")
        m_hRedirectRoot = HKEY_CURRENT_USER;
    else if (strHive == "HKLM" || strHive == "HKEY_LOCAL_MACHINE")
        m_hRedirectRoot = HKEY_LOCAL_MACHINE;
    // The scratch key must be a key of its own, never a whole hive.
    m_bValid = m_hRedirectRoot != nullptr && !m_strRedirectPath.empty();
}

std::string CWin32Registry::RootFromEnvironment()
{
    const char* pszRoot = std::getenv("SCRUBIX_REGISTRY_ROOT");
    return pszRoot != nullptr ? pszRoot : "";
}

bool CWin32Registry::Locate(ERegistryHive hive, const std::string& strPath,
                            SLocation& location) const
{
    if (!m_bValid)
        return false;
    const std::string strBelow = TrimSeparators(strPath);
    if (m_hRedirectRoot == nullptr)
    {
        location.hRoot =
            hive == ERegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        location.strPath = strBelow;
        return true;
    }
    location.hRoot = m_hRedirectRoot;
    location.strPath =
        m_strRedirectPath + (hive == ERegistryHive::LocalMachine ? "\\HKLM" : "\\HKCU");
    if (!strBelow.empty())
        location.strPath += "\\" + strBelow;
    return true;
}

void* CWin32Registry::OpenRaw(ERegistryHive hive, const std::string& strPath,
                              uint32_t nAccess) const
{
    SLocation location;
    HKEY hKey = nullptr;
    if (!Locate(hive, strPath, location))
        return nullptr;
    const LONG nResult = ::RegOpenKeyExA(static_cast<HKEY>(location.hRoot),
                                         location.strPath.c_str(), 0, nAccess, &hKey);
    if (nResult == ERROR_SUCCESS)
        return hKey;
    // A key that is absent (or a parent that is) holds nothing; one that is
    // there and refuses to be read hides what it holds.
    if ((nAccess & KEY_QUERY_VALUE) != 0 && (nAccess & KEY_SET_VALUE) == 0 &&
        nResult != ERROR_FILE_NOT_FOUND && nResult != ERROR_PATH_NOT_FOUND)
        UnreadableFlag(hive)->store(true);
    return nullptr;
}

const std::shared_ptr<std::atomic<bool>>& CWin32Registry::UnreadableFlag(ERegistryHive hive) const
{
    return hive == ERegistryHive::LocalMachine ? m_pLocalMachineUnreadable
                                               : m_pCurrentUserUnreadable;
}

bool CWin32Registry::IsHiveUnreadable(ERegistryHive hive)
{
    return UnreadableFlag(hive)->load();
}

std::string CWin32Registry::HiveName(ERegistryHive hive) const
{
    return hive == ERegistryHive::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::unique_ptr<IRegistryKey> CWin32Registry::CreateKey(ERegistryHive hive,
                                                        const std::string& strPath,
                                                        EKeyDisposition& disposition)
{
    SLocation location;
    if (!Locate(hive, strPath, location))
        return nullptr;
    HKEY hKey = nullptr;
    DWORD nDisposition = 0;
    if (::RegCreateKeyExA(static_cast<HKEY>(location.hRoot), location.strPath.c_str(), 0, nullptr,
                          REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &hKey,
                          &nDisposition) != ERROR_SUCCESS)
        return nullptr;
    disposition = nDisposition == REG_CREATED_NEW_KEY ? EKeyDisposition::CreatedNewKey
                                                      : EKeyDisposition::OpenedExistingKey;
    return std::make_unique<CWin32RegistryKey>(hKey, UnreadableFlag(hive));
}

std::unique_ptr<IRegistryKey> CWin32Registry::OpenKey(ERegistryHive hive,
                                                      const std::string& strPath)
{
    void* hKey = OpenRaw(hive, strPath, KEY_READ);
    return hKey != nullptr ? std::make_unique<CWin32RegistryKey>(hKey, UnreadableFlag(hive))
                           : nullptr;
}

bool CWin32Registry::EnumValues(ERegistryHive hive, const std::string& strPath,
                                std::vector<SRegistryValue>& values)
{
    const HKEY hKey = static_cast<HKEY>(OpenRaw(hive, strPath, KEY_READ));
    if (hKey == nullptr)
        return false;
    CKeyCloser closer(hKey);
    values.clear();
    for (DWORD nIndex = 0;; ++nIndex)
    {
        DWORD nNameMax = 0;
        DWORD nDataMax = 0;
        if (::RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &nNameMax, &nDataMax, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        std::vector<char> name(nNameMax + 2);
        std::vector<BYTE> data(nDataMax + 1);
        DWORD nNameLength = static_cast<DWORD>(name.size());
        DWORD nDataLength = static_cast<DWORD>(data.size());
        DWORD nType = 0;
        const LONG nResult = ::RegEnumValueA(hKey, nIndex, name.data(), &nNameLength, nullptr,
                                             &nType, data.data(), &nDataLength);
        if (nResult == ERROR_NO_MORE_ITEMS)
            return true;
        if (nResult == ERROR_MORE_DATA)
        {
            --nIndex; // grew since the sizes were read: read it again
            continue;
        }
        if (nResult != ERROR_SUCCESS)
            return false;
        SRegistryValue value;
        value.strName.assign(name.data(), nNameLength);
        value.nType = nType;
        value.strData.assign(reinterpret_cast<const char*>(data.data()), nDataLength);
        values.push_back(std::move(value));
    }
}

bool CWin32Registry::EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                                 std::vector<std::string>& names)
{
    const HKEY hKey = static_cast<HKEY>(OpenRaw(hive, strPath, KEY_READ));
    if (hKey == nullptr)
        return false;
    CKeyCloser closer(hKey);
    names.clear();
    std::vector<char> name(256);
    for (DWORD nIndex = 0;; ++nIndex)
    {
        DWORD nLength = static_cast<DWORD>(name.size());
        const LONG nResult = ::RegEnumKeyExA(hKey, nIndex, name.data(), &nLength, nullptr, nullptr,
                                             nullptr, nullptr);
        if (nResult == ERROR_NO_MORE_ITEMS)
            return true;
        if (nResult != ERROR_SUCCESS)
            return false;
        names.emplace_back(name.data(), nLength);
    }
}

bool CWin32Registry::DeleteValue(ERegistryHive hive, const std::string& strPath,
                                 const std::string& strName)
{
    const HKEY hKey = static_cast<HKEY>(OpenRaw(hive, strPath, KEY_SET_VALUE));
    if (hKey == nullptr)
        return false;
    CKeyCloser closer(hKey);
    return ::RegDeleteValueA(hKey, strName.c_str()) == ERROR_SUCCESS;
}

namespace
{
constexpr const char* RECORD_KEY = "Software\\Halvorne Software\\Scrubix Records";
constexpr DWORD REG_TYPE_BINARY = REG_BINARY;
} // namespace

bool CWin32Registry::ReadRecord(const std::string& strName, std::string& strContents)
{
    const HKEY hKey =
        static_cast<HKEY>(OpenRaw(ERegistryHive::CurrentUser, RECORD_KEY, KEY_QUERY_VALUE));
    if (hKey == nullptr)
        return false;
    CKeyCloser closer(hKey);
    DWORD nType = 0;
    DWORD nSize = 0;
    if (::RegQueryValueExA(hKey, strName.c_str(), nullptr, &nType, nullptr, &nSize) !=
            ERROR_SUCCESS ||
        nType != REG_TYPE_BINARY)
        return false;
    std::string strData(nSize, '\0');
    if (::RegQueryValueExA(hKey, strName.c_str(), nullptr, &nType,
                           reinterpret_cast<BYTE*>(strData.data()), &nSize) != ERROR_SUCCESS ||
        nType != REG_TYPE_BINARY)
        return false;
    strData.resize(nSize);
    strContents = std::move(strData);
    return true;
}

bool CWin32Registry::ReplaceRecord(const std::string& strName, const std::string& strContents)
{
    return SetValue(ERegistryHive::CurrentUser, RECORD_KEY,
                    SRegistryValue{strName, REG_TYPE_BINARY, strContents});
}

bool CWin32Registry::RemoveRecord(const std::string& strName)
{
    std::string strOld;
    return DeleteValue(ERegistryHive::CurrentUser, RECORD_KEY, strName) ||
           !ReadRecord(strName, strOld);
}

bool CWin32Registry::DeleteKey(ERegistryHive hive, const std::string& strPath)
{
    SLocation location;
    // Never a whole hive.
    if (TrimSeparators(strPath).empty() || !Locate(hive, strPath, location))
        return false;
    return ::RegDeleteTreeA(static_cast<HKEY>(location.hRoot), location.strPath.c_str()) ==
           ERROR_SUCCESS;
}

bool CWin32Registry::SetValue(ERegistryHive hive, const std::string& strPath,
                              const SRegistryValue& value)
{
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    if (value.strData.size() >= UINT_MAX || !CreateKey(hive, strPath, disposition))
        return false;
    const HKEY hKey = static_cast<HKEY>(OpenRaw(hive, strPath, KEY_SET_VALUE));
    if (hKey == nullptr)
        return false;
    CKeyCloser closer(hKey);
    return ::RegSetValueExA(hKey, value.strName.c_str(), 0, value.nType,
                            reinterpret_cast<const BYTE*>(value.strData.data()),
                            static_cast<DWORD>(value.strData.size())) == ERROR_SUCCESS;
}

bool CWin32Registry::WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys)
{
    for (const SRegistryKeyValues& key : keys)
    {
        SLocation location;
        HKEY hKey = nullptr;
        if (!Locate(hive, key.strPath, location) ||
            ::RegCreateKeyExA(static_cast<HKEY>(location.hRoot), location.strPath.c_str(), 0,
                              nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &hKey,
                              nullptr) != ERROR_SUCCESS)
            return false;
        CKeyCloser closer(hKey);
        for (const SRegistryValue& value : key.values)
        {
            if (value.strData.size() >= UINT_MAX ||
                ::RegSetValueExA(hKey, value.strName.c_str(), 0, value.nType,
                                 reinterpret_cast<const BYTE*>(value.strData.data()),
                                 static_cast<DWORD>(value.strData.size())) != ERROR_SUCCESS)
                return false;
        }
    }
    return true;
}

std::unique_ptr<IRegistryLock> CWin32Registry::TryLock(ERegistryHive hive,
                                                       const std::string& strName)
{
    std::string strMutex = std::string("Scrubix.") +
                           (hive == ERegistryHive::LocalMachine ? "HKLM." : "HKCU.") + strName +
                           "." + m_strRedirectPath;
    for (char& c : strMutex)
        if (c == '\\')
            c = '/';
    HANDLE hMutex = ::CreateMutexA(nullptr, FALSE, ("Global\\" + strMutex).c_str());
    if (hMutex == nullptr)
        hMutex = ::CreateMutexA(nullptr, FALSE, ("Local\\" + strMutex).c_str());
    if (hMutex == nullptr)
        return nullptr;
    // A mutex left by a process that ended while holding it comes back
    // abandoned, and is then ours.
    const DWORD nWait = ::WaitForSingleObject(hMutex, 0);
    if (nWait != WAIT_OBJECT_0 && nWait != WAIT_ABANDONED)
    {
        ::CloseHandle(hMutex);
        return nullptr;
    }
    return std::make_unique<CWin32MutexLock>(hMutex);
}
