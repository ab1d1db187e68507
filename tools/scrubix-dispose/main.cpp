#include "CConsolePrompt.h"
#include "CTableResultsList.h"
#include "DisposeOptions.h"
#include "SettingsCheck.h"
#include "disposal/CDisposal.h"
#include "disposal/CUndoLastMove.h"
#include "platform/Platform.h"
#include "platform/ProgramFiles.h"
#include "search/CHeadlessWindow.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/StartUp.h"
#include "ui/rules/UndoTexts.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace
{
long long MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

void ApplyOptions(const SDisposeOptions& options, CScrubixDoc& doc)
{
    doc.Move = options.nMove;
    doc.RecycleRadio = options.nRecycleRadio;
    if (!options.strMovePath.empty())
        doc.MovePath = options.strMovePath;
    if (options.nAnomaly >= 0)
        doc.Anomaly = options.nAnomaly;
    if (options.nOverwrite >= 0)
        doc.Overwrite = options.nOverwrite;
    if (options.nDeleteReadOnly >= 0)
        doc.Deletereadonly = options.nDeleteReadOnly;
    if (options.nMinAge >= 0)
        doc.MinAge = options.nMinAge;
}
// Exit status 0 when every file of the last move is back (or nothing was
// recorded), 1 when a file stayed, the last pass was a purge or another pass
// runs.
int UndoLastMove(SPlatform& platform)
{
    CUndoLastMove undo(*platform.pFileSystem, *platform.pShell, *platform.pRegistry);
    const SUndoReport report = undo.Run();
    const std::string strText = UndoReportText(report);
    const bool bWhole = report.result == EUndoResult::NothingToUndo ||
                        (report.result == EUndoResult::Done && report.stayed.empty());
    std::fprintf(bWhole ? stdout : stderr, "%s%s\n",
                 bWhole ? "" : "scrubix-dispose: ", strText.c_str());
    return bWhole ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    SDisposeOptions options;
    std::string strError;
    if (!ParseDisposeOptions(argc, argv, options, strError))
    {
        std::fprintf(stderr, "scrubix-dispose: %s\n%s", strError.c_str(), DISPOSE_USAGE);
        return 2;
    }

    SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();
    if (!AreSettingsReadable("scrubix-dispose", store))
        return EXIT_SETTINGS_UNREADABLE;
    if (options.bUndoLastMove)
        return UndoLastMove(platform);
    ApplyOptions(options, doc);

    if (!platform.pFileSystem->IsFolderAccessible(options.strRoot + "\\"))
    {
        std::fprintf(stderr, "scrubix-dispose: drive %s cannot be searched\n",
                     options.strRoot.c_str());
        return 1;
    }

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    CConsolePrompt prompt;
    CHeadlessWindow window(doc);
    const auto searchStart = std::chrono::steady_clock::now();
    window.RunSearch(options.strRoot, prompt, *platform.pClock, *platform.pUrlCache);
    const long long nSearchMs = MillisecondsSince(searchStart);

    CCandidateTable& table = window.Table();
    for (int nRow = 0; nRow < table.GetRowCount(); ++nRow)
        table.SetChecked(nRow, true);
    const int nCandidates = table.GetRowCount();

    // The window stays hidden in an invisible run: no warning, no viewer.
    CLaunchMode launchMode;
    launchMode.InvisibleMode = 1;
    launchMode.BootLaunch = 1;
    CTableResultsList list(table);
    CDisposal disposal(SDisposalServices{*platform.pFileSystem, *platform.pShell, *platform.pClock,
                                         window.Port(), prompt, list, store, launchMode});
    disposal.SetProtectedFiles(ListProgramFiles());

    // The search may have read more of the store (the browser's cache folder).
    if (!AreSettingsReadable("scrubix-dispose", store))
        return EXIT_SETTINGS_UNREADABLE;
    const auto disposeStart = std::chrono::steady_clock::now();
    disposal.Start(doc);
    uintptr_t nResult = 0;
    window.RunMessageLoop(
        [&](const SPostedMessage& message)
        {
            if (message.nMessage == WM_DISPOSE_STEP && !options.bQuiet)
                std::printf("%s\n", disposal.StepPath().c_str());
            if (message.nMessage == WM_DISPOSE_BEGIN || message.nMessage == WM_DISPOSE_STEP)
                disposal.Acknowledge();
            if (message.nMessage != WM_DISPOSE_DONE)
                return true;
            nResult = message.wParam;
            return false;
        });
    disposal.Join();
    const long long nDisposeMs = MillisecondsSince(disposeStart);

    if (nResult == CDisposal::RESULT_BUSY)
    {
        std::fflush(stdout);
        std::fprintf(stderr, "scrubix-dispose: %s\n", CDisposal::DISPOSAL_BUSY_TEXT);
        return 1;
    }
    std::printf("%s pass over %d checked candidate(s) on %s, result %d\n",
                doc.DisposalMode() == EDisposalMode::Purge ? "Purge" : "Move", nCandidates,
                options.strRoot.c_str(), static_cast<int>(nResult));
    const bool bReportWritten = doc.Anomaly == 1 && !disposal.IsReportIncomplete();
    if (bReportWritten)
        std::printf("Report: %s\n", AnomalyReportPath(doc.Path).c_str());
    if (options.bTiming)
        std::printf("search %lld ms, dispose %lld ms\n", nSearchMs, nDisposeMs);
    std::fflush(stdout);
    if (doc.Anomaly == 1 && !bReportWritten)
    {
        std::fprintf(stderr, "scrubix-dispose: %s\n",
                     ReportNotWrittenText(AnomalyReportPath(doc.Path)).c_str());
        return 1;
    }
    return 0;
}
