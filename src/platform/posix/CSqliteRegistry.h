#pragma once

#include "platform/IRegistry.h"
#include "platform/posix/SqliteHive.h"

#include <memory>
#include <string>
#include <vector>

// The registry on Linux: one SQLite database per hive (HKLM.db, HKCU.db) in
// a folder: $SCRUBIX_REGISTRY_DIR, else $XDG_CONFIG_HOME/scrubix/registry,
// else ~/.config/scrubix/registry. Safe to share between threads; several
// processes may use the same folder at once. Opened read-only, it makes no
// folder and no database file and refuses every write.
class CSqliteRegistry : public IRegistry
{
public:
    explicit CSqliteRegistry(std::string strFolder,
                             ERegistryAccess access = ERegistryAccess::ReadWrite);
    ~CSqliteRegistry() override;
    static std::string FolderFromEnvironment();

    std::unique_ptr<IRegistryKey> CreateKey(ERegistryHive hive, const std::string& strPath,
                                            EKeyDisposition& disposition) override;
    std::unique_ptr<IRegistryKey> OpenKey(ERegistryHive hive, const std::string& strPath) override;
    bool IsHiveUnreadable(ERegistryHive hive) override;
    std::string HiveName(ERegistryHive hive) const override; // the database file
    bool IsReadOnly() const override { return m_access == ERegistryAccess::ReadOnly; }
    bool EnumValues(ERegistryHive hive, const std::string& strPath,
                    std::vector<SRegistryValue>& values) override;
    bool EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                     std::vector<std::string>& names) override;
    bool DeleteValue(ERegistryHive hive, const std::string& strPath,
                     const std::string& strName) override;
    bool DeleteKey(ERegistryHive hive, const std::string& strPath) override;
    bool SetValue(ERegistryHive hive, const std::string& strPath,
                  const SRegistryValue& value) override;
    // One transaction: all of it lands or none of it does.
    bool WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys) override;
    // A lock file beside the hive's database ("HKLM.db.<name>.lock"), so it
    // counts among the program's files that no disposal touches.
    std::unique_ptr<IRegistryLock> TryLock(ERegistryHive hive, const std::string& strName) override;

    // Records are files beside the user's database, "HKCU.db.<name>.record"
    // (PosixRecordFile.h): among the program's files, as the database's
    // name is their prefix. Opened read-only, every write fails.
    bool ReadRecord(const std::string& strName, std::string& strContents) override;
    bool ReplaceRecord(const std::string& strName, const std::string& strContents) override;
    bool RemoveRecord(const std::string& strName) override;

    // The database files of both hives (with their journals), host paths.
    std::vector<std::string> BackingFiles() const;

private:
    CSqliteHive& Hive(ERegistryHive hive);

    std::string m_strFolder;
    ERegistryAccess m_access;
    std::shared_ptr<CSqliteHive> m_pLocalMachine;
    std::shared_ptr<CSqliteHive> m_pCurrentUser;
};
