#include "CConsolePrompt.h"
#include "DriveArgument.h"
#include "SettingsCheck.h"
#include "platform/Platform.h"
#include "search/CHeadlessWindow.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::string strRoot;
    if (argc != 2 || !ParseDriveArgument(argv[1], strRoot))
    {
        std::fputs("usage: scrubix-scan DRIVE:   (for example: scrubix-scan C:)\n", stderr);
        return 2;
    }

    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();
    // What it lists is what a disposal would take: never on rules it could
    // not read.
    if (!AreSettingsReadable("scrubix-scan", store))
        return EXIT_SETTINGS_UNREADABLE;

    if (!platform.pFileSystem->IsFolderAccessible(strRoot + "\\"))
    {
        std::fprintf(stderr, "scrubix-scan: drive %s cannot be searched\n", strRoot.c_str());
        return 1;
    }

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    CConsolePrompt prompt;
    CHeadlessWindow window(doc);
    std::string strLine;
    window.RunSearch(strRoot, prompt, *platform.pClock, *platform.pUrlCache,
                     [&](const SCandidateRow& row)
                     {
                         strLine.assign(row.strPath)
                             .append(1, '\t')
                             .append(CCandidateTable::ReasonWord(row.nReason))
                             .append(1, '\t')
                             .append(CCandidateTable::SizeText(row.dSize, row.nReason))
                             .append(1, '\n');
                         std::fwrite(strLine.data(), 1, strLine.size(), stdout);
                     });

    std::printf("Extension %d\tZero Length %d\tDirected %d\tTotal %s\n", doc.ExtenCount,
                doc.ZeroCount, doc.DirectedCount,
                CCandidateTable::TotalText(doc.TotalSize).c_str());
    std::fflush(stdout);
    return 0;
}
