#include "platform/Platform.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/StartUp.h"

#include <string>

// The program's start-up state: settings store opened (and seeded on a first
// start), every setting loaded, the launch mode read from the command line,
// every setting the store did not hold written (the defaults of a first
// start), none replaced.
int main(int argc, char** argv)
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);

    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();

    std::string strArguments;
    for (int i = 1; i < argc; ++i)
        strArguments += (i > 1 ? " " : "") + std::string(argv[i]);
    CLaunchMode launchMode;
    launchMode.ScanLaunchTokens(strArguments);

    doc.StoreMissingSettings();
    return 0;
}
