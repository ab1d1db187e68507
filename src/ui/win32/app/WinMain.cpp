#include "ui/startup/StartUpOnly.h"
#include "ui/win32/app/CScrubixApp.h"

#include <cstdlib>
#include <cstring>
#include <windows.h>

// The desktop program on Windows. `--startup-only` runs the start-up without
// a window.
int WINAPI WinMain(HINSTANCE /*hInstance*/, HINSTANCE /*hPrevious*/, LPSTR /*pszCommandLine*/,
                   int /*nShow*/)
{
    for (int i = 1; i < __argc; ++i)
        if (std::strcmp(__argv[i], STARTUP_ONLY_OPTION) == 0)
            return RunStartUpOnly(__argc, __argv);

    CScrubixApp app(CreatePlatform());
    app.EnableNotifyBalloon();
    // Another copy showing itself is a normal end; a window that could not be
    // made is not, and the caller (a boot entry, a script) hears of it.
    if (!app.InitInstance(JoinArguments(__argc, __argv)))
        return app.EndedForOtherCopy() ? 0 : 1;
    const int nStatus = app.Run();
    return nStatus != 0 ? nStatus : app.ExitStatus();
}
