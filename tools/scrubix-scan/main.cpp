#include "platform/Platform.h"
#include "search/CHeadlessWindow.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "settings/TextFolding.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// Without a window the time-out box becomes a line on the error stream and
// the search goes on at once.
class CConsolePrompt : public IUserPrompt
{
public:
    void ShowAckTimeout() override
    {
        std::fputs("Click OK to unlock Scrubix and proceed.\n", stderr);
    }
    bool ConfirmPurge(bool& bDontShowAgain) override
    {
        bDontShowAgain = false;
        return false;
    }
};

bool ParseDrive(const std::string& strArgument, std::string& strRoot)
{
    std::string strDrive = ToUpperAscii(strArgument);
    if (strDrive.size() == 3 && strDrive[2] == '\\')
        strDrive.pop_back();
    if (strDrive.size() != 2 || strDrive[1] != ':' || strDrive[0] < 'A' || strDrive[0] > 'Z')
        return false;
    strRoot = strDrive;
    return true;
}
} // namespace

int main(int argc, char** argv)
{
    std::string strRoot;
    if (argc != 2 || !ParseDrive(argv[1], strRoot))
    {
        std::fputs("usage: scrubix-scan DRIVE:   (for example: scrubix-scan C:)\n", stderr);
        return 2;
    }

    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();

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
