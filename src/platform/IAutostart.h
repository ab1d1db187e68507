#pragma once

#include <string>

// Starting the program when the user logs in, where the platform needs more
// than the Run value. POSIX keeps a freedesktop autostart entry,
// $XDG_CONFIG_HOME/autostart/scrubix.desktop (~/.config when unset), whose Exec
// line is the running executable's real path followed by the arguments. The
// Windows backend does nothing: the Run value is the whole mechanism there.
// Thread-safe; never throws.
class IAutostart
{
public:
    virtual ~IAutostart() = default;
    // Writes the entry whole (a new file renamed into place, never through a
    // link planted at its name). strArguments is appended to the quoted
    // executable path as it is (" -TOKEN"). True when the entry is in place;
    // false, with nothing written, also when the executable's path cannot be
    // written on an entry every launcher runs (POSIX: one holding "%").
    virtual bool EnableAtLogin(const std::string& strArguments) = 0;
    // Removes the entry; true when none remains.
    virtual bool DisableAtLogin() = 0;
};
