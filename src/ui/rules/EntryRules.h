#pragma once

#include "platform/IFileSystem.h"
#include "ui/rules/SPrompt.h"

#include <optional>
#include <string>
#include <vector>

// The checks the list pages make on entries, and the questions they ask
// before accepting or removing some of them. Each check returns the box to
// show; where a path appears in a text it is the path in its own case.

// Longest text the settings store can read back (its read buffer holds 260
// bytes with the terminating NUL). Longer entries would be saved and then
// lost at the next start, so they are refused where they are added.
inline constexpr size_t MAX_ENTRY_LENGTH = 259;

// The entry dialog's OK: the empty-entry check, the length check and, in
// Exclude mode, the wildcard form checks. No trimming: a single blank passes.
// nullopt when the entry passes; otherwise the OK-only refusal.
std::optional<SPrompt> CheckEntryText(const std::string& strText, bool bExcludeMode);

// OK-only refusal for a path or file chosen in a dialog that the store could
// not read back; nullopt when it fits.
std::optional<SPrompt> CheckEntryLength(const std::string& strText);

// An Excludes entry as it is kept: blanks and tabs at both ends removed (a
// name typed with a trailing blank would be invisible in the list and never
// match). Applied before the entry dialog's checks in Exclude mode, so an
// entry of blanks only is a null entry.
std::string TrimEntryBlanks(const std::string& strText);

enum class EPathVerdict
{
    Refuse,     // show the OK-only prompt; nothing is added
    AskThenAdd, // ask the Yes/No prompt; only Yes adds
    Add,        // add at once
};

struct SPathVerdict
{
    EPathVerdict eVerdict = EPathVerdict::Add;
    SPrompt prompt;       // empty text for Add
    std::string strEntry; // what Add and AskThenAdd put in the list
};

// The path check of the Filters page and, with bFoldersToDelete, of the
// Folders to Delete page, for a folder chosen in the folder browser. Every
// test is made on the folder the path resolves to ("." and ".." taken out,
// see ResolveFolderPath): a path that resolves to a drive root, or climbs
// above one, is refused as a root, and one that is not a full path is
// invalid. The folder is tested in its own letter case (names are
// case-sensitive on some platforms); the root and operating-system tests
// upper-case it. Folders to Delete asks about a folder whose name holds
// WINDOWS or WINNT and about any folder that is, or lies below, one of the
// file system's system folders. The entry to add is the path as chosen
// (trailing backslash kept) unless resolving changed it; then the resolved
// path. Prompts name the path as chosen.
SPathVerdict CheckFolderPath(const std::string& strPath, bool bFoldersToDelete,
                             IFileSystem& fileSystem);

// The Filters page's missing-default question for a default entry that is
// not in the list box; nullopt for a default that is passed over silently.
std::optional<SPrompt> MissingFilterDefaultPrompt(const std::string& strDefault);

// The questions before deleting a Filters entry, in the order they are asked;
// every one is asked, and the entry goes only when each was answered Yes.
std::vector<SPrompt> FilterDeleteQuestions(const std::string& strEntry,
                                           const std::vector<std::string>& defaults);

// The question before deleting an Excludes entry ("install.log" and
// "data.bak" exactly, letter case included); nullopt for any other entry.
std::optional<SPrompt> ExcludeDeleteQuestion(const std::string& strEntry);

// "%s" replaced by the text.
std::string FormatWithPath(const char* pTemplate, const std::string& strPath);
