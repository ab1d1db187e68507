#pragma once

#include "platform/IRegistry.h"

#include <atomic>
#include <memory>
#include <string>

// The registry through advapi32. SCRUBIX_REGISTRY_ROOT
// ("HKCU\Software\ScrubixTest\run-1") moves both hives under a scratch key:
// HKEY_LOCAL_MACHINE becomes its sub-key "HKLM", HKEY_CURRENT_USER its
// sub-key "HKCU". Tests use it so that the real keys are never written.
class CWin32Registry : public IRegistry
{
public:
    CWin32Registry() = default;
    // strRoot as in SCRUBIX_REGISTRY_ROOT; empty for the real hives. A root
    // that cannot be parsed serves nothing.
    explicit CWin32Registry(const std::string& strRoot);
    static std::string RootFromEnvironment();

    std::unique_ptr<IRegistryKey> CreateKey(ERegistryHive hive, const std::string& strPath,
                                            EKeyDisposition& disposition) override;
    std::unique_ptr<IRegistryKey> OpenKey(ERegistryHive hive, const std::string& strPath) override;
    // Unreadable once an existing key of the hive refused to open for reading
    // (ERROR_ACCESS_DENIED and the like) or a read of a value failed.
    bool IsHiveUnreadable(ERegistryHive hive) override;
    std::string HiveName(ERegistryHive hive) const override;
    bool EnumValues(ERegistryHive hive, const std::string& strPath,
                    std::vector<SRegistryValue>& values) override;
    bool EnumSubKeys(ERegistryHive hive, const std::string& strPath,
                     std::vector<std::string>& names) override;
    bool DeleteValue(ERegistryHive hive, const std::string& strPath,
                     const std::string& strName) override;
    bool DeleteKey(ERegistryHive hive, const std::string& strPath) override;
    bool SetValue(ERegistryHive hive, const std::string& strPath,
                  const SRegistryValue& value) override;
    // advapi32 offers no transaction here: keys and values are written in
    // order and the first failure stops the batch, leaving what was written.
    bool WriteKeys(ERegistryHive hive, const std::vector<SRegistryKeyValues>& keys) override;
    // Records are binary values of the user's hive under
    // "Software\Halvorne Software\Scrubix Records": one value is written
    // whole by the registry itself (its own log), so a reader never sees
    // part of one.
    bool ReadRecord(const std::string& strName, std::string& strContents) override;
    bool ReplaceRecord(const std::string& strName, const std::string& strContents) override;
    bool RemoveRecord(const std::string& strName) override;
    // A named mutex for the hive (and scratch root), in the global namespace
    // as the machine's hive is shared by every session; owned by the calling
    // thread, which must also destroy the lock.
    std::unique_ptr<IRegistryLock> TryLock(ERegistryHive hive, const std::string& strName) override;

private:
    struct SLocation
    {
        void* hRoot = nullptr; // a predefined HKEY
        std::string strPath;   // below it; never empty for a redirected hive
    };
    bool Locate(ERegistryHive hive, const std::string& strPath, SLocation& location) const;
    void* OpenRaw(ERegistryHive hive, const std::string& strPath, uint32_t nAccess) const;
    const std::shared_ptr<std::atomic<bool>>& UnreadableFlag(ERegistryHive hive) const;

    bool m_bValid = true;
    void* m_hRedirectRoot = nullptr;
    std::string m_strRedirectPath;
    std::shared_ptr<std::atomic<bool>> m_pLocalMachineUnreadable =
        std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> m_pCurrentUserUnreadable =
        std::make_shared<std::atomic<bool>>(false);
};
