#include "platform/posix/CSqliteRegistry.h"

#include "platform/posix/PosixFileLock.h"
#include "platform/posix/PosixRecordFile.h"
#include "platform/posix/SqliteRegistryKey.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace
{
std::string Variable(const char* pszName)
{
    const char* pszValue = std::getenv(pszName);
    return pszValue ? pszValue : "";
}
} // namespace

CSqliteRegistry::CSqliteRegistry(std::string strFolder, ERegistryAccess access)
    : m_strFolder(std::move(strFolder)), m_access(access),
      m_pLocalMachine(std::make_shared<CSqliteHive>(m_strFolder, m_strFolder + "/HKLM.db", access)),
      m_pCurrentUser(std::make_shared<CSqliteHive>(m_strFolder, m_strFolder + "/HKCU.db", access))
{
}

CSqliteRegistry::~CSqliteRegistry() = default;

std::string CSqliteRegistry::FolderFromEnvironment()
{
    std::string strFolder = Variable("SCRUBIX_REGISTRY_DIR");
    if (!strFolder.empty())
        return strFolder;
    strFolder = Variable("XDG_CONFIG_HOME");
    if (strFolder.empty() || strFolder.front() != '/')
    {
        std::string strHome = Variable("HOME");
        if (strHome.empty())
        {
            if (const passwd* pUser = getpwuid(getuid()))
                strHome = pUser->pw_dir;
        }
        strFolder = strHome + "/.config";
    }
    return strFolder + "/scrubix/registry";
}

CSqliteHive& CSqliteRegistry::Hive(ERegistryHive hive)
{
    return hive == ERegistryHive::LocalMachine ? *m_pLocalMachine : *m_pCurrentUser;
}

std::unique_ptr<IRegistryKey> CSqliteRegistry::CreateKey(ERegistryHive hive,
                                                         const std::string& strPath,
                                                         EKeyDisposition& disposition)
{
    auto pHive = hive == ERegistryHive::LocalMachine ? m_pLocalMachine : m_pCurrentUser;
    int64_t nKey = 0;
    bool bCreated = false;
    if (!pHive->CreateKey(CSqliteHive::ROOT_KEY, SplitKeyPath(strPath), nKey, bCreated))
        return nullptr;
    disposition = bCreated ? EKeyDisposition::CreatedNewKey : EKeyDisposition::OpenedExistingKey;
    return std::make_unique<CSqliteRegistryKey>(pHive, nKey, true);
}

std::unique_ptr<IRegistryKey> CSqliteRegistry::OpenKey(ERegistryHive hive,
                                                       const std::string& strPath)
{
    auto pHive = hive == ERegistryHive::LocalMachine ? m_pLocalMachine : m_pCurrentUser;
    int64_t nKey = 0;
    if (!pHive->FindKey(CSqliteHive::ROOT_KEY, SplitKeyPath(strPath), nKey))
        return nullptr;
    return std::make_unique<CSqliteRegistryKey>(pHive, nKey, false);
}

bool CSqliteRegistry::IsHiveUnreadable(ERegistryHive hive)
{
    return Hive(hive).IsUnreadable();
}

std::string CSqliteRegistry::HiveName(ERegistryHive hive) const
{
    return (hive == ERegistryHive::LocalMachine ? m_pLocalMachine : m_pCurrentUser)->FilePath();
}

bool CSqliteRegistry::EnumValues(ERegistryHive hive, const std::string& strPath,
                                 std::vector<SRegistryValue>& values)
{
    int64_t nKey = 0;
    return Hive(hive).FindKey(CSqliteHive::ROOT_KEY, SplitKeyPath(strPath), nKey) &&
           Hive(hive).EnumValues(nKey, values);
}

bool CSqliteRegistry::EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                                  std::vector<std::string>& names)
{
    int64_t nKey = 0;
    return Hive(hive).FindKey(CSqliteHive::ROOT_KEY, SplitKeyPath(strPath), nKey) &&
           Hive(hive).EnumSubKeys(nKey, names);
}

bool CSqliteRegistry::DeleteValue(ERegistryHive hive, const std::string& strPath,
                                  const std::string& strName)
{
    int64_t nKey = 0;
    return Hive(hive).FindKey(CSqliteHive::ROOT_KEY, SplitKeyPath(strPath), nKey) &&
           Hive(hive).DeleteValue(nKey, strName);
}

bool CSqliteRegistry::DeleteKey(ERegistryHive hive, const std::string& strPath)
{
    return Hive(hive).DeleteKey(SplitKeyPath(strPath));
}

bool CSqliteRegistry::SetValue(ERegistryHive hive, const std::string& strPath,
                               const SRegistryValue& value)
{
    return Hive(hive).SetValueAt(SplitKeyPath(strPath), value);
}

bool CSqliteRegistry::WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys)
{
    return Hive(hive).WriteKeys(keys);
}

namespace
{
std::string RecordFileName(const std::string& strName)
{
    return "HKCU.db." + strName + ".record";
}
} // namespace

bool CSqliteRegistry::ReadRecord(const std::string& strName, std::string& strContents)
{
    return ReadRecordFile(m_strFolder, RecordFileName(strName), strContents);
}

bool CSqliteRegistry::ReplaceRecord(const std::string& strName, const std::string& strContents)
{
    return !IsReadOnly() && ReplaceRecordFile(m_strFolder, RecordFileName(strName), strContents);
}

bool CSqliteRegistry::RemoveRecord(const std::string& strName)
{
    return !IsReadOnly() && RemoveRecordFile(m_strFolder, RecordFileName(strName));
}

std::vector<std::string> CSqliteRegistry::BackingFiles() const
{
    return {m_pLocalMachine->FilePath(), m_pLocalMachine->FilePath() + "-journal",
            m_pCurrentUser->FilePath(), m_pCurrentUser->FilePath() + "-journal"};
}

std::unique_ptr<IRegistryLock> CSqliteRegistry::TryLock(ERegistryHive hive,
                                                        const std::string& strName)
{
    const char* pszDatabase = hive == ERegistryHive::LocalMachine ? "/HKLM.db." : "/HKCU.db.";
    return TryLockFile(m_strFolder + pszDatabase + strName + ".lock");
}
