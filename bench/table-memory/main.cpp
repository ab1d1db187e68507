// Lists N candidates into a CCandidateTable the way the window does (one
// mailbox hand-over per row) and reports what the table holds per row beyond
// the path's own text: counted by a global allocator hook (glibc's usable
// block size plus its 8-byte block header) and seen in the resident set.
//
// Touches no file: the document gets a platform whose drive table, registry
// folder and home all point into a temporary folder this program makes and
// removes.
#include "../support/BenchSandbox.h"
#include "platform/Platform.h"
#include "search/CCandidateTable.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <new>
#include <string>
#include <unistd.h>

namespace
{
double PerRow(long long nBytes, int nRows)
{
    return static_cast<double>(nBytes) / nRows;
}

std::atomic<long long> g_nLiveBytes{0};
std::atomic<long long> g_nLiveBlocks{0};

void* Allocate(size_t nSize)
{
    void* p = std::malloc(nSize == 0 ? 1 : nSize);
    if (p == nullptr)
        throw std::bad_alloc();
    g_nLiveBytes += static_cast<long long>(malloc_usable_size(p)) + 8;
    ++g_nLiveBlocks;
    return p;
}

void Free(void* p)
{
    if (p == nullptr)
        return;
    g_nLiveBytes -= static_cast<long long>(malloc_usable_size(p)) + 8;
    --g_nLiveBlocks;
    std::free(p);
}

long long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long nPages = 0, nResident = 0;
    statm >> nPages >> nResident;
    return nResident * ::sysconf(_SC_PAGESIZE);
}

} // namespace

void* operator new(size_t nSize)
{
    return Allocate(nSize);
}
void* operator new[](size_t nSize)
{
    return Allocate(nSize);
}
void operator delete(void* p) noexcept
{
    Free(p);
}
void operator delete[](void* p) noexcept
{
    Free(p);
}
void operator delete(void* p, size_t) noexcept
{
    Free(p);
}
void operator delete[](void* p, size_t) noexcept
{
    Free(p);
}

int main(int argc, char** argv)
{
    const int nRows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const std::filesystem::path sandbox = MakeBenchSandbox("table-memory");
    if (sandbox.empty())
        return 1;

    long long nPathBytes = 0;
    {
        SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.CandidatePath.reserve(256);
        CCandidateTable table;

        const long long nBytesBefore = g_nLiveBytes.load();
        const long long nBlocksBefore = g_nLiveBlocks.load();
        const long long nResidentBefore = ResidentBytes();
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        for (int n = 0; n < nRows; ++n)
        {
            doc.CandidatePath = BenchCandidatePath(n);
            doc.CandidateReason = REASON_EXTENSION;
            doc.CandidateSize = 4096;
            doc.CandidateAck.store(0);
            if (table.AddCandidateRow(doc))
                nPathBytes += static_cast<long long>(doc.CandidatePath.size());
        }
        const double dCpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const long long nBytes = g_nLiveBytes.load() - nBytesBefore;
        const long long nResident = ResidentBytes() - nResidentBefore;
        const int nListed = table.GetRowCount();

        std::printf("rows listed:                 %d\n", table.GetRowCount());
        std::printf("average path length:         %.1f bytes\n", PerRow(nPathBytes, nListed));
        std::printf("heap, counted:               %.1f bytes/row (%lld blocks)\n",
                    PerRow(nBytes, nListed), g_nLiveBlocks.load() - nBlocksBefore);
        std::printf("beyond the path, counted:    %.1f bytes/row\n",
                    PerRow(nBytes - nPathBytes, nListed));
        std::printf("  of which table structures: %.1f bytes/row\n",
                    PerRow(static_cast<long long>(table.BytesHeld()), nListed));
        std::printf("beyond the path, resident:   %.1f bytes/row\n",
                    PerRow(nResident - nPathBytes, nListed));
        std::printf("listing time:                %.3f s wall, %.3f s CPU (%.0f ns/row CPU)\n",
                    dSeconds, dCpuSeconds, dCpuSeconds * 1e9 / nListed);

        // Re-reporting every path must add nothing (the set still finds them).
        int nAgain = 0;
        for (int n = 0; n < nRows; n += 97)
        {
            doc.CandidatePath = BenchCandidatePath(n);
            nAgain += table.AddCandidateRow(doc) ? 1 : 0;
        }
        std::printf("duplicates added:            %d\n", nAgain);
        if (nAgain != 0)
            return 2;
    }
    std::filesystem::remove_all(sandbox);
    return 0;
}
