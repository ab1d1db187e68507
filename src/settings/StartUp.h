#pragma once

#include "platform/IFileSystem.h"
#include "settings/CSettingsStore.h"

// Points the store at the program's base key and, when that key has just been
// created (the first start on this machine), seeds it from the INI file.
void OpenSettingsStore(CSettingsStore& store, IFileSystem& fileSystem);
