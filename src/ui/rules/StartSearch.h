#pragma once

#include <string>

class CSettingsStore;
class IFileSystem;

enum class EStartSearch
{
    Start,          // strRoot is the search root; Settings\Drive holds it
    ListBoxError,   // no usable drive entry: "List Box Error"
    CannotScanPath, // the root cannot be entered: "Cannot Scan Path\n" + root
};

struct SStartSearch
{
    EStartSearch outcome = EStartSearch::ListBoxError;
    std::string strRoot;    // "C:" and the like, also for CannotScanPath
    std::string strMessage; // the message box text; empty for Start
};

// The root a drive-box entry names: its third character upper-cased with ":"
// appended ("[-c-]" → "C:"). False when the entry has fewer than 3
// characters or its third character is not a letter (no drive named).
bool ParseDriveEntry(const std::string& strEntry, std::string& strRoot);

// StartSearch's validation. nSelected is the drive box's selection (-1 for
// none), strEntry its text. On success writes the root to Settings\Drive
// ("C:") and returns Start; the caller then begins the search with strRoot.
// The two errors are shown to the user (OK button) in every launch mode, and
// the view stays Idle; Drive is then not written. UI thread.
SStartSearch PrepareSearch(int nSelected, const std::string& strEntry, IFileSystem& fileSystem,
                           CSettingsStore& store);

inline constexpr const char* LIST_BOX_ERROR_TEXT = "List Box Error";
inline constexpr const char* CANNOT_SCAN_PATH_TEXT = "Cannot Scan Path\n%s";
