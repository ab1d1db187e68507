// The Options sheet through its real widgets on a sandbox drive with the real
// SQLite store: the round trip of every setting and list (read back by the
// next start and by scrubix-reg export), Cancel, the results-state sheet,
// pages created only when shown, the destination check that keeps its page, a
// destination typed as a host path, the real folder browser's start folder
// and its refusal of a folder off every drive, the run-at-boot entry after
// OK, and the keyboard.

#include "PagesTestSupport.h"
#include "support/ToolRunner.h"
#include "ui/qt/pages/CEntryDialog.h"
#include "ui/qt/pages/CListBoxWidget.h"
#include "ui/qt/pages/CListPage.h"
#include "ui/qt/pages/COptionsSheet.h"
#include "ui/qt/pages/CPurgePage.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/OptionsTexts.h"
#include "ui/rules/RunAtBoot.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <filesystem>
#include <fstream>
#include <map>

namespace
{
using Strings = std::vector<std::string>;

std::unique_ptr<COptionsSheet> OpenSheet(CPagesWorld& world, ViewState state)
{
    auto pSheet =
        std::make_unique<COptionsSheet>(world.Doc(), state, world.m_autostart, nullptr,
                                        SOptionsServices{&world.m_messageBox, &world.m_pathPicker});
    pSheet->show();
    return pSheet;
}

int PageIndex(const COptionsSheet& sheet, const QString& strCaption)
{
    for (int i = 0; i < sheet.PageCount(); ++i)
    {
        if (sheet.TabBar()->tabText(i) == strCaption)
            return i;
    }
    return -1;
}

// Shows the page with that tab (creating it) and returns it.
COptionsPage* ShowPage(COptionsSheet& sheet, const char* pCaption)
{
    const int nIndex = PageIndex(sheet, QString::fromUtf8(pCaption));
    if (nIndex < 0 || !sheet.SetCurrentPage(nIndex))
        return nullptr;
    return sheet.Page(nIndex);
}

void Click(COptionsPage* pPage, int32_t nId)
{
    auto* pButton = pPage->ControlAs<QAbstractButton>(nId);
    QVERIFY2(pButton != nullptr, "no such button");
    pButton->click();
}

bool Checked(COptionsPage* pPage, int32_t nId)
{
    auto* pButton = pPage->ControlAs<QAbstractButton>(nId);
    return pButton != nullptr && pButton->isChecked();
}

// Types the entry into the next entry dialog and presses Enter (its default
// button is OK).
void TypeEntry(const QString& strText)
{
    WhenModal<CEntryDialog>(
        [strText](CEntryDialog* pDialog)
        {
            pDialog->EntryEdit()->setText(strText);
            QTest::keyClick(pDialog->EntryEdit(), Qt::Key_Return);
        });
}

Strings Items(COptionsPage* pPage)
{
    Strings items;
    const CListBoxWidget* pList = static_cast<CListPage*>(pPage)->ListBox();
    for (int i = 0; i < pList->GetCount(); ++i)
        items.push_back(pList->GetText(i));
    return items;
}

QString AccessibleName(QWidget* pWidget)
{
    QAccessibleInterface* pInterface = QAccessible::queryAccessibleInterface(pWidget);
    return pInterface != nullptr ? pInterface->text(QAccessible::Name) : QString();
}

// The program's settings as scrubix-reg exports them: "Section|Name" to the
// text of each string value.
std::map<std::string, std::string> ExportedSettings(CPagesWorld& world)
{
    const std::filesystem::path file = world.Sandbox().Root() / "settings.reg";
    const SToolResult exported = RunTool(
        "scrubix-reg", "export " + ShellQuote("HKLM\\Software\\Halvorne Software\\Scrubix") + " " +
                           ShellQuote(file.string()));
    std::map<std::string, std::string> values;
    if (exported.nExitCode != 0)
    {
        qWarning("scrubix-reg export failed: %s", exported.strOutput.c_str());
        return values;
    }
    std::ifstream in(file, std::ios::binary);
    const std::string strKeyStart = "[HKEY_LOCAL_MACHINE\\Software\\Halvorne Software\\Scrubix\\";
    std::string strSection;
    std::string strLine;
    // A quoted text from nAt (at its opening quote), unescaped; nAt ends
    // after the closing quote.
    const auto quoted = [](const std::string& strText, size_t& nAt)
    {
        std::string strOut;
        for (++nAt; nAt < strText.size() && strText[nAt] != '"'; ++nAt)
        {
            if (strText[nAt] == '\\' && nAt + 1 < strText.size())
                ++nAt;
            strOut += strText[nAt];
        }
        ++nAt;
        return strOut;
    };
    while (std::getline(in, strLine))
    {
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        if (strLine.starts_with("["))
        {
            strSection =
                strLine.starts_with(strKeyStart)
                    ? strLine.substr(strKeyStart.size(), strLine.size() - strKeyStart.size() - 1)
                    : std::string();
            continue;
        }
        if (strSection.empty() || !strLine.starts_with("\""))
            continue;
        size_t nAt = 0;
        const std::string strName = quoted(strLine, nAt);
        if (strLine.compare(nAt, 2, "=\"") != 0)
            continue;
        ++nAt;
        values[strSection + "|" + strName] = quoted(strLine, nAt);
    }
    return values;
}

std::string Exported(const std::map<std::string, std::string>& values, const std::string& strKey)
{
    const auto found = values.find(strKey);
    return found != values.end() ? found->second : std::string("<absent>");
}

std::string StoredRunValue(IRegistry& registry)
{
    CSettingsStore store(registry);
    store.SetBaseKey(ERegistryHive::LocalMachine, RUN_KEY_PATH);
    return store.GetString(RUN_SECTION, RUN_VALUE_NAME, "<absent>");
}
} // namespace

class OptionsSheetTest : public QObject
{
    Q_OBJECT

private slots:
    void IdleShowsTenPagesInOrderAndResultsOnlyPurgeMove()
    {
        CPagesWorld world;
        auto pIdle = OpenSheet(world, ViewState::Idle);
        QCOMPARE(pIdle->windowTitle(), QStringLiteral("Options"));
        // The sheet and the entry dialog: a close box, no minimise or maximise box.
        CEntryDialog entry(world.m_messageBox);
        QCOMPARE(entry.windowTitle(), QStringLiteral("Add"));
        for (const QWidget* pWindow :
             {static_cast<const QWidget*>(pIdle.get()), static_cast<const QWidget*>(&entry)})
        {
            QVERIFY(!(pWindow->windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(pWindow->windowFlags() & Qt::WindowMinimizeButtonHint));
            QVERIFY(pWindow->windowFlags() & Qt::WindowCloseButtonHint);
        }
        QStringList tabs;
        for (int i = 0; i < pIdle->PageCount(); ++i)
            tabs << pIdle->TabBar()->tabText(i);
        QCOMPARE(tabs, QStringList({"Excludes", "Filters", "Directeds", "Files to Delete",
                                    "Folders to Delete", "Extensions", "Purge/Move", "Run Options",
                                    "Other Settings", "Age"}));
        // OK and Cancel, no Apply.
        QStringList buttons;
        for (QPushButton* pButton : pIdle->findChildren<QPushButton*>())
        {
            if (pButton->parentWidget() != nullptr &&
                qobject_cast<COptionsPage*>(pButton->parentWidget()) == nullptr)
                buttons << pButton->text();
        }
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Cancel", "OK"}));
        pIdle->reject();

        auto pResults = OpenSheet(world, ViewState::Results);
        QCOMPARE(pResults->PageCount(), 1);
        QCOMPARE(pResults->TabBar()->tabText(0), QStringLiteral("Purge/Move"));
        QVERIFY(pResults->Page(0)->IsCreated());
    }

    // In the results state: switching Move to Purge and OK relabels Action,
    // saves every setting and still rewrites the Run value; the values of the
    // pages not shown stay as they were in the document.
    void ResultsSheetSwitchesToPurgeAndRelabelsAction()
    {
        CPagesWorld world;
        world.Doc().Move = 0;
        world.Doc().Zero = 1;
        world.Doc().Run = 1;
        world.Doc().Visible = 1;
        world.Doc().Path = "C:\\Scrubix";
        auto pSheet = OpenSheet(world, ViewState::Results);
        COptionsPage* pPurge = pSheet->Page(0);
        QVERIFY(!Checked(pPurge, IDC_PURGE_PURGE));
        Click(pPurge, IDC_PURGE_PURGE);
        world.Doc().Zero = 0; // a value of another page, changed behind the sheet
        pSheet->OkButton()->click();
        QCOMPARE(pSheet->result(), int(QDialog::Accepted));
        QCOMPARE(pSheet->ActionText(), QStringLiteral("Purge Files"));
        QCOMPARE(world.Doc().Move, 1);
        QCOMPARE(world.Doc().Zero, 0); // not copied back from the sheet in Results

        QCOMPARE(StoredRunValue(world.Registry()),
                 std::string("C:\\Scrubix\\scrubix.exe -A47F19C2D08B6E53"));
        QCOMPARE(world.m_autostart.m_calls, Strings({"enable -A47F19C2D08B6E53"}));
        world.Restart();
        QCOMPARE(world.Doc().Move, 1);
        QCOMPARE(world.Doc().Zero, 0);
    }

    // Every setting and every list changed in the sheet, OK, the program
    // started again on the same sandbox: each page shows the change.
    void EverySettingAndListSurvivesARestart()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Keep");
        world.Sandbox().MakeFolder("C:\\Trash");
        world.Sandbox().MakeFolder("C:\\Moved");
        world.Doc().IEURL = 1; // no control shows it: it passes through the sheet
        const int32_t nExcludeCase = world.Doc().ExcludeCase;
        const int32_t nZero = world.Doc().Zero;
        const int32_t nWarnMe = world.Doc().WarnMe;
        QCOMPARE(world.Doc().Visible, 1);
        QCOMPARE(world.Doc().Run, 0);
        auto pSheet = OpenSheet(world, ViewState::Idle);

        COptionsPage* pExcludes = ShowPage(*pSheet, "Excludes");
        QVERIFY(pExcludes != nullptr);
        Click(pExcludes, IDC_EXCLUDE_IGNORE_CASE);
        TypeEntry("*.xyz");
        Click(pExcludes, IDC_EXCLUDE_ADD);
        const Strings excludes = Items(pExcludes);
        QCOMPARE(excludes.back(), std::string("*.xyz"));

        COptionsPage* pFilters = ShowPage(*pSheet, "Filters");
        world.m_pathPicker.m_folders.push_back("C:\\Keep");
        Click(pFilters, IDC_FILTER_ADD);
        QCOMPARE(world.m_pathPicker.m_titles.back(),
                 QStringLiteral("Find the Netscape \"Users\" Folder"));
        const Strings filters = Items(pFilters);
        QCOMPARE(filters.back(), std::string("C:\\Keep"));

        COptionsPage* pDirecteds = ShowPage(*pSheet, "Directeds");
        const bool bIE = Checked(pDirecteds, IDC_DIRECTED_IE);
        Click(pDirecteds, IDC_DIRECTED_IE);

        COptionsPage* pFiles = ShowPage(*pSheet, "Files to Delete");
        world.m_pathPicker.m_files.push_back("C:\\Scrubix\\junk.txt");
        Click(pFiles, IDC_FILES_ADD);

        COptionsPage* pFolders = ShowPage(*pSheet, "Folders to Delete");
        world.m_pathPicker.m_folders.push_back("C:\\Trash\\");
        Click(pFolders, IDC_FOLDERS_ADD);
        const Strings folders = Items(pFolders);
        QCOMPARE(folders.back(), std::string("C:\\Trash\\"));

        COptionsPage* pExten = ShowPage(*pSheet, "Extensions");
        TypeEntry("log2");
        Click(pExten, IDC_EXTEN_ADD);
        const Strings extensions = Items(pExten);
        QCOMPARE(extensions.back(), std::string("LOG2"));

        COptionsPage* pPurge = ShowPage(*pSheet, "Purge/Move");
        Click(pPurge, IDC_PURGE_PURGE);
        Click(pPurge, IDC_PURGE_WARN);
        Click(pPurge, IDC_PURGE_MOVE);
        Click(pPurge, IDC_PURGE_DESTINATION);
        pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->setText("C:\\Moved");
        Click(pPurge, IDC_PURGE_OVERWRITE);
        const bool bOverwrite = Checked(pPurge, IDC_PURGE_OVERWRITE);

        COptionsPage* pRun = ShowPage(*pSheet, "Run Options");
        QVERIFY(pRun != nullptr); // the purge page let itself be left: its folder exists
        QVERIFY(Checked(pRun, IDC_RUN_VISIBLE));
        world.m_messageBox.m_answers = {true, true};
        Click(pRun, IDC_RUN_INVISIBLE);
        QVERIFY(Checked(pRun, IDC_RUN_INVISIBLE));
        QVERIFY(Checked(pRun, IDC_RUN_AT_BOOT));

        COptionsPage* pOther = ShowPage(*pSheet, "Other Settings");
        const bool bReadOnly = Checked(pOther, IDC_OTHER_READ_ONLY);
        const bool bAnomaly = Checked(pOther, IDC_OTHER_ANOMALY);
        const bool bScroll = Checked(pOther, IDC_OTHER_SCROLL);
        Click(pOther, IDC_OTHER_ZERO);
        Click(pOther, IDC_OTHER_READ_ONLY);
        Click(pOther, IDC_OTHER_ANOMALY);
        Click(pOther, IDC_OTHER_SCROLL);

        pSheet->OkButton()->click();
        QCOMPARE(pSheet->result(), int(QDialog::Accepted));
        QCOMPARE(pSheet->ActionText(), QStringLiteral("Move Files"));
        pSheet.reset();

        world.Restart();
        CScrubixDoc& doc = world.Doc();
        QCOMPARE(doc.ExcludeCase, nExcludeCase != 0 ? 0 : 1);
        QCOMPARE(doc.Lists[LIST_EXCLUDE], excludes);
        QCOMPARE(doc.Lists[LIST_FILTER], filters);
        QCOMPARE(doc.IE, bIE ? 0 : 1);
        QCOMPARE(doc.Lists[LIST_FILE].back(), std::string("C:\\Scrubix\\junk.txt"));
        QCOMPARE(doc.Store().GetString("Add", "Path", ""), std::string("C:\\Scrubix\\junk.txt"));
        QCOMPARE(doc.Lists[LIST_FOLDER], folders);
        QCOMPARE(doc.Lists[LIST_EXTEN], extensions);
        QCOMPARE(doc.Move, 0);
        QCOMPARE(doc.RecycleRadio, 1);
        QCOMPARE(doc.MovePath, std::string("C:\\Moved"));
        QCOMPARE(doc.Overwrite, bOverwrite ? 1 : 0);
        QCOMPARE(doc.WarnMe, nWarnMe != 0 ? 0 : 1);
        QCOMPARE(doc.Run, 1);
        QCOMPARE(doc.Visible, 0);
        QCOMPARE(doc.Zero, nZero != 0 ? 0 : 1);
        QCOMPARE(doc.IEURL, 1);
        QCOMPARE(doc.Deletereadonly, bReadOnly ? 0 : 1);
        QCOMPARE(world.m_autostart.m_calls, Strings({"enable -7QX2M9R4TJ6W1HN5"}));

        // The same values in the registry, as scrubix-reg exports them.
        const std::map<std::string, std::string> exported = ExportedSettings(world);
        for (int nKind = 0; nKind < LIST_KIND_COUNT; ++nKind)
        {
            const std::string strPrefix = ListPrefix(nKind);
            for (size_t i = 0; i < doc.Lists[nKind].size(); ++i)
                QCOMPARE(Exported(exported, strPrefix + "|" + strPrefix + std::to_string(i)),
                         doc.Lists[nKind][i]);
        }
        QCOMPARE(Exported(exported, "Exclude|Exclude" + std::to_string(excludes.size() - 1)),
                 std::string("*.xyz"));
        QCOMPARE(Exported(exported, "Exten|Exten" + std::to_string(extensions.size() - 1)),
                 std::string("LOG2"));
        QCOMPARE(Exported(exported, "Folder|Folder" + std::to_string(folders.size() - 1)),
                 std::string("C:\\Trash\\"));
        QCOMPARE(Exported(exported, "Add|Path"), std::string("C:\\Scrubix\\junk.txt"));
        const std::pair<const char*, std::string> scalars[] = {
            {"ExcludeCase", std::to_string(nExcludeCase != 0 ? 0 : 1)},
            {"IE", bIE ? "0" : "1"},
            {"IEURL", "1"},
            {"Move", "0"},
            {"RecycleRadio", "1"},
            {"WarnMe", nWarnMe != 0 ? "0" : "1"},
            {"Overwrite", bOverwrite ? "1" : "0"},
            {"MovePath", "C:\\Moved"},
            {"Anomaly", bAnomaly ? "0" : "1"},
            {"Deletereadonly", bReadOnly ? "0" : "1"},
            {"Zero", nZero != 0 ? "0" : "1"},
            {"Scroll", bScroll ? "0" : "1"},
            {"Visible", "0"},
            {"Run", "1"},
        };
        for (const auto& [pName, strValue] : scalars)
            QCOMPARE(Exported(exported, std::string("Settings|") + pName), strValue);

        // The same values on the pages of a new sheet.
        auto pAgain = OpenSheet(world, ViewState::Idle);
        QCOMPARE(Items(ShowPage(*pAgain, "Excludes")), excludes);
        QCOMPARE(Checked(pAgain->Page(0), IDC_EXCLUDE_IGNORE_CASE), nExcludeCase == 0);
        QCOMPARE(Items(ShowPage(*pAgain, "Extensions")), extensions);
        QCOMPARE(Checked(ShowPage(*pAgain, "Directeds"), IDC_DIRECTED_IE), !bIE);
        COptionsPage* pPurgeAgain = ShowPage(*pAgain, "Purge/Move");
        QVERIFY(Checked(pPurgeAgain, IDC_PURGE_MOVE));
        QVERIFY(Checked(pPurgeAgain, IDC_PURGE_DESTINATION));
        QCOMPARE(pPurgeAgain->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->text(),
                 QStringLiteral("C:\\Moved"));
        QCOMPARE(Checked(pPurgeAgain, IDC_PURGE_WARN), nWarnMe == 0);
        QCOMPARE(Checked(pPurgeAgain, IDC_PURGE_OVERWRITE), bOverwrite);
        COptionsPage* pRunAgain = ShowPage(*pAgain, "Run Options");
        QVERIFY(Checked(pRunAgain, IDC_RUN_AT_BOOT));
        QVERIFY(Checked(pRunAgain, IDC_RUN_INVISIBLE));
        COptionsPage* pOtherAgain = ShowPage(*pAgain, "Other Settings");
        QCOMPARE(Checked(pOtherAgain, IDC_OTHER_ZERO), nZero == 0);
        QCOMPARE(Checked(pOtherAgain, IDC_OTHER_READ_ONLY), !bReadOnly);
        QCOMPARE(doc.Anomaly, bAnomaly ? 0 : 1);
        QCOMPARE(doc.Scroll, bScroll ? 0 : 1);
        QCOMPARE(Checked(pOtherAgain, IDC_OTHER_ANOMALY), !bAnomaly);
        QCOMPARE(Checked(pOtherAgain, IDC_OTHER_SCROLL), !bScroll);
    }

    // Cancel after edits on list and setting pages: the document and the
    // store are as before, and the Run value and login entry are untouched.
    void CancelChangesNothing()
    {
        CPagesWorld world;
        const Strings extensions = world.Doc().Lists[LIST_EXTEN];
        const int32_t nZero = world.Doc().Zero;
        auto pSheet = OpenSheet(world, ViewState::Idle);
        COptionsPage* pExten = ShowPage(*pSheet, "Extensions");
        TypeEntry("new");
        Click(pExten, IDC_EXTEN_ADD);
        Click(pExten, IDC_EXTEN_DEFAULTS);
        Click(ShowPage(*pSheet, "Other Settings"), IDC_OTHER_ZERO);
        QTest::keyClick(pSheet.get(), Qt::Key_Escape);
        QCOMPARE(pSheet->result(), int(QDialog::Rejected));
        QVERIFY(pSheet->ActionText().isEmpty());
        QCOMPARE(world.Doc().Lists[LIST_EXTEN], extensions);
        QCOMPARE(world.Doc().Zero, nZero);
        QCOMPARE(StoredRunValue(world.Registry()), std::string("<absent>"));
        QVERIFY(world.m_autostart.m_calls.empty());
        world.Restart();
        QCOMPARE(world.Doc().Lists[LIST_EXTEN], extensions);
        QCOMPARE(world.Doc().Zero, nZero);
    }

    // A page never shown is not created and does not commit: its list stays
    // exactly as the document holds it, even where the store would read it
    // differently.
    void OnlyShownPagesCommit()
    {
        CPagesWorld world;
        world.Doc().Lists[LIST_FOLDER] = {"C:\\only in the document"};
        auto pSheet = OpenSheet(world, ViewState::Idle);
        QVERIFY(pSheet->Page(0)->IsCreated()); // the first tab is shown
        COptionsPage* pFolders = pSheet->FindPage(EOptionsPage::FoldersToDelete);
        QVERIFY(!pFolders->IsCreated());
        QVERIFY(pFolders->Control(IDC_FOLDERS_LIST) == nullptr);
        pSheet->OkButton()->click();
        QVERIFY(!pFolders->IsCreated());
        QCOMPARE(world.Doc().Lists[LIST_FOLDER], Strings({"C:\\only in the document"}));
    }

    // Moving to a destination folder that does not exist: neither another
    // tab nor OK leaves the page; Cancel still closes without saving.
    void DestinationCheckKeepsThePage()
    {
        CPagesWorld world;
        auto pSheet = OpenSheet(world, ViewState::Idle);
        COptionsPage* pPurge = ShowPage(*pSheet, "Purge/Move");
        const int nPurge = pSheet->CurrentIndex();
        Click(pPurge, IDC_PURGE_MOVE);
        Click(pPurge, IDC_PURGE_DESTINATION);
        pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->setText("C:\\does not exist");

        QVERIFY(!pSheet->SetCurrentPage(0));
        QCOMPARE(pSheet->CurrentIndex(), nPurge);
        QCOMPARE(pSheet->TabBar()->currentIndex(), nPurge);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_DESTINATION_INVALID}));

        pSheet->OkButton()->click();
        QVERIFY(pSheet->isVisible());
        QCOMPARE(world.m_messageBox.m_shown.size(), size_t(2));

        // An empty path fails too; Recycle Bin with the bad path passes.
        pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->setText("");
        QVERIFY(!pSheet->SetCurrentPage(0));
        Click(pPurge, IDC_PURGE_RECYCLE);
        pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->setText("C:\\does not exist");
        QVERIFY(pSheet->SetCurrentPage(0));
        QVERIFY(pSheet->SetCurrentPage(nPurge));
        Click(pPurge, IDC_PURGE_DESTINATION);

        const std::string strMovePath = world.Doc().MovePath;
        pSheet->CancelButton()->click();
        QCOMPARE(pSheet->result(), int(QDialog::Rejected));
        QVERIFY(!pSheet->isVisible());
        world.Restart();
        QCOMPARE(world.Doc().MovePath, strMovePath);
        QCOMPARE(world.Doc().RecycleRadio, 0);
    }

    void DestinationTypedAsAHostPathIsKeptInDriveForm()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Moved");
        auto pSheet = OpenSheet(world, ViewState::Idle);
        COptionsPage* pPurge = ShowPage(*pSheet, "Purge/Move");
        const int nPurge = pSheet->CurrentIndex();
        Click(pPurge, IDC_PURGE_MOVE);
        Click(pPurge, IDC_PURGE_DESTINATION);
        auto* pEdit = pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH);

        // On a drive: accepted, and shown and kept in its drive form.
        pEdit->setText(QString::fromStdString(world.Sandbox().HostPath("C:\\Moved").string()));
        QVERIFY(pSheet->SetCurrentPage(0));
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(pEdit->text(), QStringLiteral("C:\\Moved"));
        QCOMPARE(pSheet->Values().MovePath, std::string("C:\\Moved"));

        // On no drive: refused, saying which form is expected.
        QVERIFY(pSheet->SetCurrentPage(nPurge));
        const std::string strOutside = world.Sandbox().Outside().string() + "/Moved";
        std::filesystem::create_directories(strOutside);
        pEdit->setText(QString::fromStdString(strOutside));
        QVERIFY(!pSheet->SetCurrentPage(0));
        QCOMPARE(pSheet->CurrentIndex(), nPurge);
        const std::string strExpected =
            std::string(TEXT_DESTINATION_INVALID) +
            "\n\nType the folder with its drive letter, such as C:\\Moved. The folder you typed "
            "lies on none of the drives (" +
            DescribeDrives(world.Doc().FileSystem()) + ").";
        QCOMPARE(world.m_messageBox.Texts(), Strings{strExpected});
        QCOMPARE(pEdit->text(), QString::fromStdString(strOutside)); // as typed
        pSheet->reject();
    }

    void FolderBrowserStartsAtTheFieldAndRefusesAFolderOffEveryDrive()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Moved\\Deep");
        const std::string strOutside = world.Sandbox().Outside().string();
        std::filesystem::create_directories(strOutside);
        // The real folder browser; the boxes are scripted.
        COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart, nullptr,
                            SOptionsServices{&world.m_messageBox, nullptr});
        sheet.show();
        COptionsPage* pPurge = ShowPage(sheet, "Purge/Move");
        Click(pPurge, IDC_PURGE_MOVE);
        Click(pPurge, IDC_PURGE_DESTINATION);
        auto* pEdit = pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH);
        const auto browse = [&](const QString& strChoose) -> QString
        {
            QString strStartedIn;
            WhenModal<QFileDialog>(
                [&strStartedIn, strChoose](QFileDialog* pDialog)
                {
                    strStartedIn = pDialog->directory().absolutePath();
                    if (strChoose.isEmpty())
                    {
                        pDialog->reject();
                        return;
                    }
                    pDialog->setDirectory(strChoose);
                    static_cast<QDialog*>(pDialog)->accept(); // as the Choose button does
                });
            Click(pPurge, IDC_PURGE_BROWSE);
            return strStartedIn;
        };
        const auto host = [&](const char* pWindows) {
            return QDir::cleanPath(
                QString::fromStdString(world.Sandbox().HostPath(pWindows).string()));
        };

        // The folder in the field; a missing tail goes up to what exists.
        pEdit->setText("C:\\Moved\\Deep");
        QCOMPARE(browse({}), host("C:\\Moved\\Deep"));
        pEdit->setText("C:\\Moved\\Gone");
        QCOMPARE(browse({}), host("C:\\Moved"));
        // An empty field: the drive's root.
        pEdit->setText("");
        QCOMPARE(browse({}), host("C:\\"));
        QVERIFY(world.m_messageBox.m_shown.empty());

        // A folder inside a drive comes back in drive form.
        QCOMPARE(browse(host("C:\\Moved")), host("C:\\"));
        QCOMPARE(pEdit->text(), QStringLiteral("C:\\Moved"));

        // A folder off every drive is refused, saying why; the field stays.
        browse(QString::fromStdString(strOutside));
        QCOMPARE(world.m_messageBox.Texts(),
                 Strings({ChoiceOffDrivesPrompt(strOutside, world.Doc().FileSystem()).strText}));
        QCOMPARE(pEdit->text(), QStringLiteral("C:\\Moved"));
        sheet.reject();
    }

    void PurgeMoveEnablingFollowsTheChoice()
    {
        CPagesWorld world;
        auto pSheet = OpenSheet(world, ViewState::Results);
        COptionsPage* pPurge = pSheet->Page(0);
        const auto enabled = [pPurge](int32_t nId) { return pPurge->Control(nId)->isEnabled(); };
        Click(pPurge, IDC_PURGE_PURGE);
        for (int32_t nId : {IDC_PURGE_RECYCLE, IDC_PURGE_DESTINATION, IDC_PURGE_DESTINATION_LABEL,
                            IDC_PURGE_MOVE_PATH, IDC_PURGE_BROWSE, IDC_PURGE_OVERWRITE})
            QVERIFY2(!enabled(nId), qPrintable(QString::number(nId)));
        QVERIFY(enabled(IDC_PURGE_WARN));
        Click(pPurge, IDC_PURGE_MOVE);
        QVERIFY(!enabled(IDC_PURGE_WARN));
        QVERIFY(enabled(IDC_PURGE_RECYCLE));
        QVERIFY(enabled(IDC_PURGE_DESTINATION));
        QCOMPARE(enabled(IDC_PURGE_MOVE_PATH), Checked(pPurge, IDC_PURGE_DESTINATION));
        Click(pPurge, IDC_PURGE_DESTINATION);
        QVERIFY(enabled(IDC_PURGE_MOVE_PATH));
        QVERIFY(enabled(IDC_PURGE_BROWSE));
        QVERIFY(enabled(IDC_PURGE_OVERWRITE));

        // Browse replaces only the folder; the tick on overwrite stays.
        if (!Checked(pPurge, IDC_PURGE_OVERWRITE))
            Click(pPurge, IDC_PURGE_OVERWRITE);
        world.m_pathPicker.m_folders.push_back("C:\\Picked");
        Click(pPurge, IDC_PURGE_BROWSE);
        QCOMPARE(world.m_pathPicker.m_titles.back(),
                 QStringLiteral("Folder where files will be moved"));
        QCOMPARE(pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->text(),
                 QStringLiteral("C:\\Picked"));
        QVERIFY(Checked(pPurge, IDC_PURGE_OVERWRITE));
        // A cancelled browser changes nothing.
        Click(pPurge, IDC_PURGE_BROWSE);
        QCOMPARE(pPurge->ControlAs<QLineEdit>(IDC_PURGE_MOVE_PATH)->text(),
                 QStringLiteral("C:\\Picked"));
        pSheet->reject();
    }

    void InvisibleModeAndBootTimeChecks()
    {
        CPagesWorld world;
        world.Doc().Visible = 1;
        world.Doc().Run = 0;
        auto pSheet = OpenSheet(world, ViewState::Idle);
        COptionsPage* pRun = ShowPage(*pSheet, "Run Options");

        // Visible: Run At Boot time goes on and off without a word.
        Click(pRun, IDC_RUN_AT_BOOT);
        QVERIFY(Checked(pRun, IDC_RUN_AT_BOOT));
        Click(pRun, IDC_RUN_AT_BOOT);
        QVERIFY(!Checked(pRun, IDC_RUN_AT_BOOT));
        QVERIFY(world.m_messageBox.m_shown.empty());

        world.m_messageBox.m_answers = {false};
        Click(pRun, IDC_RUN_INVISIBLE);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_INVISIBLE_QUESTION}));
        QCOMPARE(world.m_messageBox.m_shown[0].eButtons, EPromptButtons::YesNo);
        QVERIFY(Checked(pRun, IDC_RUN_VISIBLE));
        QVERIFY(!Checked(pRun, IDC_RUN_AT_BOOT));

        world.m_messageBox.m_shown.clear();
        world.m_messageBox.m_answers = {true, true};
        Click(pRun, IDC_RUN_INVISIBLE);
        QCOMPARE(world.m_messageBox.Texts(),
                 Strings({TEXT_INVISIBLE_QUESTION, TEXT_INVISIBLE_HOW_TO_SHOW}));
        QVERIFY(Checked(pRun, IDC_RUN_INVISIBLE));
        QVERIFY(Checked(pRun, IDC_RUN_AT_BOOT));

        // Invisible: Run At Boot time cannot be unticked.
        world.m_messageBox.m_shown.clear();
        Click(pRun, IDC_RUN_AT_BOOT);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_BOOT_TIME_NEEDED}));
        QVERIFY(Checked(pRun, IDC_RUN_AT_BOOT));

        world.Doc().Path = "C:\\Scrubix";
        pSheet->OkButton()->click();
        QCOMPARE(world.Doc().Visible, 0);
        QCOMPARE(world.Doc().Run, 1);
        QCOMPARE(StoredRunValue(world.Registry()),
                 std::string("C:\\Scrubix\\scrubix.exe -7QX2M9R4TJ6W1HN5"));
        QCOMPARE(world.m_autostart.m_calls, Strings({"enable -7QX2M9R4TJ6W1HN5"}));
    }

    // The browser advice once per opening; the zero-length advice only where
    // all three browser keys exist, and no key is created by asking.
    void DirectedAndZeroLengthMessages()
    {
        CPagesWorld world;
        world.Doc().IE = 0;
        world.Doc().Zero = 0;
        for (int nOpening = 0; nOpening < 2; ++nOpening)
        {
            world.m_messageBox.m_shown.clear();
            auto pSheet = OpenSheet(world, ViewState::Idle);
            COptionsPage* pDirecteds = ShowPage(*pSheet, "Directeds");
            QVERIFY(pDirecteds->Control(IDC_DIRECTED_IE_URL)->isHidden());
            Click(pDirecteds, IDC_DIRECTED_IE); // on
            Click(pDirecteds, IDC_DIRECTED_IE); // off
            Click(pDirecteds, IDC_DIRECTED_IE); // on again: no second message
            QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_IE_SHUT_DOWN}));

            world.m_messageBox.m_shown.clear();
            COptionsPage* pOther = ShowPage(*pSheet, "Other Settings");
            Click(pOther, IDC_OTHER_ZERO);
            QVERIFY(Checked(pOther, IDC_OTHER_ZERO));
            QVERIFY(world.m_messageBox.m_shown.empty());
            pSheet->reject();
        }
        CSettingsStore probe(world.Registry());
        probe.SetBaseKey(ERegistryHive::LocalMachine, "Software");
        for (const char* pKey : {"Netscape", "Mozilla", "mozilla.org"})
            QCOMPARE(probe.GetString(pKey, "x", "<absent>"), std::string("<absent>"));
    }

    // Every control of every page is reachable with Tab from the tab bar and
    // has an accessible name; Ctrl+Tab changes pages.
    void KeyboardAndAccessibleNames()
    {
        CPagesWorld world;
        auto pSheet = OpenSheet(world, ViewState::Idle);
        QApplication::setActiveWindow(pSheet.get());
        QVERIFY(QTest::qWaitForWindowActive(pSheet.get()));
        QVERIFY(!AccessibleName(pSheet->TabBar()).isEmpty());
        for (int i = 0; i < pSheet->PageCount(); ++i)
        {
            COptionsPage* pPage = ShowPage(*pSheet, qPrintable(pSheet->TabBar()->tabText(i)));
            QVERIFY(pPage != nullptr);
            QSet<QWidget*> reached;
            pSheet->TabBar()->setFocus();
            for (int nStep = 0; nStep < 40; ++nStep)
            {
                QWidget* pFocus = QApplication::focusWidget();
                QVERIFY2(pFocus != nullptr, "the focus left the sheet");
                QTest::keyClick(pFocus, Qt::Key_Tab);
                reached.insert(QApplication::focusWidget());
            }
            for (QWidget* pChild : pPage->findChildren<QWidget*>())
            {
                if (pChild->isHidden() || pChild->focusPolicy() == Qt::NoFocus)
                    continue;
                QVERIFY2(!AccessibleName(pChild).isEmpty(), qPrintable(pChild->objectName()));
                if (!pChild->isEnabled() || (pChild->focusPolicy() & Qt::TabFocus) == 0)
                    continue;
                // A radio group is one stop: its checked button takes the focus.
                auto* pRadio = qobject_cast<QRadioButton*>(pChild);
                if (pRadio != nullptr && !pRadio->isChecked())
                    continue;
                QVERIFY2(reached.contains(pChild),
                         qPrintable(pPage->Caption() + ": " + pChild->objectName()));
            }
        }
        pSheet->SetCurrentPage(0);
        QTest::keyClick(pSheet->TabBar(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(pSheet->CurrentIndex(), 1);
        QVERIFY(pSheet->Page(1)->IsCreated());
        pSheet->reject();
    }
};

QTEST_MAIN(OptionsSheetTest)
#include "OptionsSheetTest.moc"
