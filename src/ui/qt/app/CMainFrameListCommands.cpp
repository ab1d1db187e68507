// The main frame's half of the results list's commands: the Results menu,
// File's Export Results, the list's context menu and their keys. The view
// carries them out; availability comes from IsListCommandEnabled.
#include "search/ResultsExport.h"
#include "ui/qt/app/CMainFrame.h"
#include "ui/qt/dialogs/ScrubixMessageBox.h"
#include "ui/res/ResultsMenuTemplate.h"
#include "ui/rules/ListCommandDispatch.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>

void CMainFrame::CreateListActions()
{
    for (const SListMenuItem& item : GetResultsMenu())
    {
        if (item.pszText == nullptr)
            continue;
        auto* pAction = new QAction(QString::fromUtf8(item.pszText), this);
        if (*item.pszKeys != '\0')
            pAction->setShortcut(QKeySequence(QString::fromLatin1(item.pszKeys)));
        pAction->setShortcutContext(Qt::WindowShortcut);
        const EListCommand command = item.command;
        const int nColumn = item.nColumn;
        connect(pAction, &QAction::triggered, this,
                [this, command, nColumn] { OnListCommand(command, nColumn); });
        m_listActions[{command, nColumn}] = pAction;
        addAction(pAction);
    }
    auto* pExport = new QAction(QString::fromUtf8(EXPORT_RESULTS_ITEM.pszText), this);
    pExport->setShortcut(QKeySequence(QString::fromLatin1(EXPORT_RESULTS_ITEM.pszKeys)));
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
    auto* pResults = new QMenu(QString::fromUtf8(RESULTS_MENU_TEXT), this);
    for (const SListMenuItem& item : GetResultsMenu())
    {
        if (item.pszText == nullptr)
            pResults->addSeparator();
        else
            pResults->addAction(ListAction(item.command, item.nColumn));
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
        pExten->setText(entry ? QString::fromUtf8(EXCLUDE_ENTRY_TEXT_PREFIX) +
                                    QString::fromUtf8(entry->c_str())
                              : QString::fromUtf8(EXCLUDE_EXTENSION_TEXT));
    }
}

void CMainFrame::OnListCommand(EListCommand command, int nColumn)
{
    UpdateListCommands();
    DispatchListCommand(*m_pView, command, nColumn, [this] { ExportResults(); });
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
        const auto filter = [](const char* pszName, const char* pszPattern)
        { return QString::fromUtf8(pszName) + " (" + QString::fromUtf8(pszPattern) + ")"; };
        const QString strCsv = filter(EXPORT_CSV_FILTER_NAME, EXPORT_CSV_PATTERN);
        const QString strJson = filter(EXPORT_JSON_FILTER_NAME, EXPORT_JSON_PATTERN);
        QString strFilter = strCsv;
        strFile = QFileDialog::getSaveFileName(this, QString::fromUtf8(EXPORT_DIALOG_TITLE),
                                               QString::fromUtf8(EXPORT_DEFAULT_NAME),
                                               strCsv + QStringLiteral(";;") + strJson, &strFilter);
        format = ChooseExportFormat(
            strFile.toStdString(), strFilter == strJson ? EExportFormat::Json : EExportFormat::Csv);
    }
    if (strFile.isEmpty())
        return;
    if (!m_pView->ExportResults(strFile, format))
        ShowScrubixMessage(this, QString::fromUtf8(EXPORT_FAILED_TEXT).replace("%s", strFile));
}

QMenu* CMainFrame::BuildListContextMenu()
{
    UpdateListCommands();
    auto* pMenu = new QMenu(this);
    pMenu->setAttribute(Qt::WA_DeleteOnClose);
    pMenu->setAccessibleName(QString::fromUtf8(LIST_CONTEXT_MENU_NAME));
    int nGroup = 0;
    for (const EListCommand command : GetListContextMenu())
    {
        QAction* pAction = ListAction(command);
        if (pAction == nullptr)
            continue;
        if (ContextMenuGroup(command) != nGroup)
        {
            pMenu->addSeparator();
            nGroup = ContextMenuGroup(command);
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
