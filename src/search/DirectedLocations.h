#pragma once

#include "search/CSearchContext.h"

// Every Files to Delete entry, then a directed walk of every Folders to
// Delete entry.
void SearchDirectedLists(CSearchContext& context);

// The browser cache phase: URL cache sweep, index sweep, the cache folder
// walks with their immediate index-file deletions, and the user's own cache
// folder as the registry names it.
void SearchIECache(CSearchContext& context);
