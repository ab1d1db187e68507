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
    m_bDisposeAck.store(1, std::memory_order_release);
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
    const int32_t nResult = DisposalModeOf(pDisposal->m_nMove) == EDisposalMode::Purge
                                ? pDisposal->PurgePass()
                                : pDisposal->MovePass();
    pDisposal->m_services.port.PostMessage(WM_DISPOSE_DONE, static_cast<uintptr_t>(nResult));
}

int32_t CDisposal::MovePass()
{
    m_movedIdentities.clear();
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
                           if (m_services.fileSystem.RemoveFile(strPath, identity))
                               return true;
                           RestoreReadOnly(strPath, change);
                           return false;
                       });
    m_services.prompt.EndWaitCursor();
    return RESULT_DONE;
}

void CDisposal::DisposeCheckedRows(
    EDisposalMode kind,
    const std::function<bool(const std::string&, const SFileIdentity&)>& dispose)
{
    std::unique_ptr<CAnomalyReport> pReport;
    if (m_bAnomaly == 1)
        pReport = CreateAnomalyReport(kind);
    CollectProtectedIdentities();

    IResultsList& list = m_services.list;
    for (int nRow = list.GetRowCount() - 1; nRow >= 0; --nRow)
    {
        const SResultsRow row = list.GetRow(nRow);
        if (row.strPath.empty())
            continue;
        if (row.bChecked)
        {
            const bool bDisposed = dispose(row.strPath, row.identity);
            if (pReport)
                pReport->Record(row.strPath, bDisposed);
        }
        list.DeleteRow(nRow);
    }
    list.CommitDeletes();

    if (pReport)
    {
        pReport->Finish();
        ShowAnomalyReport(pReport->ReportPath());
    }
}

bool CDisposal::MoveToFolder(const std::string& strPath, const SFileIdentity& identity)
{
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash == std::string::npos)
        return false;
    const std::string strDestination = m_strMovePath + "\\" + strPath.substr(nSlash + 1);
    IFileSystem& fileSystem = m_services.fileSystem;

    // The destination may itself be one of the program's files, or a file
    // that this pass has just moved there from another folder: neither is
    // replaced, whatever Overwrite says.
    if (IsProtected(strDestination, SFileIdentity{}) ||
        (m_bOverwrite != 0 && IsMovedThisPass(strDestination)))
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
    if (fileSystem.RemoveFile(strPath, identity))
        return true;
    RestoreReadOnly(strPath, sourceChange);
    return false;
}

bool CDisposal::MoveToRecycleBin(const std::string& strPath, const SFileIdentity& identity)
{
    return m_services.shell.MoveToTrash(strPath, identity);
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
    return change;
}

void CDisposal::RestoreReadOnly(const std::string& strPath, const SAttributeChange& change)
{
    if (change.bChanged)
        m_services.fileSystem.SetAttributes(strPath, change.nOldAttributes, change.identity);
}

bool CDisposal::IsMovedThisPass(const std::string& strPath)
{
    if (m_movedIdentities.empty())
        return false;
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity current;
    return m_services.fileSystem.OpenForSize(strPath, nHigh, nLow, current) &&
           std::find(m_movedIdentities.begin(), m_movedIdentities.end(), current) !=
               m_movedIdentities.end();
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
