#pragma once

#include <cstdint>
#include <string>

class CSettingsStore;
class IAutostart;

// The Run value for the settings Run and Visible (Visible 1 = visible launch)
// with strPath the program's folder (setting Path):
//   run on, visible     strPath + "\scrubix.exe -A47F19C2D08B6E53"
//   run on, invisible   strPath + "\scrubix.exe -7QX2M9R4TJ6W1HN5"
//   run off             "" (the value stays, empty)
// The path is written as it is, without quotation marks.
std::string ComposeRunValue(const std::string& strPath, int32_t nRun, int32_t nVisible);

// The arguments of a boot launch, " -" and the token; empty when run is off.
std::string BootArguments(int32_t nRun, int32_t nVisible);

// Writes value "Scrubix" in sub-key "Run" of HKEY_LOCAL_MACHINE
// "Software\Microsoft\Windows\CurrentVersion" (ComposeRunValue) with the store re-pointed for the
// length of the write and its base restored afterwards, the store's lock
// held across the whole unit. Keeps the login entry in step: enabled with
// BootArguments when run is on, disabled when it is off. Failures are silent;
// false when either part failed. Run off always writes the empty value, also
// with invisible launch chosen, so an earlier boot entry never outlives its
// switching off. UI thread, after the Options sheet's OK. *pLoginRefused
// (when given) tells whether run is on but the login entry could not be put
// in place: the user must hear of that, or the program would silently never
// start at login.
bool RegisterRunAtBoot(CSettingsStore& store, IAutostart& autostart, const std::string& strPath,
                       int32_t nRun, int32_t nVisible, bool* pLoginRefused = nullptr);

// Said after the Options sheet's OK when the login entry was refused.
inline constexpr const char* LOGIN_ENTRY_REFUSED_TEXT =
    "Scrubix could not add itself to the programs that start when you log in.\n\n"
    "Its entry cannot name a program whose path holds a \"%\" sign or a control character: "
    "install Scrubix in another folder, then choose this option again.";

inline constexpr const char* RUN_KEY_PATH = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr const char* RUN_SECTION = "Run";
inline constexpr const char* RUN_VALUE_NAME = "Scrubix";
