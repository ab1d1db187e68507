#pragma once

#include "platform/IAutostart.h"

#include <string>

// The freedesktop autostart entry "scrubix.desktop" in one folder (normally
// $XDG_CONFIG_HOME/autostart). The entry starts strExecutable, an absolute
// host path, with the boot arguments.
class CXdgAutostart : public IAutostart
{
public:
    CXdgAutostart(std::string strFolder, std::string strExecutable);

    // $XDG_CONFIG_HOME/autostart when XDG_CONFIG_HOME is absolute, else
    // $HOME/.config/autostart (the passwd entry's home when HOME is unset).
    static std::string FolderFromEnvironment();
    // The running program's executable with every link resolved
    // (/proc/self/exe); empty when it cannot be read.
    static std::string ExecutableOfThisProcess();

    // The entry's text, or false when the executable cannot be written on an
    // Exec line that every launcher runs: not absolute, a control character,
    // not UTF-8, or a "%". The desktop-entry rules let "%%" stand for a "%",
    // but GIO's launcher (gio launch, the GNOME session) refuses such a line,
    // so the program would silently not start at login; no entry is written
    // instead, and enabling fails.
    static bool ComposeEntry(const std::string& strExecutable, const std::string& strArguments,
                             std::string& strEntry);

    bool EnableAtLogin(const std::string& strArguments) override;
    bool DisableAtLogin() override;

    const std::string& EntryPath() const { return m_strEntryPath; }

    static constexpr const char* ENTRY_NAME = "scrubix.desktop";

private:
    std::string m_strFolder;
    std::string m_strExecutable;
    std::string m_strEntryPath;
};
