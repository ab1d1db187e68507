#pragma once

#include "search/CSearchContext.h"

#include <cstdint>
#include <string>
#include <vector>

// Entry of the searching thread: the IE cache phase when IE is on, then the
// directed lists, then the drive walk of SearchRoot; posts WM_SEARCH_DONE as
// its last act. Returns 0.
int SearchThreadProc(CSearchContext context);

// Announces the folder (WM_SEARCH_PATH), classifies its files, then walks its
// allowed sub-folders depth-first in the reverse of listing order.
void WalkFolder(CSearchContext& context, const std::string& strFolder, int32_t nDirected);

// Classifies the files directly inside the folder. When pSubfolders is given,
// the same listing pass also collects, in listing order, the sub-folders a walk
// would enter (not dot-folders, allowed by the Filters, no stop requested).
void ScanFiles(CSearchContext& context, const std::string& strFolder, int32_t nDirected,
               std::vector<std::string>* pSubfolders = nullptr);

// The Filters test: false when a Filters entry equals the whole path, letter
// case ignored.
bool IsFolderAllowed(const CScrubixDoc& doc, const std::string& strPath);
