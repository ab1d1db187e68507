#pragma once

#include "search/CSearchContext.h"

// Every Files to Delete entry, then a directed walk of every Folders to
// Delete entry, resolved as ResolveFolderPath reads it. An entry that names a
// drive root once resolved, climbs above one, or is not a full path is passed
// over.
void SearchDirectedLists(CSearchContext& context);

// The browser cache phase: URL cache sweep, index sweep, the cache folder
// walks with their immediate index-file deletions, and the user's own cache
// folder as the registry names it.
void SearchIECache(CSearchContext& context);

// The user's own cache folder: the "Cache" value under the shell folders key
// of HKEY_CURRENT_USER, read through the store with its base re-pointed there
// and then restored. The re-pointing, the read and the restore hold the
// store's lock as one unit, so no other thread's store call lands on the
// foreign key. False when that key did not exist. Runs on the searching
// thread.
bool ReadUserCacheFolder(CSettingsStore& store, std::string& strFolder);
