#pragma once

#include "search/CListedDeletions.h"

#include <cstdint>
#include <string>
#include <string_view>

struct SCandidateRow;

// The forms in which the results list is exported, by the window's Export
// Results command and by scrubix-scan alike, so a script and the window agree.
enum class EExportFormat : int32_t
{
    Csv,  // RFC 4180: a header line, CRLF line ends, fields quoted when needed
    Json, // one array of objects {"path", "reason", "size", "checked", "modified"}
};

// "csv" or "json" (letter case ignored). False for anything else.
bool ParseExportFormat(std::string_view strName, EExportFormat& format);

// The form of an export file chosen in a save dialog: the name's suffix
// ".json" or ".csv" (letter case ignored) decides; a name with neither takes
// the form of the filter chosen in the dialog.
EExportFormat ChooseExportFormat(std::string_view strFile, EExportFormat chosenFilter);

// Writes the rows one at a time, so a million rows never need a second copy.
// Begin, then Row for each row in the displayed order, then End; each call
// appends to the caller's buffer, which the caller may flush and empty between
// calls. The size is written in bytes (never the list's "K" text); the reason
// is the list's word ("Extension", "Zero Length", "Directed"); the
// modification time is the list's text (CCandidateTable::ModifiedText, local
// time), in JSON null when it is unknown.
//
// Every record reads back to exactly the path it was written for:
// - CSV writes the path's bytes as they are, quoted where needed.
// - JSON must be UTF-8, so "path" shows each byte that is not part of
//   well-formed UTF-8 as U+FFFD. Such a path also gets "path_bytes", all its
//   bytes as lower-case hexadecimal, two digits a byte; the exact path is
//   "path_bytes" where it is given and "path" where it is not. A name that
//   holds U+FFFD itself has no "path_bytes" and so never reads as one whose
//   bytes were replaced.
class CResultsExportWriter
{
public:
    explicit CResultsExportWriter(EExportFormat format) : m_format(format) {}

    void Begin(std::string& strOut);
    void Row(const SCandidateRow& row, std::string& strOut);
    // A deletion that the window's search does at once and a list-only search
    // left undone, as a record of its own among the rows: in CSV the item,
    // the DeletionWord and three empty fields (no size, never checked, no
    // modification time); in JSON
    // {"path", "reason", "search_deletes": true}, with "path_bytes" as for a
    // row. The path of a URL cache entry is its URL.
    void Deletion(const SListedDeletion& deletion, std::string& strOut);
    void End(std::string& strOut);

private:
    void BeginJsonRecord(std::string_view strPath, std::string& strOut);

    EExportFormat m_format;
    bool m_bFirstRow = true;
};

// The word a listed deletion shows where a row shows its reason: "Index File"
// or "URL Cache Entry".
const char* DeletionWord(EDeletionKind kind);

// Appends a path (or URL) as one field of a line of tab-separated text (the
// text form of scrubix-scan), so that the field holds no tab or line break
// and reads back to exactly the bytes given:
// - every control byte (below 0x20, and 0x7F), every byte of a C1 control
//   (U+0080 to U+009F) or of a line or paragraph separator (U+2028, U+2029),
//   and every byte that is not part of well-formed UTF-8 is written as "\x"
//   and two upper-case hexadecimal digits;
// - a backslash that is followed by "x" and two hexadecimal digits is
//   written as "\x5C", so it is never read as the start of an escape;
// - everything else, every other backslash included, is written as it is, so
//   an ordinary path reads as it stands.
// A reader turns each "\x" followed by two hexadecimal digits into that byte
// and takes every other character as it stands.
void AppendTextField(std::string_view strText, std::string& strOut);
