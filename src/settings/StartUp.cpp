#include "settings/StartUp.h"

void OpenSettingsStore(CSettingsStore& store, IFileSystem& fileSystem)
{
    std::unique_ptr<IRegistryKey> pKey;
    EKeyDisposition disposition = EKeyDisposition::OpenedExistingKey;
    if (store.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath(), &pKey, &disposition) &&
        disposition == EKeyDisposition::CreatedNewKey)
        store.ImportIni(*pKey, fileSystem);
}
