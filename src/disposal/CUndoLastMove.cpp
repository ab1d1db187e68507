#include "disposal/CUndoLastMove.h"

#include "disposal/CDisposal.h"
#include "platform/IFileSystem.h"
#include "platform/IRegistry.h"
#include "platform/IShell.h"

CUndoLastMove::CUndoLastMove(IFileSystem& fileSystem, IShell& shell, IRegistry& registry)
    : m_fileSystem(fileSystem), m_shell(shell), m_registry(registry)
{
}

ELastPass CUndoLastMove::LastPass(IRegistry& registry)
{
    return LoadMoveRecord(registry).kind;
}

SUndoReport CUndoLastMove::Run()
{
    SUndoReport report;
    const std::unique_ptr<IRegistryLock> pLock =
        m_registry.TryLock(ERegistryHive::LocalMachine, CDisposal::DISPOSAL_LOCK_NAME);
    if (!pLock)
    {
        report.result = EUndoResult::Busy;
        return report;
    }
    SMoveRecord record = LoadMoveRecord(m_registry);
    if (record.kind == ELastPass::Purge)
    {
        report.result = EUndoResult::LastWasPurge;
        return report;
    }
    if (record.kind != ELastPass::Move)
    {
        report.result = EUndoResult::NothingToUndo;
        return report;
    }

    report.result = EUndoResult::Done;
    SMoveRecord kept;
    kept.kind = ELastPass::Move;
    for (const SMovedFile& file : record.files)
    {
        bool bMoved = false;
        const EUndoStay reason = PutBack(file, bMoved);
        if (bMoved)
        {
            ++report.nRestored;
            continue;
        }
        report.stayed.push_back(SUndoStayed{file.strOriginal, reason});
        if (reason == EUndoStay::Taken || reason == EUndoStay::Unreachable)
            kept.files.push_back(file);
    }
    report.nKept = static_cast<int>(kept.files.size());
    SaveMoveRecord(m_registry, kept);
    return report;
}

EUndoStay CUndoLastMove::PutBack(const SMovedFile& file, bool& bMoved)
{
    bMoved = false;
    if (file.bTrash && file.strNew.empty())
        return EUndoStay::RecycleBin;
    // Already back (an undo whose record could not be rewritten afterwards):
    // the file at the original path is the one recorded.
    uint32_t nHigh = 0;
    uint32_t nLow = 0;
    SFileIdentity there;
    if (file.identity.bKnown && m_fileSystem.OpenForSize(file.strOriginal, nHigh, nLow, there) &&
        IsUnchangedSince(file.identity, there))
    {
        bMoved = true;
        return EUndoStay::Unreachable;
    }
    const size_t nSlash = file.strOriginal.rfind('\\');
    if (nSlash == std::string::npos || !MakeFolderChain(file.strOriginal.substr(0, nSlash)))
        return EUndoStay::Unreachable;

    EPutBack outcome = EPutBack::Failed;
    if (file.bTrash)
        outcome =
            m_shell.RestoreFromTrash(STrashEntry{file.strNew, file.identity}, file.strOriginal);
    else
        outcome = m_fileSystem.MoveNoReplace(file.strNew, file.strOriginal, file.identity);
    switch (outcome)
    {
    case EPutBack::Moved:
        bMoved = true;
        return EUndoStay::Unreachable;
    case EPutBack::Changed:
        return EUndoStay::Changed;
    case EPutBack::Taken:
        return EUndoStay::Taken;
    case EPutBack::Gone:
        return EUndoStay::Gone;
    case EPutBack::Failed:
        break;
    }
    return EUndoStay::Unreachable;
}

bool CUndoLastMove::MakeFolderChain(const std::string& strFolder)
{
    // "C:" is the drive itself; every name below it is made in a folder that
    // the file system reached beneath the drive root without following a
    // link, so a link at a name makes the chain fail instead of being used.
    if (m_fileSystem.IsFolderAccessible(strFolder + (strFolder.size() == 2 ? "\\" : "")))
        return true;
    size_t nPos = strFolder.find('\\');
    while (nPos != std::string::npos)
    {
        const size_t nNext = strFolder.find('\\', nPos + 1);
        const std::string strPrefix = strFolder.substr(0, nNext);
        if (!m_fileSystem.IsFolderAccessible(strPrefix) && !m_fileSystem.MakeFolder(strPrefix))
            return false;
        nPos = nNext;
    }
    return m_fileSystem.IsFolderAccessible(strFolder);
}
