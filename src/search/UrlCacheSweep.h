#pragma once

#include "search/CSearchContext.h"

#include <string>
#include <vector>

// Deletes every content entry of the URL cache, pass after pass until a pass
// deletes nothing. Returns the local file of the first entry met that had
// one (at most 259 characters), or an empty text.
//
// List-only, it deletes nothing: one enumeration lists every entry the
// passes would delete if each deletion succeeded (an entry the browser holds
// cannot be foreseen), in order, up to the first entry too large for the
// buffer, where every pass would stop. A pass would end where the next record
// needs more room than the last one took; the record after that point counts
// as the first of the next pass, so the returned path is the one the passes
// would record.
std::string SweepUrlCache(CSearchContext& context);

// Below the cache root found in the recorded path, clears the System attribute
// of every sub-folder and deletes the index file in each. List-only, it
// changes no attribute and lists each index file that is there.
void SweepCacheIndexes(CSearchContext& context, const std::string& strRecordedPath);

// Deletes a cache folder's index file at once, ignoring the result (it fails
// while a browser holds the file). List-only, it lists the file when it is
// there instead.
void RemoveIndexFile(CSearchContext& context, const std::string& strFile);

// Appends every sub-folder below strFolder in pre-order, each level in the
// reverse of listing order; stops early on a stop request.
void CollectSubfolders(CSearchContext& context, const std::string& strFolder,
                       std::vector<std::string>& folders);
