#pragma once

#include "settings/EDisposalMode.h"

#include <cstdint>
#include <string>

// What one purge or move pass did: the figures of the word said after an
// unattended run.
struct SDisposalSummary
{
    bool bRan = false; // a pass ran (not declined, not kept off by another copy)
    EDisposalMode kind = EDisposalMode::Move;
    bool bToFolder = false;    // a move to the destination folder (else the Recycle Bin)
    std::string strMovePath;   // the destination folder of a move to a folder
    int32_t nDisposed = 0;     // checked files moved or deleted
    int32_t nFailed = 0;       // checked files that stayed where they were
    double dDisposedBytes = 0; // their sizes as the search saw them
    // The report written whole by the pass (Windows form); empty when none.
    std::string strReportPath;
    bool bReportIncomplete = false; // the pass was to write one and could not
};
