#include "disposal/CDisposal.h"

#include "platform/IClock.h"
#include "platform/IFileSystem.h"
#include "platform/IMessagePort.h"
#include "platform/IResultsList.h"
#include "platform/IShell.h"
#include "platform/IUserPrompt.h"
#include "search/WaitForAck.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/TextFolding.h"

#include <algorithm>

CDisposal::CDisposal(const SDisposalServices& services) : m_services(services) {}

CDisposal::~CDisposal()
{
    Join();
}

bool CDisposal::Start(const CScrubixDoc& doc)
{
    if (m_thread.joinable())
        return false;
    m_bAnomaly = doc.Anomaly;
    m_nMove = doc.Move;
    m_nRecycleRadio = doc.RecycleRadio;
    m_strMovePath = doc.MovePath;
    m_bDeleteReadOnly = doc.Deletereadonly;
    m_bOverwrite = doc.Overwrite;
    m_bWarnMe = doc.WarnMe;
    m_strPath = doc.Path;
    m_nSearchStartTime = doc.SearchStartTime;
    SetAck(m_bDisposeAck);
    m_thread = std::thread(&CDisposal::DisposeThreadProc, this);
    return true;
}

void CDisposal::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CDisposal::SetProtectedFiles(std::vector<std::string> protectedPaths)
{
    m_protectedPaths = std::move(protectedPaths);
    m_protectedUpperPaths.clear();
    for (const std::string& strPath : m_protectedPaths)
        m_protectedUpperPaths.push_back(ToUpperAscii(strPath));
    m_protectedUpperPrefixes.clear();
    m_programIdentities.clear();
}

void CDisposal::SetProtectedFiles(const SProgramFiles& programFiles)
{
    // The prefixes are the databases' own paths: checked as files as well.
    SetProtectedFiles(programFiles.pathPrefixes);
    for (const std::string& strPrefix : programFiles.pathPrefixes)
        m_protectedUpperPrefixes.push_back(ToUpperAscii(strPrefix));
    m_programIdentities = programFiles.identities;
}

void CDisposal::DisposeThreadProc(CDisposal* pDisposal)
{
    const SDisposalServices& services = pDisposal->m_services;
    pDisposal->m_bReportIncomplete = false;
    pDisposal->m_summary = SDisposalSummary{};
    int32_t nResult = RESULT_BUSY;
    {
        // One pass at a time over one settings store, whichever process runs
        // it: two passes moving same-named files into one folder would
        // otherwise replace each other's copies.
        const std::unique_ptr<IRegistryLock> pLock =
            services.store.Registry().TryLock(ERegistryHive::LocalMachine, DISPOSAL_LOCK_NAME);
        if (!pLock)
        {
            if (!pDisposal->IsReportHidden())
                services.prompt.ShowMessage(DISPOSAL_BUSY_TEXT);
        }
        else
        {
            nResult = DisposalModeOf(pDisposal->m_nMove) == EDisposalMode::Purge
                          ? pDisposal->PurgePass()
                          : pDisposal->MovePass();
        }
    }
    pDisposal->m_summary.bReportIncomplete = pDisposal->m_bReportIncomplete;
    if (pDisposal->m_bReportIncomplete && !pDisposal->IsReportHidden())
        services.prompt.ShowMessage(ReportNotWrittenText(AnomalyReportPath(pDisposal->m_strPath)));
    services.port.PostMessage(WM_DISPOSE_DONE, static_cast<uintptr_t>(nResult));
}

int32_t CDisposal::MovePass()
{
    m_movedIdentities.clear();
    m_movedFiles.clear();
    m_bDisposeAck.store(0, std::memory_order_relaxed);
    m_services.port.PostMessage(WM_DISPOSE_BEGIN, 0);
    m_services.clock.Sleep(MOVE_START_PAUSE_MS);
    // What an earlier move killed in the middle of a copy left there.
    if (m_nRecycleRadio != 0)
        m_services.fileSystem.RemoveStaleCopies(m_strMovePath);

    DisposeCheckedRows(EDisposalMode::Move,
                       [this](const std::string& strPath, const SFileIdentity& identity)
                       {
                           WaitForAck(m_bDisposeAck, m_services.clock, m_services.prompt);
                           m_bDisposeAck.store(0, std::memory_order_relaxed);
                           m_strStepPath = strPath;
                           m_services.port.PostMessage(WM_DISPOSE_STEP, 0);
                           if (IsProtected(strPath, identity))
                               return false;
                           return m_nRecycleRadio != 0 ? MoveToFolder(strPath, identity)
                                                       : MoveToRecycleBin(strPath, identity);
                       });
    SaveMoveRecord(m_services.store.Registry(), SMoveRecord{ELastPass::Move, m_movedFiles});
    return RESULT_DONE;
}

int32_t CDisposal::PurgePass()
{
    if (ShouldWarnBeforePurge())
    {
        bool bDontShow = false;
        if (!m_services.prompt.ConfirmPurge(bDontShow))
            return RESULT_PURGE_DECLINED;
        if (bDontShow)
            m_services.store.SetInt("Settings", "WarnMe", 0);
    }

    m_services.prompt.BeginWaitCursor();
    DisposeCheckedRows(EDisposalMode::Purge,
                       [this](const std::string& strPath, const SFileIdentity& identity)
                       {
                           if (IsProtected(strPath, identity))
                               return false;
                           SAttributeChange change;
                           if (m_bDeleteReadOnly == 1)
                               change = ClearReadOnly(strPath, identity);
                           if (m_services.fileSystem.RemoveFile(
                                   strPath, change.bChanged ? change.identity : identity))
                               return true;
                           RestoreReadOnly(strPath, change);
                           return false;
                       });
    SaveMoveRecord(m_services.store.Registry(), SMoveRecord{ELastPass::Purge, {}});
    m_services.prompt.EndWaitCursor();
    return RESULT_DONE;
}

void CDisposal::DisposeCheckedRows(
    EDisposalMode kind,
    const std::function<bool(const std::string&, const SFileIdentity&)>& dispose)
{
    std::unique_ptr<CAnomalyReport> pReport;
    if (m_bAnomaly == 1)
    {
        pReport = CreateAnomalyReport(kind);
        m_bReportIncomplete = !pReport;
    }
    CollectProtectedIdentities();
    m_summary.bRan = true;
    m_summary.kind = kind;
    m_summary.bToFolder = kind == EDisposalMode::Move && m_nRecycleRadio != 0;
    m_summary.strMovePath = m_summary.bToFolder ? m_strMovePath : std::string();

    IResultsList& list = m_services.list;
    for (int nRow = list.GetRowCount() - 1; nRow >= 0; --nRow)
    {
        const SResultsRow row = list.GetRow(nRow);
        if (row.strPath.empty())
            continue;
        if (row.bChecked)
        {
            const bool bDisposed = dispose(row.strPath, row.identity);
            if (bDisposed)
            {
                ++m_summary.nDisposed;
                if (row.identity.bStateKnown)
                    m_summary.dDisposedBytes += static_cast<double>(row.identity.nSize);
            }
            else
                ++m_summary.nFailed;
            if (pReport)
                pReport->Record(row.strPath, bDisposed);
        }
        list.DeleteRow(nRow);
    }
    list.CommitDeletes();

    if (pReport)
    {
        if (pReport->Finish())
        {
            m_summary.strReportPath = pReport->ReportPath();
            ShowAnomalyReport(pReport->ReportPath());
        }
        else
            m_bReportIncomplete = true;
    }
}

bool CDisposal::MoveToFolder(const std::string& strPath, const SFileIdentity& identity)
{
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash == std::string::npos)
        return false;
    const std::string strDestination = m_strMovePath + "\\" + strPath.substr(nSlash + 1);
    IFileSystem& fileSystem = m_services.fileSystem;

    // The destination may itself be one of the program's files: it is never
    // replaced, whatever Overwrite says.
    if (IsProtected(strDestination, SFileIdentity{}) ||
        !MayMoveOnto(strDestination, strPath, identity))
        return false;
    SAttributeChange destinationChange;
    if (m_bDeleteReadOnly == 1)
        destinationChange = ClearReadOnly(strDestination, SFileIdentity{});
    if (!fileSystem.CopyFileTo(strPath, strDestination, m_bOverwrite == 0, identity))
    {
        RestoreReadOnly(strDestination, destinationChange);
        return false;
    }
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity copied;
    if (fileSystem.OpenForSize(strDestination, nHigh, nLow, copied) && copied.bKnown)
        m_movedIdentities.push_back(copied);

    SAttributeChange sourceChange;
    if (m_bDeleteReadOnly == 1)
        sourceChange = ClearReadOnly(strPath, identity);
    if (fileSystem.RemoveFile(strPath, sourceChange.bChanged ? sourceChange.identity : identity))
    {
        // A copy whose identity could not be read is not recorded: undoing
        // it could take another file for it.
        if (copied.bKnown)
            m_movedFiles.push_back(
                SMovedFile{false, strPath, strDestination, RecordedIdentity(copied)});
        return true;
    }
    RestoreReadOnly(strPath, sourceChange);
    return false;
}

bool CDisposal::MoveToRecycleBin(const std::string& strPath, const SFileIdentity& identity)
{
    STrashEntry entry;
    if (!m_services.shell.MoveToTrashRecorded(strPath, identity, entry))
        return false;
    // An entry the shell cannot name (the Recycle Bin) is recorded all the
    // same: undoing it tells where the file is restored from.
    if (entry.strRecord.empty() || entry.identity.bKnown)
        m_movedFiles.push_back(
            SMovedFile{true, strPath, entry.strRecord, RecordedIdentity(entry.identity)});
    return true;
}

CDisposal::SAttributeChange CDisposal::ClearReadOnly(const std::string& strPath,
                                                     const SFileIdentity& identity)
{
    IFileSystem& fileSystem = m_services.fileSystem;
    SAttributeChange change;
    if (!fileSystem.GetAttributes(strPath, change.nOldAttributes) ||
        (change.nOldAttributes & FILE_ATTR_READONLY) == 0)
        return change;
    // The change is made only to the identified file: a file put in the
    // row's place since the search keeps its attribute.
    change.identity = identity;
    if (!change.identity.bKnown)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        if (!fileSystem.OpenForSize(strPath, nHigh, nLow, change.identity) ||
            !change.identity.bKnown)
            return change;
    }
    change.bChanged = fileSystem.SetAttributes(strPath, change.nOldAttributes & ~FILE_ATTR_READONLY,
                                               change.identity);
    if (!change.bChanged)
        return change;
    // The file as the change left it: the same file with the same contents,
    // only its change time moved on.
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity now;
    if (fileSystem.OpenForSize(strPath, nHigh, nLow, now))
    {
        SFileIdentity expected = change.identity;
        expected.nChangeTime = now.nChangeTime;
        if (IsUnchangedSince(expected, now))
            change.identity = now;
    }
    return change;
}

void CDisposal::RestoreReadOnly(const std::string& strPath, const SAttributeChange& change)
{
    if (change.bChanged)
        m_services.fileSystem.SetAttributes(strPath, change.nOldAttributes, change.identity);
}

bool CDisposal::MayMoveOnto(const std::string& strDestination, const std::string& strSource,
                            const SFileIdentity& source)
{
    IFileSystem& fileSystem = m_services.fileSystem;
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity existing;
    if (!fileSystem.OpenForSize(strDestination, nHigh, nLow, existing) || !existing.bKnown)
        return true; // nothing there that a copy could replace
    SFileIdentity current = source;
    if (!current.bKnown && !fileSystem.OpenForSize(strSource, nHigh, nLow, current))
        return true; // the copy fails on the missing source by itself
    if (existing == current)
        return false; // the row's file is already there, under that name
    if (m_bOverwrite == 0)
        return true; // the copy refuses any existing name by itself
    if (std::find(m_movedIdentities.begin(), m_movedIdentities.end(), existing) !=
        m_movedIdentities.end())
        return false;
    // Made, replaced or changed after the search began: the user never saw
    // it when choosing to overwrite (another pass or program put it there).
    return m_nSearchStartTime == 0 || existing.nChangeTime == 0 ||
           existing.nChangeTime < m_nSearchStartTime;
}

bool CDisposal::IsReportHidden()
{
    return m_services.launchMode.InvisibleMode == 1 && !m_services.list.IsWindowVisible();
}

bool CDisposal::ShouldWarnBeforePurge()
{
    return m_bWarnMe == 1 && !IsReportHidden();
}

std::unique_ptr<CAnomalyReport> CDisposal::CreateAnomalyReport(EDisposalMode kind)
{
    return CAnomalyReport::Create(m_services.fileSystem, m_strPath, m_services.clock.Now(), kind);
}

void CDisposal::ShowAnomalyReport(const std::string& strReportPath)
{
    if (IsReportHidden())
        return;
    m_services.shell.Open(strReportPath);
}

void CDisposal::CollectProtectedIdentities()
{
    m_protectedIdentities = m_programIdentities;
    std::vector<std::string> paths = m_protectedPaths;
    paths.push_back(AnomalyReportPath(m_strPath));
    for (const std::string& strPath : paths)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        SFileIdentity identity;
        if (m_services.fileSystem.OpenForSize(strPath, nHigh, nLow, identity) && identity.bKnown)
            m_protectedIdentities.push_back(identity);
    }
}

bool CDisposal::IsProtected(const std::string& strPath, const SFileIdentity& identity)
{
    const std::string strUpper = ToUpperAscii(strPath);
    if (strUpper == ToUpperAscii(AnomalyReportPath(m_strPath)) ||
        std::find(m_protectedUpperPaths.begin(), m_protectedUpperPaths.end(), strUpper) !=
            m_protectedUpperPaths.end())
        return true;
    for (const std::string& strPrefix : m_protectedUpperPrefixes)
        if (strUpper.compare(0, strPrefix.size(), strPrefix) == 0)
            return true;
    if (m_protectedIdentities.empty())
        return false;
    SFileIdentity current = identity;
    if (!current.bKnown)
    {
        uint32_t nHigh = 0;
        uint32_t nLow = 0;
        if (!m_services.fileSystem.OpenForSize(strPath, nHigh, nLow, current))
            return false;
    }
    return std::find(m_protectedIdentities.begin(), m_protectedIdentities.end(), current) !=
           m_protectedIdentities.end();
}
