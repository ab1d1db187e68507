#pragma once

#include "platform/FileTypes.h"
#include "search/CSearchContext.h"

#include <cstdint>
#include <string>
#include <string_view>

// False when the name is excluded (Excludes list, letter case per
// ExcludeCase), is one of the protected names DESKTOP.INI and INDEX.DAT, or
// is a temporary the program's own copies write (CopyTemporaryName.h): a
// copy being written is no junk, and one a killed copy left is removed by
// the next move into its folder.
bool IsNameAllowed(const CScrubixDoc& doc, std::string_view strName);

// True when the wildcard entry ("*." and an extension) names the extension of
// strName: only the text after the name's last dot counts, compared in ASCII
// letter case or without it (bIgnoreCase). A name without a dot never matches.
bool MatchesWildcardExclude(std::string_view strName, std::string_view strEntry, bool bIgnoreCase);

// True when the one Excludes entry leaves the name out: the whole name, or a
// wildcard entry ("*" first) naming its extension; letter case per bIgnoreCase.
bool MatchesExcludeEntry(std::string_view strName, std::string_view strEntry, bool bIgnoreCase);

// The age rule. A file is old enough to be listed when it has not been
// changed for at least nMinAgeDays days before the search began:
//     nNow - nModified >= nMinAgeDays × 86400
// with both times in whole seconds since 1970 (the modification time rounded
// towards the past, see UnixSecondsOfFileTime), nNow taken once as the search
// begins (CScrubixDoc::SearchStartSeconds). So with 30 days a file changed
// exactly 30 × 24 hours before the start is listed, one changed a second
// later is not. A file whose modification time is unknown (UNKNOWN_UNIX_TIME)
// is never old enough. nMinAgeDays 0 or less turns the rule off: every file
// is old enough.
bool IsOldEnough(int64_t nModified, int64_t nNow, int32_t nMinAgeDays);

// Applies the rules to one file and reports a candidate. strFolder is used as
// given ("C:" for a root). nDirected nonzero marks a directed location. The
// size is read only when it decides something (a candidate, or the Zero
// test); if the entry's details are not known yet they are filled through
// pListing, which may be null when the entry already carries them. A file
// that would be a candidate for any reason is then held to the age rule
// (MinAge); its modification time comes from what the listing carries, or
// else from the details a candidate needs read anyway, so the rule reads
// nothing more than a search without it. Every candidate carries its
// modification time.

void ClassifyFile(CSearchContext& context, const std::string& strFolder, SFindEntry& entry,
                  int32_t nDirected, IFolderListing* pListing);

// The candidate handshake: waits for CandidateAck, clears it, fills the
// mailbox and posts WM_ADD_CANDIDATE.
void ReportCandidate(CSearchContext& context, const std::string& strPath, double dSize,
                     int32_t nReason, const SFileIdentity& identity, int64_t nModified);
