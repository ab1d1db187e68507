#pragma once

#include "search/CSearchContext.h"

#include <string>
#include <vector>

// Deletes every content entry of the URL cache, pass after pass until a pass
// deletes nothing. Returns the local file of the first entry met that had
// one (at most 259 characters), or an empty text.
std::string SweepUrlCache(CSearchContext& context);

// Below the cache root found in the recorded path, clears the System attribute
// of every sub-folder and deletes the index file in each.
void SweepCacheIndexes(CSearchContext& context, const std::string& strRecordedPath);

// Appends every sub-folder below strFolder in pre-order, each level in the
// reverse of listing order; stops early on a stop request.
void CollectSubfolders(CSearchContext& context, const std::string& strFolder,
                       std::vector<std::string>& folders);
