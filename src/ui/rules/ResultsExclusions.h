#pragma once

#include "settings/CScrubixDoc.h"
#include "ui/rules/IMessageBox.h"

#include <optional>
#include <string>

// The results list's "Exclude this file name", "Exclude *.ext" and "Filter
// this folder": the entry a row gives, the list it goes into, its checks
// (those of the Excludes and Filters pages, EntryRules), and which rows the
// next search would leave out because of it. User-interface thread only,
// while no search runs (the searching thread reads the lists).
enum class EExclusion
{
    FileName,  // the row's file name, into Excludes
    Extension, // "*." and the file name's extension, into Excludes
    Folder,    // the folder holding the file, into Filters
};

// The entry for the row's path ("C:\dir\a.tmp" gives "a.tmp", "*.tmp" or
// "C:\dir"); nullopt when there is none (a name without an extension, a
// path without a folder part).
std::optional<std::string> ExclusionEntry(EExclusion kind, const std::string& strPath);

// LIST_EXCLUDE or LIST_FILTER.
int ExclusionListKind(EExclusion kind);

// The folder holding the file ("C:\dir"; "C:\" for a file in a drive's root).
std::string ContainingFolder(const std::string& strPath);

// Adds the entry to the document's list and stores the list, after the
// checks the pages make: Excludes entries as the entry dialog's OK checks
// them, Filters entries as a folder chosen on the Filters page (refusals and
// questions shown through the message box). An entry already in the list
// (exactly) is not added twice. True when the entry is in the list now.
bool AddExclusion(EExclusion kind, const std::string& strEntry, CScrubixDoc& doc,
                  IMessageBox& messageBox);

// Whether the entry makes the next search leave out the row's path: the
// Excludes entry matches its file name as the search's rule matches it
// (letter case per ExcludeCase), or the Filters entry names one of the
// folders above it (letter case ignored, as the walk compares them).
bool ExclusionMatches(EExclusion kind, const std::string& strEntry, const std::string& strPath,
                      const CScrubixDoc& doc);
