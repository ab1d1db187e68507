#pragma once

#include <string>

struct CLaunchMode;
struct SDisposalSummary;

// The rules of a run with nobody watching: where the program may run without
// a display, the status it ends with, and the word it leaves afterwards (a
// desktop notification on Linux, a notification-area balloon on Windows).

// How the program starts its windowing, decided before any window exists.
enum class EDisplayChoice
{
    Normal,    // the platform the toolkit picks (a display, or the user's choice)
    Offscreen, // an invisible run with no display: windows that are never drawn
    Refuse,    // a visible launch with no display: one line on standard error, then end
};

// bPlatformChosen: the user named the windowing platform (QT_QPA_PLATFORM),
// which is always respected. bDisplayReachable: a display could be reached.
EDisplayChoice ChooseDisplay(const CLaunchMode& launchMode, bool bPlatformChosen,
                             bool bDisplayReachable);

// Exit statuses of the desktop program.
inline constexpr int EXIT_RUN_OK = 0;
inline constexpr int EXIT_NO_DISPLAY = 1;          // a window was asked for and there is no display
inline constexpr int EXIT_SETTINGS_UNREADABLE = 2; // an invisible run could not read its settings
inline constexpr int EXIT_REPORT_NOT_WRITTEN = 3;  // the report of its pass could not be written

// The status an invisible run ends with: the unreadable settings first, then
// a report that was to be written and was not; 0 otherwise.
int UnattendedExitStatus(bool bSettingsReadable, bool bReportIncomplete);

// The lines written to standard error where nobody sees a window.
inline constexpr const char* NO_DISPLAY_TEXT =
    "Scrubix: no display to show its window on (DISPLAY and WAYLAND_DISPLAY are unset or cannot "
    "be reached); start it from the desktop, or with the invisible boot token to search and "
    "dispose without a window.";
inline constexpr const char* SETTINGS_UNREADABLE_TEXT =
    "Scrubix: the settings could not be read; nothing was searched or disposed of.";

// The notification's title and the action that opens the report.
inline constexpr const char* NOTICE_TITLE = "Scrubix";
inline constexpr const char* NOTICE_OPEN_REPORT = "Open Report";

// What each platform calls the bin that moved files go to.
inline constexpr const char* NOTICE_BIN_TRASH = "Trash";             // Linux
inline constexpr const char* NOTICE_BIN_RECYCLE_BIN = "Recycle Bin"; // Windows

// What the notification says after an unattended pass, for instance
// "Scrubix moved 42 files (3,100K bytes) to the Trash; 2 could not be moved."
// strBinName names the bin of a move that is not to a folder ("Trash",
// "Recycle Bin"); strFolder the destination of a move to a folder as the user
// knows it. Sizes are the K bytes of the counters (1000 bytes, truncated),
// grouped by thousands. Empty when no pass ran.
std::string DisposalNoticeText(const SDisposalSummary& summary, const std::string& strBinName,
                               const std::string& strFolder);

// "3,100K bytes" of a byte count.
std::string GroupedKBytes(double dBytes);

// Whether the notification offers to open the report: only when one was
// written whole.
bool NoticeOffersReport(const SDisposalSummary& summary);

// How long an unattended run waits, at most, for the notification's action
// before it ends; it ends at once when the notification is closed.
inline constexpr int NOTICE_ACTION_WAIT_MS = 20000;
