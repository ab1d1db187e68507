#pragma once

#include "platform/IAutostart.h"

// Windows starts the program at login from the Run value alone; there is no
// second entry to keep.
class CWin32Autostart : public IAutostart
{
public:
    bool EnableAtLogin(const std::string& /*strArguments*/) override { return true; }
    bool DisableAtLogin() override { return true; }
};
