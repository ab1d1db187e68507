#include "settings/StartUp.h"

namespace
{
constexpr ERegistryHive SETTINGS_HIVE = ERegistryHive::LocalMachine;

// An import was begun and never finished: the pending mark is still there,
// or the key holds nothing at all (no seeding, no setting ever written).
bool IsImportUnfinished(IRegistry& registry, IRegistryKey& baseKey)
{
    char buffer[CSettingsStore::READ_BUFFER_SIZE] = {};
    size_t nRead = 0;
    uint32_t nType = 0;
    if (baseKey.QueryValue(IMPORT_PENDING_VALUE, buffer, sizeof buffer, nRead, nType) || nRead > 0)
        return true;
    const std::string strPath = ComposeBaseKeyPath();
    std::vector<SRegistryValue> values;
    std::vector<std::string> subKeys;
    return registry.EnumValues(SETTINGS_HIVE, strPath, values) && values.empty() &&
           registry.EnumSubKeys(SETTINGS_HIVE, strPath, subKeys) && subKeys.empty();
}
} // namespace

void OpenSettingsStore(CSettingsStore& store, IFileSystem& fileSystem)
{
    std::unique_ptr<IRegistryKey> pKey;
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    if (!store.SetBaseKey(SETTINGS_HIVE, ComposeBaseKeyPath(), &pKey, &disposition) ||
        store.IsReadOnly())
        return;
    IRegistry& registry = store.Registry();
    if (disposition != EKeyDisposition::CreatedNewKey && !IsImportUnfinished(registry, *pKey))
        return;
    // The mark goes in before the first imported value and comes out after
    // the last, so only a finished import counts as done.
    if (!pKey->SetStringValue(IMPORT_PENDING_VALUE, "1"))
        return;
    if (store.ImportIni(*pKey, fileSystem))
        registry.DeleteValue(SETTINGS_HIVE, ComposeBaseKeyPath(), IMPORT_PENDING_VALUE);
}
