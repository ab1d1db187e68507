#pragma once

#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"
#include "ui/rules/IMessageBox.h"
#include "ui/rules/SPrompt.h"

#include <cstdint>
#include <optional>
#include <string>

// The rules of the four setting pages apart from their widgets. Each handler
// takes the page's members as they stand after the click and may change
// them; the page then puts its members back into its controls.

// Which Purge/Move controls are enabled. nMove: 0 Move, any other value Purge;
// nRecycleRadio: 0 Recycle Bin, 1 destination folder.
struct SPurgeMoveEnabling
{
    bool bWhereToMove = false; // "Move to Recycle Bin", "Move (but not to Recycle Bin)"
    bool bDestination = false; // label, folder edit box, Browse
    bool bOverwrite = false;   // "Allow file overwrite while Moving files to destination"
    bool bWarnBeforePurge = false;

    bool operator==(const SPurgeMoveEnabling&) const = default;
};
SPurgeMoveEnabling PurgeMoveEnabling(int32_t nMove, int32_t nRecycleRadio);

// Before the Purge/Move page is left (another tab or OK): when moving to a
// destination folder, that folder must exist and be accessible, and fit the
// store. nullopt lets the page be left; otherwise the OK-only refusal, and
// the page stays. The page first turns a host path typed on a drive into its
// Windows form (ToDriveForm); a host path on no drive is refused with a
// sentence after the usual text that says which form is expected.
std::optional<SPrompt> CheckDestinationFolder(int32_t nMove, int32_t nRecycleRadio,
                                              const std::string& strMovePath,
                                              IFileSystem& fileSystem);

// "Launch Invisible" clicked (also when it was already chosen): asks; Yes
// ticks Run At Boot time and tells how to show the hidden program, No goes
// back to "Launch Visible".
void OnLaunchInvisibleClicked(int32_t& Visible, int32_t& Run, IMessageBox& messageBox);

// "Run At Boot time" clicked: with Invisible chosen it cannot be turned off.
void OnRunAtBootClicked(int32_t Visible, int32_t& Run, IMessageBox& messageBox);

// "Files in Internet Explorer Cache" clicked: the advice to shut the browser
// down, at most once while bWarnOnce is set (one opening of the sheet).
void OnInternetExplorerClicked(int32_t IE, bool& bWarnOnce, IMessageBox& messageBox);

// "Consider Zero Length files as Candiates" clicked: when it is now on and
// the three browser keys all exist under HKEY_LOCAL_MACHINE, advises filters
// for the mail folders. Keys are only opened for reading, never created; a
// key that cannot be opened counts as absent. The box stays on either way.
void OnZeroLengthClicked(int32_t Zero, IRegistry& registry, IMessageBox& messageBox);
bool ZeroLengthMailKeysPresent(IRegistry& registry);
