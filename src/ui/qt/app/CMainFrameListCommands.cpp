// The main frame's half of the results list's commands: the Results menu,
// File's Export Results, the list's context menu and their keys. The view
// carries them out; availability comes from IsListCommandEnabled.
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

namespace
{
struct SListActionSpec
{
    EListCommand command;
    int nColumn;
    const char* pszText;
    const char* pszKeys; // empty: reached through the menus only
};

// The Results menu in order; nullptr text is a separator.
constexpr SListActionSpec LIST_ACTIONS[] = {
    {EListCommand::SortByColumn, 0, "Sort by &Path", "Ctrl+1"},
    {EListCommand::SortByColumn, 1, "Sort by &Reason", "Ctrl+2"},
    {EListCommand::SortByColumn, 2, "Sort by &Size", "Ctrl+3"},
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::CheckAll, 0, "&Check All", "Ctrl+Shift+A"},
    {EListCommand::UncheckAll, 0, "&Uncheck All", "Ctrl+Shift+U"},
    {EListCommand::InvertChecks, 0, "&Invert Checks", "Ctrl+I"},
    // Space is the list's own key (the view handles it), shown here only.
    {EListCommand::ToggleSelected, 0, "&Toggle Selected\tSpace", ""},
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::OpenFile, 0, "&Open File", "Ctrl+O"},
    {EListCommand::OpenFolder, 0, "Open Containing &Folder", "Ctrl+Shift+O"},
    {EListCommand::CopyPath, 0, "Cop&y Path", "Ctrl+C"},
#ifndef _WIN32
    {EListCommand::CopyHostPath, 0, "Copy &Host Path", "Ctrl+Shift+C"},
#endif
    {EListCommand::SortByColumn, -1, nullptr, ""},
    {EListCommand::ExcludeName, 0, "Exclude this file &name", ""},
    {EListCommand::ExcludeExtension, 0, "Exclude *.&ext", ""},
    {EListCommand::FilterFolder, 0, "Filter this fol&der", ""},
};

// The context menu: the row's commands first, then the whole list's.
constexpr EListCommand CONTEXT_ORDER[] = {
    EListCommand::OpenFile,         EListCommand::OpenFolder,     EListCommand::CopyPath,
    EListCommand::CopyHostPath,     EListCommand::ToggleSelected, EListCommand::ExcludeName,
    EListCommand::ExcludeExtension, EListCommand::FilterFolder,   EListCommand::CheckAll,
    EListCommand::UncheckAll,       EListCommand::InvertChecks,
};
} // namespace

void CMainFrame::CreateListActions()
{
    for (const SListActionSpec& spec : LIST_ACTIONS)
    {
        if (spec.pszText == nullptr)
            continue;
        auto* pAction = new QAction(QString::fromUtf8(spec.pszText), this);
        if (*spec.pszKeys != '\0')
            pAction->setShortcut(QKeySequence(QString::fromLatin1(spec.pszKeys)));
        pAction->setShortcutContext(Qt::WindowShortcut);
        const EListCommand command = spec.command;
        const int nColumn = spec.nColumn;
        connect(pAction, &QAction::triggered, this,
                [this, command, nColumn] { OnListCommand(command, nColumn); });
        m_listActions[{command, nColumn}] = pAction;
        addAction(pAction);
    }
    auto* pExport = new QAction(QStringLiteral("&Export Results..."), this);
    pExport->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    pExport->setShortcutContext(Qt::WindowShortcut);
    connect(pExport, &QAction::triggered, this,
            [this] { OnListCommand(EListCommand::ExportResults, 0); });
    m_listActions[{EListCommand::ExportResults, 0}] = pExport;
    addAction(pExport);
}

void CMainFrame::AddListMenus()
{
    // Export Results goes into File, before the separator above Exit.
    const QList<QAction*> menus = menuBar()->actions();
    if (!menus.isEmpty() && menus.front()->menu() != nullptr)
    {
        QMenu* pFile = menus.front()->menu();
        QAction* pBefore = nullptr;
        for (QAction* pItem : pFile->actions())
            if (pItem->isSeparator())
                pBefore = pItem;
        pFile->insertAction(pBefore, ListAction(EListCommand::ExportResults));
    }
    auto* pResults = new QMenu(QStringLiteral("&Results"), this);
    for (const SListActionSpec& spec : LIST_ACTIONS)
    {
        if (spec.pszText == nullptr)
            pResults->addSeparator();
        else
            pResults->addAction(ListAction(spec.command, spec.nColumn));
    }
    menuBar()->insertMenu(menus.size() > 1 ? menus[1] : nullptr, pResults);
}

QAction* CMainFrame::ListAction(EListCommand command, int nColumn) const
{
    const auto it = m_listActions.find({command, nColumn});
    return it == m_listActions.end() ? nullptr : it->second;
}

void CMainFrame::UpdateListCommands()
{
    if (m_pView == nullptr)
        return;
    const SListCommandContext context = m_pView->ListCommandContext();
    for (const auto& [key, pAction] : m_listActions)
        pAction->setEnabled(IsListCommandEnabled(key.first, context));
    if (QAction* pExten = ListAction(EListCommand::ExcludeExtension))
    {
        const std::optional<std::string> entry =
            ExclusionEntry(EExclusion::Extension, m_pView->CurrentRowPath());
        pExten->setText(entry ? QStringLiteral("Exclude ") + QString::fromUtf8(entry->c_str())
                              : QStringLiteral("Exclude *.&ext"));
    }
}

void CMainFrame::OnListCommand(EListCommand command, int nColumn)
{
    UpdateListCommands();
    CScrubixView& view = *m_pView;
    switch (command)
    {
    case EListCommand::SortByColumn:
        view.SortByColumn(nColumn);
        break;
    case EListCommand::CheckAll:
        view.SetAllChecked(true);
        break;
    case EListCommand::UncheckAll:
        view.SetAllChecked(false);
        break;
    case EListCommand::InvertChecks:
        view.InvertChecks();
        break;
    case EListCommand::ToggleSelected:
        view.ToggleSelectedRows();
        break;
    case EListCommand::OpenFile:
        view.OpenCurrentFile();
        break;
    case EListCommand::OpenFolder:
        view.OpenCurrentFolder();
        break;
    case EListCommand::CopyPath:
        view.CopyCurrentPath(false);
        break;
    case EListCommand::CopyHostPath:
        view.CopyCurrentPath(true);
        break;
    case EListCommand::ExcludeName:
        view.ExcludeCurrentRow(EExclusion::FileName);
        break;
    case EListCommand::ExcludeExtension:
        view.ExcludeCurrentRow(EExclusion::Extension);
        break;
    case EListCommand::FilterFolder:
        view.ExcludeCurrentRow(EExclusion::Folder);
        break;
    case EListCommand::ExportResults:
        ExportResults();
        break;
    }
    UpdateListCommands();
}

void CMainFrame::ExportResults()
{
    if (!m_pView->IsListCommandAvailable(EListCommand::ExportResults))
        return;
    EExportFormat format = EExportFormat::Csv;
    QString strFile;
    if (m_hooks.chooseExportFile)
    {
        strFile = m_hooks.chooseExportFile(format);
    }
    else
    {
        const QString strCsv = QStringLiteral("CSV files (*.csv)");
        const QString strJson = QStringLiteral("JSON files (*.json)");
        QString strFilter = strCsv;
        strFile = QFileDialog::getSaveFileName(this, QStringLiteral("Export Results"),
                                               QStringLiteral("results.csv"),
                                               strCsv + QStringLiteral(";;") + strJson, &strFilter);
        const QString strSuffix = QFileInfo(strFile).suffix().toLower();
        format = strSuffix == QStringLiteral("json") ||
                         (strSuffix != QStringLiteral("csv") && strFilter == strJson)
                     ? EExportFormat::Json
                     : EExportFormat::Csv;
    }
    if (strFile.isEmpty())
        return;
    if (!m_pView->ExportResults(strFile, format))
        ShowScrubixMessage(this, QStringLiteral("Cannot write %1").arg(strFile));
}

QMenu* CMainFrame::BuildListContextMenu()
{
    UpdateListCommands();
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    pMenu->setAccessibleName(QStringLiteral("Row commands"));
    const auto group = [](EListCommand command)
    {
        switch (command)
        {
        case EListCommand::OpenFile:
        case EListCommand::OpenFolder:
        case EListCommand::CopyPath:
        case EListCommand::CopyHostPath:
            return 0;
        case EListCommand::ToggleSelected:
        case EListCommand::ExcludeName:
        case EListCommand::ExcludeExtension:
        case EListCommand::FilterFolder:
            return 1;
        default:
            return 2;
        }
    };
    int nGroup = 0;
    for (const EListCommand command : CONTEXT_ORDER)
    {
        QAction* pAction = ListAction(command);
        if (pAction == nullptr)
            continue;
        if (group(command) != nGroup)
        {
            pMenu->addSeparator();
            nGroup = group(command);
        }
        pMenu->addAction(pAction);
    }
    return pMenu;
}

void CMainFrame::ShowListContextMenu(const QPoint& at)
{
    QTreeView* pList = m_pView->ResultsList();
    const QModelIndex index = pList->indexAt(at);
    if (index.isValid() && index.row() != pList->currentIndex().row())
        pList->setCurrentIndex(index);
    QMenu* pMenu = BuildListContextMenu();
    pMenu->popup(pList->viewport()->mapToGlobal(at));
}
