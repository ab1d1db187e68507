#pragma once

#include "platform/IFileSystem.h"
#include "settings/CSettingsStore.h"

// Points the store at the program's base key and, on the first start on this
// machine, seeds it from the INI file. The seeding happens exactly once and
// completely: it counts as done only when the whole file has been imported,
// so a start that ends part way through (killed, crashed) is followed by a
// start that imports again. A first start is one that creates the base key,
// finds it empty (created by a start that ended before seeding began), or
// finds the mark of an unfinished import in it. A read-only store (a tool
// that only lists) is pointed at the base and nothing more: it seeds nothing
// and reads what is there, or the built-in defaults. Main thread, before
// anything reads a setting.
void OpenSettingsStore(CSettingsStore& store, IFileSystem& fileSystem);

// Value of the base key itself that is there only while the import runs.
inline constexpr const char* IMPORT_PENDING_VALUE = "IniImportPending";
