#pragma once

#include "platform/FileTimes.h"
#include "platform/FileTypes.h"
#include "platform/IFileSystem.h"
#include "settings/CSettingsStore.h"
#include "settings/EDisposalMode.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

// Index of a rule list; the same index names the list in the store and on the
// option pages.
enum ListKind : int
{
    LIST_EXTEN = 0,
    LIST_FILTER = 1,
    LIST_EXCLUDE = 2,
    LIST_FILE = 3,
    LIST_FOLDER = 4,
    LIST_KIND_COUNT = 5,
};

// Store sub-key and value prefix of each list.
const char* ListPrefix(int nKind);

// Value in a list's sub-key: "1" when the list was last saved empty, "0"
// once it has been saved with entries again. Older programs read only the
// numbered values and pass it over.
inline constexpr const char* SAVED_EMPTY_VALUE = "SavedEmpty";

enum ECandidateReason : int32_t
{
    REASON_NONE = 0,
    REASON_EXTENSION = 1,
    REASON_ZERO_LENGTH = 2,
    REASON_DIRECTED = 3,
};

// The settings document: every option, the five rule lists, and the fields the
// searching thread shares with the window. Settings are read by the searching
// thread only while the options sheet cannot change them; the run-state words
// hand the mailboxes over (see the handshake in the search).
class CScrubixDoc
{
public:
    CScrubixDoc(CSettingsStore& store, IFileSystem& fileSystem);

    // Reads every setting and list. On a read-write store it also writes back
    // what the start-up settles (the Extensions, Path, MovePath and the
    // one-time Excludes mark) and makes the default move folder; on a
    // read-only store it settles the same values in memory only and makes no
    // folder.
    void LoadSettings();
    // Writes all five lists and every scalar setting except Path (the options
    // sheet's OK).
    void SaveSettings();
    // The start-up's write-back: stores each list and scalar setting that the
    // store does not hold at all yet, so that after a first start every
    // default is there (MinAge aside: absent reads as its default, off, and
    // the first save writes it); never replaces a value that is stored (another
    // process may have written it since LoadSettings read it, or it may be
    // too long to read), and writes nothing when the settings could not be
    // read.
    void StoreMissingSettings();
    // Appends the stored entries of a list to it and returns how many. The
    // list ends at the first blank or absent value; a value too long to be
    // read (over 259 characters) is skipped, not taken for the end.
    int32_t LoadList(int nKind);
    // Writes the list as values P0, P1, ... and blanks stale values behind it.
    // A slot holding a value too long to be read keeps it and is passed over,
    // so that what follows it is never lost; a value that already holds the
    // entry is not written again. An empty list is marked as saved empty
    // (SAVED_EMPTY_VALUE), so that later starts keep it empty instead of
    // giving it its defaults; a list saved with entries loses the mark.
    void SaveList(int nKind);
    // True when the list was last saved empty. LoadSettings gives a list its
    // defaults only when it reads no entry and the list was not saved empty.
    bool IsListSavedEmpty(int nKind);
    void RebuildExtenMap();

    // What Purge and Move do, read from Move.
    EDisposalMode DisposalMode() const { return DisposalModeOf(Move); }

    CSettingsStore& Store() { return m_store; }
    IFileSystem& FileSystem() { return m_fileSystem; }

    // Scalar settings, named by their registry value names. Flags are off at 0
    // and on at any other value; choices hold the index of the chosen button.
    int32_t ExcludeCase = 1;    // Excludes are compared ignoring letter case (1) or exactly (0)
    int32_t IE = 0;             // the browser's URL cache is searched for candidates
    int32_t IEURL = 0;          // carried: loaded and saved back, nothing acts on it
    std::string NetPath;        // carried: loaded and saved back, nothing acts on it
    int32_t Move = 0;           // what Purge and Move do: 0 moves, any other value purges
    int32_t RecycleRadio = 0;   // where moved files go: 0 the Recycle Bin, 1 MovePath
    int32_t WarnMe = 1;         // the purge warning is shown before purging
    int32_t Overwrite = 0;      // a move into MovePath may replace a file already there
    int32_t Anomaly = 0;        // the anomaly report is written after purging or moving
    int32_t Deletereadonly = 0; // read-only files may be deleted (their mode is cleared first)
    int32_t Zero = 0;           // zero-length files are candidates
    int32_t Scroll = 0;         // the results list scrolls to keep the newest row in view
    std::string MovePath;       // the destination folder of a move when RecycleRadio is 1
    int32_t Visible = 1;        // a boot-time run: 0 invisible (disposes unasked), 1 visible
    int32_t Run = 0;            // the program is registered to run at login
    std::string Path;           // the working folder: the anomaly report, the default MovePath
    // Days a file must have gone unchanged to be listed, whatever its reason
    // (see IsOldEnough in the search); 0, or less, lists files of any age.
    int32_t MinAge = 0;

    // The rule lists and their start-up defaults, indexed by ListKind.
    std::array<std::vector<std::string>, LIST_KIND_COUNT> Lists;
    std::array<std::vector<std::string>, LIST_KIND_COUNT> DefaultLists;

    // Derived at start-up.
    int32_t PlatformId = 2;
    std::unordered_set<std::string> ExtenMap;

    // Run state shared with the searching thread.
    std::string SearchRoot;
    // When the searching thread began, on the file-time clock (IClock::
    // FileTimeNow); written by that thread before it lists anything. A move
    // never replaces a destination file made or changed after it.
    int64_t SearchStartTime = 0;
    // The same moment on the wall clock (IClock::Now), in whole seconds since
    // 1970: the age rule measures every file against it.
    int64_t SearchStartSeconds = 0;
    std::string SearchPath;
    std::atomic<int32_t> PathAck{1};
    std::atomic<int32_t> CandidateAck{1};
    std::atomic<int32_t> StopFlag{0};
    std::string CandidatePath;
    double CandidateSize = 0;
    int32_t CandidateReason = REASON_NONE;
    SFileIdentity CandidateIdentity; // the file as the listing saw it
    // Its last modification, in whole seconds since 1970 (UTC);
    // UNKNOWN_UNIX_TIME when the search could not read it.
    int64_t CandidateModified = UNKNOWN_UNIX_TIME;
    int32_t ExtenCount = 0;
    int32_t ZeroCount = 0;
    int32_t DirectedCount = 0;
    double TotalSize = 0;

private:
    void BuildDefaultLists();
    void SettlePath(const std::string& strCurrentFolder);
    void SettleMovePath();
    void WriteListValues(int nKind, const std::vector<std::string>& entries);
    void MarkListSavedEmpty(int nKind, bool bEmpty);
    // Every scalar of SaveSettings in its order; with bOnlyAbsent only those
    // the store does not hold.
    void WriteScalars(bool bOnlyAbsent);

    CSettingsStore& m_store;
    IFileSystem& m_fileSystem;
};
