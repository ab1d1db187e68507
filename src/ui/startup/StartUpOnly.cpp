#include "ui/startup/StartUpOnly.h"

#include "platform/Platform.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/StartUp.h"

std::string JoinArguments(int argc, char** argv)
{
    std::string strArguments;
    for (int i = 1; i < argc; ++i)
        strArguments += (i > 1 ? " " : "") + std::string(argv[i]);
    return strArguments;
}

int RunStartUpOnly(int argc, char** argv)
{
    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);

    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();

    CLaunchMode launchMode;
    launchMode.ScanLaunchTokens(JoinArguments(argc, argv));

    doc.StoreMissingSettings();
    return 0;
}
