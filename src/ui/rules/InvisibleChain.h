#pragma once

#include <cstdint>

class CSettingsStore;
struct CLaunchMode;

// The decisions of a run started at boot, above all of the invisible chain:
// start-up → search → disposal without a prompt → no report opened → close.
// Every function is a pure rule; the window asks them at the named moment.

// Whether the settings could be read (no hive of the store is unreadable). An
// invisible run on rules it could not read must never dispose of anything.
bool AreSettingsReadable(const CSettingsStore& store);

// True when the run is invisible and its window hidden: nothing may wait for
// a user ("No candidates found.", the purge warning and the anomaly report
// are not shown). Once the window has been shown the run is attended.
bool IsUnattended(const CLaunchMode& launchMode, bool bWindowVisible);

// Whether start-up shows the main window: always, except in invisible mode
// with readable settings.
bool ShouldShowWindowAtStart(const CLaunchMode& launchMode, bool bSettingsReadable);

// The message start-up posts to the frame: WM_STARTUP_INVISIBLE when the
// window stays hidden, else WM_STARTUP_VISIBLE (an invisible run on
// unreadable settings thus behaves as a visible boot launch: it searches and
// waits for the user).
uint32_t StartupMessage(const CLaunchMode& launchMode, bool bSettingsReadable);

// Whether the view's start-up message starts a search:
// WM_VIEW_STARTUP_INVISIBLE always, WM_VIEW_STARTUP_VISIBLE with BootLaunch.
bool ShouldSearchOnStartup(uint32_t nViewMessage, const CLaunchMode& launchMode);

// After WM_SEARCH_DONE has been handled: start the disposal of every listed
// row without a prompt when the run is unattended and its settings readable,
// whatever state the search left (also Idle after an empty search).
bool ShouldDisposeAfterSearch(const CLaunchMode& launchMode, bool bWindowVisible,
                              bool bSettingsReadable);

// After WM_DISPOSE_DONE has been handled: post the close when the run is
// still unattended.
bool ShouldCloseAfterDisposal(const CLaunchMode& launchMode, bool bWindowVisible);
