// Lists N candidates into the window's table and model with a list view
// attached (offscreen), then times each review command as the user-interface
// thread sees it: the command itself and the events it leaves for the view.
// Everything but the sort must stay under 100 ms; the sort is reported.
//
// Touches no file: the document gets a platform whose drive table, registry
// folder and home all point into a temporary folder this program makes and
// removes.
#include "../support/BenchSandbox.h"
#include "platform/Platform.h"
#include "search/CCandidateTable.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "ui/qt/app/CResultsModel.h"
#include "ui/qt/app/CResultsTreeView.h"

#include <QApplication>
#include <QLabel>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>

namespace
{
// Processor time of this thread, in ms: on a machine shared with other work
// it tells the step's own cost where the wall time also counts the waiting.
double ThreadCpuMs()
{
    struct timespec now
    {
    };
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

double g_dLastCpuMs = 0; // of the last step Time measured

// Milliseconds for the step and the events it posted.
double Time(const std::function<void()>& step)
{
    const double dCpuStart = ThreadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    step();
    QCoreApplication::processEvents();
    g_dLastCpuMs = ThreadCpuMs() - dCpuStart;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
} // namespace

int main(int argc, char** argv)
{
    const int nRows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const std::filesystem::path sandbox = MakeBenchSandbox("results-review");
    if (sandbox.empty())
        return 1;

    int nStalls = 0;
    {
        QApplication app(argc, argv);
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        CScrubixDoc doc(store, *platform.pFileSystem);
        CCandidateTable table;
        CResultsModel model(table);
        CResultsTreeView list;
        list.setUniformRowHeights(true);
        list.setModel(&model);
        list.resize(640, 400);
        list.show();
        QLabel counter;
        QObject::connect(&model, &CResultsModel::CheckedCountsChanged, &counter,
                         [&] { counter.setText(QString::fromStdString(table.CheckedText())); });

        const double dList = Time(
            [&]
            {
                for (int n = 0; n < nRows; ++n)
                {
                    doc.CandidatePath = BenchCandidatePath(n);
                    doc.CandidateReason = 1;
                    doc.CandidateSize = static_cast<double>((n * 7919LL) % 10000000);
                    doc.CandidateAck.store(0);
                    table.AddCandidateRow(doc);
                    if (model.PendingRowCount() >= 10000)
                        model.ShowPendingRows();
                }
                model.ShowPendingRows();
            });
        std::printf("rows:                        %d (listed in %.0f ms)\n", table.GetRowCount(),
                    dList);
        list.setCurrentIndex(model.index(nRows / 2, 0));

        const auto report = [&](const char* pName, double dMs, bool bLimited)
        {
            const bool bStall = bLimited && dMs > 100;
            nStalls += bStall ? 1 : 0;
            std::printf("%-28s %8.1f ms  (cpu %7.1f ms)%s\n", pName, dMs, g_dLastCpuMs,
                        bStall ? "  OVER 100 ms" : "");
        };
        report("sort by size:", Time([&] { model.Sort(ESortColumn::Size, false); }), false);
        report("sort by size, descending:", Time([&] { model.Sort(ESortColumn::Size, true); }),
               false);
        report("sort by path:", Time([&] { model.Sort(ESortColumn::Path, false); }), false);
        report("uncheck all:", Time([&] { model.SetAllChecked(false); }), true);
        report("check all:", Time([&] { model.SetAllChecked(true); }), true);
        report("invert:", Time([&] { model.InvertChecks(); }), true);
        double dWorst = 0;
        const double dToggles = Time(
            [&]
            {
                for (int i = 0; i < 1000; ++i)
                {
                    const auto start = std::chrono::steady_clock::now();
                    model.SetRowChecked((i * 997) % nRows, i % 2 == 0);
                    QCoreApplication::processEvents();
                    dWorst = std::max(dWorst, std::chrono::duration<double, std::milli>(
                                                  std::chrono::steady_clock::now() - start)
                                                  .count());
                }
            });
        report("1000 single boxes, total:", dToggles, false);
        g_dLastCpuMs = 0; // a wall time alone
        report("one box with counter, worst:", dWorst, true);
        std::printf("counter:                     %s\n", table.CheckedText().c_str());
    }
    std::filesystem::remove_all(sandbox);
    return nStalls == 0 ? 0 : 2;
}
