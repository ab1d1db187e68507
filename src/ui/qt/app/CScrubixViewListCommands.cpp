// The view's half of the results list's own commands: sorting, the check
// boxes of many rows, a row's file and folder, its exclusions, the export and
// Undo Last Move.
// Each checks its availability (IsListCommandEnabled) before it acts.
#include "disposal/CUndoLastMove.h"
#include "platform/IShell.h"
#include "settings/CSettingsStore.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/app/CScrubixView.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/qt/pages/CQtMessageBox.h"
#include "ui/rules/Commands.h"
#include "ui/rules/UndoTexts.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSaveFile>
#include <QTreeView>

bool CScrubixView::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject == m_pList && pEvent->type() == QEvent::ShortcutOverride)
    {
        // A command key the list keeps (Home) goes to the list, not to the
        // command, while the list has the focus.
        auto* pKey = static_cast<QKeyEvent*>(pEvent);
        const QKeySequence pressed(pKey->keyCombination());
        for (ECommand command : ALL_COMMANDS)
        {
            const QAction* pAction = m_frame.Action(static_cast<int>(CommandId(command)));
            if (ListKeepsCommandKey(command) && pAction != nullptr &&
                pAction->shortcut() == pressed)
            {
                pKey->accept();
                return true;
            }
        }
    }
    if (pObject == m_pList && pEvent->type() == QEvent::KeyPress)
    {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if (pKey->key() == Qt::Key_Space && pKey->modifiers() == Qt::NoModifier)
        {
            ToggleSelectedRows();
            return true;
        }
    }
    return QWidget::eventFilter(pObject, pEvent);
}

SListCommandContext CScrubixView::ListCommandContext() const
{
    SListCommandContext context;
    context.state = m_nViewState;
    context.nRows = m_model.rowCount();
    const QModelIndex current = m_pList->currentIndex();
    context.bCurrentRow = current.isValid() && current.row() < m_model.rowCount();
    if (context.bCurrentRow)
        context.bCurrentHasExtension =
            ExclusionEntry(EExclusion::Extension, CurrentRowPath()).has_value();
    context.lastPass = m_lastPass;
    return context;
}

void CScrubixView::RefreshLastPass()
{
    m_lastPass = CUndoLastMove::LastPass(m_services.store.Registry());
}

std::string CScrubixView::UndoLastMove()
{
    if (!IsListCommandAvailable(EListCommand::UndoLastMove))
        return {};
    CUndoLastMove undo(m_services.fileSystem, m_services.shell, m_services.store.Registry());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const SUndoReport report = undo.Run();
    QApplication::restoreOverrideCursor();
    RefreshLastPass();
    emit ViewStateChanged();
    const std::string strText = UndoReportText(report);
    ShowScrubixMessage(this, QString::fromStdString(strText));
    return strText;
}

bool CScrubixView::IsListCommandAvailable(EListCommand command) const
{
    return IsListCommandEnabled(command, ListCommandContext());
}

void CScrubixView::SortByColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= CResultsModel::COLUMN_COUNT ||
        !IsListCommandAvailable(EListCommand::SortByColumn))
        return;
    m_bSortDescending = nColumn == m_nSortColumn && !m_bSortDescending;
    m_nSortColumn = nColumn;
    // The current row stays current; a wide selection would cost more to
    // carry over than it is worth, so only the current row stays selected.
    const QModelIndex current = m_pList->currentIndex();
    m_pList->selectionModel()->clearSelection();
    m_model.Sort(static_cast<ESortColumn>(nColumn), m_bSortDescending);
    m_pList->header()->setSortIndicatorShown(true);
    m_pList->header()->setSortIndicator(nColumn, m_bSortDescending ? Qt::DescendingOrder
                                                                   : Qt::AscendingOrder);
    if (current.isValid())
    {
        const QModelIndex moved = m_pList->currentIndex();
        m_pList->selectionModel()->select(moved,
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
        m_pList->scrollTo(moved);
    }
}

void CScrubixView::SetAllChecked(bool bChecked)
{
    if (IsListCommandAvailable(bChecked ? EListCommand::CheckAll : EListCommand::UncheckAll))
        m_model.SetAllChecked(bChecked);
}

void CScrubixView::InvertChecks()
{
    if (IsListCommandAvailable(EListCommand::InvertChecks))
        m_model.InvertChecks();
}

void CScrubixView::ToggleSelectedRows()
{
    if (!IsListCommandAvailable(EListCommand::ToggleSelected))
        return;
    const int nCurrent = m_pList->currentIndex().row();
    std::vector<int> rows;
    for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty())
        rows.push_back(nCurrent);
    m_model.SetRowsChecked(rows, !m_model.IsRowChecked(nCurrent));
}

std::string CScrubixView::CurrentRowPath() const
{
    const QModelIndex current = m_pList->currentIndex();
    if (!current.isValid() || current.row() >= m_model.rowCount())
        return std::string();
    return m_table.Rows()[static_cast<size_t>(current.row())].strPath;
}

void CScrubixView::OpenCurrentFile()
{
    if (IsListCommandAvailable(EListCommand::OpenFile))
        m_services.shell.Open(CurrentRowPath());
}

void CScrubixView::OpenCurrentFolder()
{
    if (IsListCommandAvailable(EListCommand::OpenFolder))
        m_services.shell.Open(ContainingFolder(CurrentRowPath()));
}

void CScrubixView::CopyCurrentPath(bool bHostPath)
{
    if (!IsListCommandAvailable(bHostPath ? EListCommand::CopyHostPath : EListCommand::CopyPath))
        return;
    const std::string strPath = CurrentRowPath();
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(bHostPath ? m_services.shell.HostPath(strPath) : strPath));
}

bool CScrubixView::ExcludeCurrentRow(EExclusion kind)
{
    const EListCommand command = kind == EExclusion::FileName    ? EListCommand::ExcludeName
                                 : kind == EExclusion::Extension ? EListCommand::ExcludeExtension
                                                                 : EListCommand::FilterFolder;
    if (!IsListCommandAvailable(command))
        return false;
    const std::optional<std::string> entry = ExclusionEntry(kind, CurrentRowPath());
    if (!entry)
        return false;
    CQtMessageBox messageBox(this);
    if (!AddExclusion(kind, *entry, m_doc, messageBox))
        return false;
    m_model.UncheckWhere([&](const SCandidateRow& row)
                         { return ExclusionMatches(kind, *entry, row.strPath, m_doc); });
    return true;
}

bool CScrubixView::ExportResults(const QString& strFile, EExportFormat format)
{
    if (!IsListCommandAvailable(EListCommand::ExportResults))
        return false;
    QSaveFile file(strFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    CResultsExportWriter writer(format);
    std::string strBuffer;
    constexpr size_t FLUSH_BYTES = 1 << 20;
    const auto flush = [&]
    {
        const bool bWritten = file.write(strBuffer.data(), static_cast<qint64>(strBuffer.size())) ==
                              static_cast<qint64>(strBuffer.size());
        strBuffer.clear();
        return bWritten;
    };
    writer.Begin(strBuffer);
    for (const SCandidateRow& row : m_table.Rows())
    {
        writer.Row(row, strBuffer);
        if (strBuffer.size() >= FLUSH_BYTES && !flush())
            return false;
    }
    writer.End(strBuffer);
    return flush() && file.commit();
}
