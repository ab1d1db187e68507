#pragma once

#include "settings/CSettingsStore.h"

#include <cstdio>

// Exit code of a tool that refused to act because the settings could not be
// read.
inline constexpr int EXIT_SETTINGS_UNREADABLE = 3;

// False, after saying so on standard error, when the store found settings
// that are there but cannot be read: what was read instead are built-in
// defaults, and no tool may search for or dispose of files on them.
inline bool AreSettingsReadable(const char* pszTool, const CSettingsStore& store)
{
    if (!store.IsUnreadable())
        return true;
    std::fprintf(stderr,
                 "%s: the settings in %s cannot be read; nothing is done on built-in rules "
                 "instead of them\n",
                 pszTool, store.UnreadableHiveName().c_str());
    return false;
}
