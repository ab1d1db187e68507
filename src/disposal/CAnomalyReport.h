#pragma once

#include "platform/IFileSystem.h"
#include "settings/EDisposalMode.h"

#include <ctime>
#include <memory>
#include <string>
#include <vector>

// The plain-text report of one purge or move pass: the head is written when it
// is created, failure lines as the pass goes, the closing part by Finish.
// Written and finished by the disposing thread only.
class CAnomalyReport
{
public:
    // CreateAnomalyReport: creates "<folder>\anomaly.txt" fresh ("c:" stands
    // for an empty folder) and writes the date line and the line naming the
    // report itself. nullptr when the file cannot be created.
    static std::unique_ptr<CAnomalyReport> Create(IFileSystem& fileSystem,
                                                  const std::string& strFolder, std::time_t now,
                                                  EDisposalMode kind);

    // A file that could not be disposed of, in the order the files are handled.
    void AddFailure(const std::string& strPath);
    // A file that was disposed of; listed by Finish in the order given.
    void AddDisposed(const std::string& strPath);
    void Record(const std::string& strPath, bool bDisposed)
    {
        bDisposed ? AddDisposed(strPath) : AddFailure(strPath);
    }
    // Writes the closing texts and the disposed list, then closes the file.
    // False when the report did not reach the disk whole (a full or
    // read-only disk): it must not then be shown as if it were.
    bool Finish();

    const std::string& ReportPath() const { return m_strReportPath; }

private:
    CAnomalyReport(std::unique_ptr<ITextFile> pFile, std::string strReportPath, EDisposalMode kind);

    std::unique_ptr<ITextFile> m_pFile;
    std::string m_strReportPath;
    EDisposalMode m_kind;
    bool m_bFailureHeadingWritten = false;
    std::vector<std::string> m_disposedPaths;
};

// What the user is told when a report could not be written whole; %s is
// the report's path.
inline constexpr const char* REPORT_NOT_WRITTEN_TEXT =
    "The Anomaly Report could not be written to\n%s\n\nThe disk may be full or read-only.";
std::string ReportNotWrittenText(const std::string& strReportPath);

// "<folder>\anomaly.txt", with "c:" for an empty folder.
std::string AnomalyReportPath(const std::string& strFolder);

// The report's date: weekday, month name, day, year and time in the user's
// locale ("Tuesday, March 14, 1995 12:41:29" in an English one).
std::string FormatReportDate(std::time_t now);
