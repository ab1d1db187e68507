#include "CConsolePrompt.h"
#include "DriveArgument.h"
#include "MinAgeArgument.h"
#include "SettingsCheck.h"
#include "platform/Platform.h"
#include "search/CHeadlessWindow.h"
#include "search/ResultsExport.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"

#include <cstdio>
#include <string>
#include <vector>

namespace
{
// The command line: [--format text|csv|json] [--min-age DAYS] DRIVE:
// nMinAge stays -1 (the stored setting) unless --min-age is given.
bool ParseArguments(int argc, char** argv, std::string& strRoot, bool& bText, EExportFormat& format,
                    int32_t& nMinAge)
{
    bText = true;
    bool bRoot = false;
    for (int i = 1; i < argc; ++i)
    {
        const std::string strArgument = argv[i];
        if (strArgument == "--format" && i + 1 < argc)
        {
            const std::string strFormat = argv[++i];
            if (strFormat != "text" && !ParseExportFormat(strFormat, format))
                return false;
            bText = strFormat == "text";
        }
        else if (strArgument == "--min-age" && i + 1 < argc)
        {
            if (!ParseMinAgeArgument(argv[++i], nMinAge))
                return false;
        }
        else if (i == argc - 1 && ParseDriveArgument(strArgument, strRoot))
            bRoot = true; // the drive comes last
        else
            return false;
    }
    return bRoot;
}

void Write(std::string& strText)
{
    std::fwrite(strText.data(), 1, strText.size(), stdout);
    strText.clear();
}

// One line of the text form: the path, escaped so that the line reads back to
// it (AppendTextField), then the reason and the size, tab-separated.
void AppendTextRow(const SCandidateRow& row, std::string& strLine)
{
    AppendTextField(row.strPath, strLine);
    strLine.append(1, '\t')
        .append(CCandidateTable::ReasonWord(row.nReason))
        .append(1, '\t')
        .append(CCandidateTable::SizeText(row.dSize, row.nReason))
        .append(1, '\n');
}

// A deletion the window's search would do at once, in the same three fields.
void AppendTextDeletion(const SListedDeletion& deletion, std::string& strLine)
{
    AppendTextField(deletion.strItem, strLine);
    strLine.append(1, '\t')
        .append(DeletionWord(deletion.kind))
        .append("\tdeleted by the window's search; left in place\n");
}
} // namespace

int main(int argc, char** argv)
{
    std::string strRoot;
    bool bText = true;
    EExportFormat format = EExportFormat::Csv;
    int32_t nMinAge = -1;
    if (!ParseArguments(argc, argv, strRoot, bText, format, nMinAge))
    {
        std::fputs("usage: scrubix-scan [--format text|csv|json] [--min-age DAYS] DRIVE:   (for "
                   "example: scrubix-scan C:)\n",
                   stderr);
        return 2;
    }

    // It lists and changes nothing: the settings are read, never written (not
    // even the defaults a first start stores), and no folder is made.
    SPlatform platform = CreatePlatform(ERegistryAccess::ReadOnly);
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();
    // What it lists is what a disposal would take: never on rules it could
    // not read.
    if (!AreSettingsReadable("scrubix-scan", store))
        return EXIT_SETTINGS_UNREADABLE;
    // --min-age holds for this run only; nothing is written back.
    if (nMinAge >= 0)
        doc.MinAge = nMinAge;

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
    CResultsExportWriter writer(format);
    if (!bText)
    {
        SetStandardOutputBinary();
        writer.Begin(strLine);
    }
    // The browser-cache phase deletes index files and cache entries at once in
    // the window; here it names them instead.
    window.ListOnly(
        [&](const SListedDeletion& deletion)
        {
            if (!bText)
                writer.Deletion(deletion, strLine);
            else
                AppendTextDeletion(deletion, strLine);
            Write(strLine);
        });
    window.RunSearch(strRoot, prompt, *platform.pClock, *platform.pUrlCache,
                     [&](const SCandidateRow& row)
                     {
                         if (!bText)
                             writer.Row(row, strLine);
                         else
                             AppendTextRow(row, strLine);
                         Write(strLine);
                     });

    if (!bText)
    {
        // The exported forms hold the rows only: a script counts them itself.
        writer.End(strLine);
        Write(strLine);
        std::fflush(stdout);
        return 0;
    }
    std::printf("Extension %d\tZero Length %d\tDirected %d\tTotal %s\n", doc.ExtenCount,
                doc.ZeroCount, doc.DirectedCount,
                CCandidateTable::TotalText(doc.TotalSize).c_str());
    std::fflush(stdout);
    return 0;
}
