#include "disposal/CAnomalyReport.h"

#include <iomanip>
#include <locale>
#include <mutex>
#include <sstream>

namespace
{
struct SReportTexts
{
    const char* pFailureHeading;
    const char* pSuccessHeading;
    const char* pNothingDisposed;
};

const SReportTexts& TextsFor(EDisposalMode kind)
{
    static const SReportTexts MOVE = {"The following file(s) could not be Moved perfectly:\n",
                                      "\n\nThe following files were moved:\n\n",
                                      "\n\nNo Files were moved."};
    static const SReportTexts PURGE = {"The following file(s) could not be deleted during Purge:\n",
                                       "\n\nThe following files were purged:\n\n",
                                       "\n\nNo Files were purged."};
    return kind == EDisposalMode::Move ? MOVE : PURGE;
}

std::locale UserLocale()
{
    // An environment naming a locale that is not installed falls back to "C".
    try
    {
        return std::locale("");
    }
    catch (...)
    {
        return std::locale::classic();
    }
}
} // namespace

std::string AnomalyReportPath(const std::string& strFolder)
{
    return (strFolder.empty() ? std::string("c:") : strFolder) + "\\anomaly.txt";
}

std::string FormatReportDate(std::time_t now)
{
    std::tm local{};
    {
        // std::localtime hands out a shared buffer.
        static std::mutex s_lock;
        const std::lock_guard<std::mutex> guard(s_lock);
        if (const std::tm* pLocal = std::localtime(&now))
            local = *pLocal;
    }
    std::ostringstream out;
    out.imbue(UserLocale());
    out << std::put_time(&local, "%A, %B %d, %Y %X");
    return out.str();
}

CAnomalyReport::CAnomalyReport(std::unique_ptr<ITextFile> pFile, std::string strReportPath,
                               EDisposalMode kind)
    : m_pFile(std::move(pFile)), m_strReportPath(std::move(strReportPath)), m_kind(kind)
{
}

std::unique_ptr<CAnomalyReport> CAnomalyReport::Create(IFileSystem& fileSystem,
                                                       const std::string& strFolder,
                                                       std::time_t now, EDisposalMode kind)
{
    std::string strReportPath = AnomalyReportPath(strFolder);
    std::unique_ptr<ITextFile> pFile = fileSystem.CreateTextFile(strReportPath);
    if (!pFile)
        return nullptr;
    pFile->Write("Anomaly Report for " + FormatReportDate(now) + "\n\n");
    pFile->Write("This file can be found at " + strReportPath + "\n\n");
    return std::unique_ptr<CAnomalyReport>(
        new CAnomalyReport(std::move(pFile), std::move(strReportPath), kind));
}

void CAnomalyReport::AddFailure(const std::string& strPath)
{
    if (!m_bFailureHeadingWritten)
    {
        m_pFile->Write(TextsFor(m_kind).pFailureHeading);
        m_bFailureHeadingWritten = true;
    }
    m_pFile->Write("\n" + strPath);
}

void CAnomalyReport::AddDisposed(const std::string& strPath)
{
    m_disposedPaths.push_back(strPath);
}

bool CAnomalyReport::Finish()
{
    const SReportTexts& texts = TextsFor(m_kind);
    if (!m_bFailureHeadingWritten)
        m_pFile->Write("\nNo anomalies to report.\n\nSee you next time!");
    if (!m_disposedPaths.empty())
    {
        m_pFile->Write(texts.pSuccessHeading);
        for (const std::string& strPath : m_disposedPaths)
            m_pFile->Write(strPath + "\n");
    }
    else
    {
        m_pFile->Write(texts.pNothingDisposed);
    }
    m_disposedPaths.clear();
    return m_pFile->Close();
}

std::string ReportNotWrittenText(const std::string& strReportPath)
{
    std::string strText = REPORT_NOT_WRITTEN_TEXT;
    strText.replace(strText.find("%s"), 2, strReportPath);
    return strText;
}
