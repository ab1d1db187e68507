#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct SCandidateRow;

// The forms in which the results list is exported, by the window's Export
// Results command and by scrubix-scan alike, so a script and the window agree.
enum class EExportFormat : int32_t
{
    Csv,  // RFC 4180: a header line, CRLF line ends, fields quoted when needed
    Json, // one array of objects {"path", "reason", "size", "checked"}
};

// "csv" or "json" (letter case ignored). False for anything else.
bool ParseExportFormat(std::string_view strName, EExportFormat& format);

// Writes the rows one at a time, so a million rows never need a second copy.
// Begin, then Row for each row in the displayed order, then End; each call
// appends to the caller's buffer, which the caller may flush and empty between
// calls. The size is written in bytes (never the list's "K" text); the reason
// is the list's word ("Extension", "Zero Length", "Directed"). Paths are
// written as they are; in JSON, bytes that are not UTF-8 become U+FFFD,
// because a JSON text must be UTF-8.
class CResultsExportWriter
{
public:
    explicit CResultsExportWriter(EExportFormat format) : m_format(format) {}

    void Begin(std::string& strOut);
    void Row(const SCandidateRow& row, std::string& strOut);
    void End(std::string& strOut);

private:
    EExportFormat m_format;
    bool m_bFirstRow = true;
};
