#include "ui/rules/UnattendedRun.h"

#include "disposal/SDisposalSummary.h"
#include "settings/CLaunchMode.h"

EDisplayChoice ChooseDisplay(const CLaunchMode& launchMode, bool bPlatformChosen,
                             bool bDisplayReachable)
{
    if (bPlatformChosen || bDisplayReachable)
        return EDisplayChoice::Normal;
    return launchMode.InvisibleMode != 0 ? EDisplayChoice::Offscreen : EDisplayChoice::Refuse;
}

int UnattendedExitStatus(bool bSettingsReadable, bool bReportIncomplete)
{
    if (!bSettingsReadable)
        return EXIT_SETTINGS_UNREADABLE;
    return bReportIncomplete ? EXIT_REPORT_NOT_WRITTEN : EXIT_RUN_OK;
}

std::string GroupedKBytes(double dBytes)
{
    const std::string strDigits = std::to_string(static_cast<long long>(dBytes / 1000));
    std::string strGrouped;
    for (size_t i = 0; i < strDigits.size(); ++i)
    {
        if (i > 0 && (strDigits.size() - i) % 3 == 0)
            strGrouped += ',';
        strGrouped += strDigits[i];
    }
    return strGrouped + "K bytes";
}

namespace
{
std::string Files(int32_t nCount)
{
    return std::to_string(nCount) + (nCount == 1 ? " file" : " files");
}
} // namespace

std::string DisposalNoticeText(const SDisposalSummary& summary, const std::string& strBinName,
                               const std::string& strFolder)
{
    if (!summary.bRan)
        return {};
    const bool bPurge = summary.kind == EDisposalMode::Purge;
    std::string strText;
    if (summary.nDisposed == 0 && summary.nFailed == 0)
        strText = bPurge ? "Scrubix found no files to purge." : "Scrubix found no files to move.";
    else
    {
        strText = bPurge ? "Scrubix purged " : "Scrubix moved ";
        strText += summary.nDisposed == 0 ? std::string("no files")
                                          : Files(summary.nDisposed) + " (" +
                                                GroupedKBytes(summary.dDisposedBytes) + ")";
        if (!bPurge)
            strText += " to " + (summary.bToFolder ? strFolder : "the " + strBinName);
        if (summary.nFailed > 0)
            strText += "; " + std::to_string(summary.nFailed) +
                       (bPurge ? " could not be deleted" : " could not be moved");
        strText += ".";
    }
    if (summary.bReportIncomplete)
        strText += " The Anomaly Report could not be written.";
    return strText;
}

bool NoticeOffersReport(const SDisposalSummary& summary)
{
    return summary.bRan && !summary.strReportPath.empty();
}
