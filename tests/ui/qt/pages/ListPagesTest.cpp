// The five list pages and the entry dialog through their real widgets:
// entries refused where they are added (empty, Exclude forms, too long for
// the store), Edit appending at the end, duplicates, the selection after
// Delete, the horizontal extent, the Filters defaults and the confirmations.

#include "PagesTestSupport.h"
#include "ui/qt/pages/CEntryDialog.h"
#include "ui/qt/pages/CListBoxWidget.h"
#include "ui/qt/pages/CListPage.h"
#include "ui/qt/pages/COptionsSheet.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/OptionsTexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace
{
using Strings = std::vector<std::string>;

class CListPageHarness
{
public:
    CListPageHarness(CPagesWorld& world, EOptionsPage ePage)
        : m_sheet(world.Doc(), ViewState::Idle, world.m_autostart, nullptr,
                  SOptionsServices{&world.m_messageBox, &world.m_pathPicker})
    {
        m_sheet.show();
        for (int i = 0; i < m_sheet.PageCount(); ++i)
        {
            if (m_sheet.Page(i) == m_sheet.FindPage(ePage))
                m_sheet.SetCurrentPage(i);
        }
        m_pPage = m_sheet.FindPageAs<CListPage>(ePage);
    }

    CListPage& Page() { return *m_pPage; }
    CListBoxWidget& List() { return *m_pPage->ListBox(); }
    QPushButton* Button(int32_t nId) { return m_pPage->Button(nId); }
    void Click(int32_t nId) { Button(nId)->click(); }
    Strings Items()
    {
        Strings items;
        for (int i = 0; i < List().GetCount(); ++i)
            items.push_back(List().GetText(i));
        return items;
    }
    int Widest()
    {
        int nWidest = 0;
        for (const std::string& strItem : Items())
            nWidest = std::max(nWidest, List().MeasureText(strItem));
        return nWidest;
    }
    COptionsSheet& Sheet() { return m_sheet; }

private:
    COptionsSheet m_sheet;
    CListPage* m_pPage = nullptr;
};

// Types into the next entry dialog and presses Enter; the dialog is then
// looked at (still open after a refusal) and cancelled if it stayed.
struct SEntryAttempt
{
    QString strCaption;
    bool bStayedOpen = false;
};

SEntryAttempt TypeEntry(CListPageHarness& harness, int32_t nButton, const QString& strText)
{
    SEntryAttempt attempt;
    WhenModal<CEntryDialog>(
        [&attempt, strText](CEntryDialog* pDialog)
        {
            attempt.strCaption = pDialog->windowTitle();
            pDialog->EntryEdit()->setText(strText);
            QTest::keyClick(pDialog->EntryEdit(), Qt::Key_Return);
            attempt.bStayedOpen = pDialog->isVisible();
            if (attempt.bStayedOpen)
            {
                QCOMPARE(pDialog->EntryEdit()->text(), strText); // as typed
                pDialog->reject();
            }
        });
    harness.Click(nButton);
    return attempt;
}

std::string LongName(char cFill)
{
    return std::string(60, cFill);
}
} // namespace

class ListPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void ExtensionsUpperCasedEditAppendsAtTheEndSelected()
    {
        CPagesWorld world;
        world.Doc().Lists[LIST_EXTEN] = {"TMP", "BAK", "~"};
        CListPageHarness page(world, EOptionsPage::Extensions);
        QCOMPARE(page.Items(), Strings({"TMP", "BAK", "~"}));
        QVERIFY(!page.Button(IDC_EXTEN_DELETE)->isEnabled());
        QVERIFY(!page.Button(IDC_EXTEN_EDIT)->isEnabled());

        // Exclude checks do not apply here; a duplicate is a second entry.
        for (const char* pEntry : {"*.tmp", "a?b", "bak"})
        {
            const SEntryAttempt attempt = TypeEntry(page, IDC_EXTEN_ADD, pEntry);
            QCOMPARE(attempt.strCaption, QStringLiteral("Add"));
            QVERIFY(!attempt.bStayedOpen);
        }
        QCOMPARE(page.Items(), Strings({"TMP", "BAK", "~", "*.TMP", "A?B", "BAK"}));
        QCOMPARE(page.List().GetCurSel(), 5);
        QVERIFY(page.Button(IDC_EXTEN_EDIT)->isEnabled());

        page.List().SetCurSel(0);
        const SEntryAttempt edit = TypeEntry(page, IDC_EXTEN_EDIT, "log");
        QCOMPARE(edit.strCaption, QStringLiteral("Edit"));
        QCOMPARE(page.Items(), Strings({"BAK", "~", "*.TMP", "A?B", "BAK", "LOG"}));
        QCOMPARE(page.List().GetCurSel(), 5);
        QVERIFY(world.m_messageBox.m_shown.empty());

        // Cancelled Edit: nothing changes.
        page.List().SetCurSel(1);
        WhenModal<CEntryDialog>([](CEntryDialog* pDialog) { pDialog->reject(); });
        page.Click(IDC_EXTEN_EDIT);
        QCOMPARE(page.Items(), Strings({"BAK", "~", "*.TMP", "A?B", "BAK", "LOG"}));
    }

    void EntryDialogRefusesEmptyAndTooLongEntries()
    {
        CPagesWorld world;
        CListPageHarness page(world, EOptionsPage::Extensions);
        const Strings before = page.Items();
        SEntryAttempt attempt = TypeEntry(page, IDC_EXTEN_ADD, "");
        QVERIFY(attempt.bStayedOpen);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_NULL_ENTRY}));
        QCOMPARE(world.m_messageBox.m_shown[0].eButtons, EPromptButtons::Ok);

        world.m_messageBox.m_shown.clear();
        attempt = TypeEntry(page, IDC_EXTEN_ADD, QString(260, u'x'));
        QVERIFY(attempt.bStayedOpen);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_ENTRY_TOO_LONG}));
        QCOMPARE(page.Items(), before);

        // 259 characters fit; a single blank is an entry.
        world.m_messageBox.m_shown.clear();
        QVERIFY(!TypeEntry(page, IDC_EXTEN_ADD, QString(259, u'y')).bStayedOpen);
        QVERIFY(!TypeEntry(page, IDC_EXTEN_ADD, " ").bStayedOpen);
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(page.Items().back(), std::string(" "));
        QCOMPARE(page.Items()[page.Items().size() - 2], std::string(259, 'Y'));
    }

    void ExcludeFormsInTheEntryDialog()
    {
        struct SCase
        {
            const char* pEntry;
            const char* pRefusal; // nullptr: accepted
            const char* pKept;    // the entry as listed, when accepted
        };
        const SCase cases[] = {
            {"*.tmp", nullptr, "*.tmp"},
            {"*.", nullptr, "*."},
            {"*.t?p", nullptr, "*.t?p"},
            {"Install.Log", nullptr, "Install.Log"}, // not upper-cased
            {"install.log ", nullptr, "install.log"},
            {" \t*.bak\t ", nullptr, "*.bak"},
            {"my notes.txt", nullptr, "my notes.txt"},
            {" ", TEXT_NULL_ENTRY, nullptr},
            {"x*.tmp", TEXT_WILDCARD_FORM, nullptr},
            {"*tmp", TEXT_WILDCARD_FORM, nullptr},
            {"**.tmp", TEXT_WILDCARD_FORM, nullptr},
            {"*.t*", TEXT_WILDCARD_FORM, nullptr},
            {".*tmp", TEXT_WILDCARD_FORM, nullptr},
            {"file?.txt", TEXT_QUESTION_MARK, nullptr},
        };
        CPagesWorld world;
        CListPageHarness page(world, EOptionsPage::Excludes);
        for (const SCase& c : cases)
        {
            world.m_messageBox.m_shown.clear();
            const size_t nBefore = page.Items().size();
            const SEntryAttempt attempt = TypeEntry(page, IDC_EXCLUDE_ADD, c.pEntry);
            QCOMPARE(attempt.bStayedOpen, c.pRefusal != nullptr);
            if (c.pRefusal != nullptr)
            {
                QCOMPARE(world.m_messageBox.Texts(), Strings({c.pRefusal}));
                QCOMPARE(page.Items().size(), nBefore);
            }
            else
            {
                QVERIFY(world.m_messageBox.m_shown.empty());
                QCOMPARE(page.Items().back(), std::string(c.pKept));
            }
        }

        // Edit trims as Add does.
        page.List().SetCurSel(0);
        QVERIFY(!TypeEntry(page, IDC_EXCLUDE_EDIT, "  data.bak  ").bStayedOpen);
        QCOMPARE(page.Items().back(), std::string("data.bak"));
    }

    void ExcludesDeleteAsksOnlyForTheProtectedNames()
    {
        CPagesWorld world;
        world.Doc().Lists[LIST_EXCLUDE] = {"install.log", "Install.log", "data.bak"};
        CListPageHarness page(world, EOptionsPage::Excludes);
        page.List().SetCurSel(0);
        world.m_messageBox.m_answers = {false};
        page.Click(IDC_EXCLUDE_DELETE);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_INSTALL_LOG_REMOVE}));
        QCOMPARE(world.m_messageBox.m_shown[0].eButtons, EPromptButtons::YesNo);
        QCOMPARE(page.Items().size(), size_t(3));

        world.m_messageBox.m_shown.clear();
        page.List().SetCurSel(1);
        page.Click(IDC_EXCLUDE_DELETE);
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(page.Items(), Strings({"install.log", "data.bak"}));
        QCOMPARE(page.List().GetCurSel(), 1); // the next item moved up

        page.Click(IDC_EXCLUDE_DELETE); // data.bak, answered Yes
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_DATA_BAK_REMOVE}));
        QCOMPARE(page.Items(), Strings({"install.log"}));
        QCOMPARE(page.List().GetCurSel(), 0); // the new last item
    }

    void HorizontalExtentFollowsTheWidestItem()
    {
        CPagesWorld world;
        const std::string strWide = "C:\\" + LongName('w') + "\\" + LongName('v');
        world.Doc().Lists[LIST_FILE] = {"C:\\a.txt", strWide, "C:\\bb.txt"};
        CListPageHarness page(world, EOptionsPage::FilesToDelete);
        CListBoxWidget& list = page.List();
        const int nWide = page.Widest();
        // Adding a wider entry widens the range; deleting it narrows it again.
        const std::string strWider = strWide + "\\" + LongName('u');
        world.m_pathPicker.m_files.push_back(strWider);
        page.Click(IDC_FILES_ADD);
        QCOMPARE(list.GetHorizontalExtent(), list.MeasureText(strWider));
        QVERIFY(list.GetHorizontalExtent() > nWide);
        page.Click(IDC_FILES_DELETE); // the added entry, selected
        QCOMPARE(page.Items(), Strings({"C:\\a.txt", strWide, "C:\\bb.txt"}));
        QCOMPARE(list.GetHorizontalExtent(), nWide);
        QVERIFY(nWide > list.viewport()->width());
        QCOMPARE(list.horizontalScrollBar()->maximum(), nWide - list.viewport()->width());

        // Deleting the widest entry shrinks the extent.
        list.SetCurSel(1);
        page.Click(IDC_FILES_DELETE);
        QCOMPARE(page.Items(), Strings({"C:\\a.txt", "C:\\bb.txt"}));
        QCOMPARE(list.GetHorizontalExtent(), page.Widest());
        QVERIFY(list.GetHorizontalExtent() < nWide);
        QCOMPARE(list.horizontalScrollBar()->maximum(), 0);

        // Restore Defaults keeps the extent as it was and selects nothing.
        const int nBefore = list.GetHorizontalExtent();
        page.Click(IDC_FILES_DEFAULTS);
        QCOMPARE(page.Items(), world.Doc().DefaultLists[LIST_FILE]);
        QCOMPARE(list.GetHorizontalExtent(), nBefore);
        QCOMPARE(list.GetCurSel(), -1);

        // Deleting the only item keeps the extent; nothing is selected.
        world.Doc().Lists[LIST_FILE] = {strWide};
        CListPageHarness single(world, EOptionsPage::FilesToDelete);
        single.List().SetCurSel(0);
        single.Click(IDC_FILES_DELETE);
        QCOMPARE(single.List().GetCount(), 0);
        QCOMPARE(single.List().GetCurSel(), -1);
        QCOMPARE(single.List().GetHorizontalExtent(), nWide);
        QVERIFY(!single.Button(IDC_FILES_DELETE)->isEnabled());
    }

    // Files to Delete starts the file dialog from the file chosen last, in
    // this or an earlier run (in its folder), else from the drive's root, and
    // refuses a path the store could not keep.
    void FilesRememberTheLastFileAndRefuseLongPaths()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Some");
        {
            CListPageHarness page(world, EOptionsPage::FilesToDelete);
            page.Click(IDC_FILES_ADD); // cancelled: nothing remembered
            QCOMPARE(world.m_pathPicker.m_initialFiles, Strings({""}));
            QCOMPARE(world.m_pathPicker.m_startFolders, Strings({"C:\\"}));
            world.m_pathPicker.m_files.push_back("C:\\Some\\Chosen.TXT");
            page.Click(IDC_FILES_ADD);
            QCOMPARE(page.Items().back(), std::string("C:\\Some\\Chosen.TXT"));
            QCOMPARE(page.List().GetCurSel(), page.List().GetCount() - 1);

            const Strings before = page.Items();
            const std::string strLong = "C:\\" + std::string(257, 'f'); // 260 characters
            world.m_pathPicker.m_files.push_back(strLong);
            page.Click(IDC_FILES_ADD);
            QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_ENTRY_TOO_LONG}));
            QCOMPARE(page.Items(), before);
            page.Sheet().reject();
        }
        world.Restart();
        CListPageHarness again(world, EOptionsPage::FilesToDelete);
        again.Click(IDC_FILES_ADD);
        QCOMPARE(world.m_pathPicker.m_initialFiles.back(), std::string("C:\\Some\\Chosen.TXT"));
        QCOMPARE(world.m_pathPicker.m_startFolders.back(), std::string("C:\\Some"));
    }

    void FolderChecksOnFoldersToDelete()
    {
        CPagesWorld world;
        std::string strLong = "C:";
        for (char c : {'a', 'b', 'c', 'd', 'e'})
            strLong += "\\" + LongName(c);
        world.Sandbox().MakeFolder(strLong);
        world.Sandbox().MakeFolder("C:\\My Windows Stuff");
        world.Sandbox().MakeFolder("C:\\CaseSensitive");
        CListPageHarness page(world, EOptionsPage::FoldersToDelete);
        const Strings before = page.Items();
        struct SCase
        {
            std::string strFolder;
            std::vector<bool> answers;
            std::string strMessage; // empty: none
            bool bAdded;
        };
        const std::vector<SCase> cases = {
            {"C:\\", {}, "String C:\\ is a root folder and not a valuable filter.", false},
            {"C:\\nowhere", {}, "String\n C:\\nowhere\n is invalid.", false},
            {"C:\\CASESENSITIVE", {}, "String\n C:\\CASESENSITIVE\n is invalid.", false},
            {strLong, {}, TEXT_ENTRY_TOO_LONG, false},
            {"C:\\My Windows Stuff", {false}, "", false},
            {"C:\\My Windows Stuff", {true}, "", true},
            {"C:\\CaseSensitive\\", {}, "", true},
        };
        Strings expected = before;
        for (const SCase& c : cases)
        {
            world.m_messageBox.m_shown.clear();
            world.m_messageBox.m_answers = {c.answers.begin(), c.answers.end()};
            world.m_pathPicker.m_folders.push_back(c.strFolder);
            page.Click(IDC_FOLDERS_ADD);
            if (!c.strMessage.empty())
                QCOMPARE(world.m_messageBox.Texts(), Strings({c.strMessage}));
            if (!c.answers.empty())
                QCOMPARE(world.m_messageBox.m_shown.at(0).eButtons, EPromptButtons::YesNo);
            if (c.bAdded)
                expected.push_back(c.strFolder);
            QCOMPARE(page.Items(), expected);
        }
        QCOMPARE(world.m_pathPicker.m_titles.back(),
                 QStringLiteral("Find the Netscape \"Users\" Folder"));
        // The browser starts at the selected entry (the one added last), else
        // at the drive's root. A cancelled browser asks nothing.
        QCOMPARE(world.m_pathPicker.m_startFolders.front(), std::string("C:\\"));
        world.m_messageBox.m_shown.clear();
        page.Click(IDC_FOLDERS_ADD);
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(page.Items(), expected);
        QCOMPARE(world.m_pathPicker.m_startFolders.back(), std::string("C:\\CaseSensitive"));
        page.List().SetCurSel(-1);
        page.Click(IDC_FOLDERS_ADD);
        QCOMPARE(world.m_pathPicker.m_startFolders.back(), std::string("C:\\"));
    }

    // Missing Recycle bin / Repair defaults are offered at each opening of
    // the Filters page; Yes appends them unselected, No is asked again next
    // time; deleting a protected default asks and No keeps it selected.
    void FiltersDefaultsAndDeleteQuestions()
    {
        CPagesWorld world;
        Strings protectedDefaults;
        for (const std::string& strDefault : world.Doc().DefaultLists[LIST_FILTER])
        {
            std::string strUpper = strDefault;
            for (char& c : strUpper)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (strUpper.find("RECYC") != std::string::npos ||
                strUpper.find("REPAIR") != std::string::npos)
                protectedDefaults.push_back(strDefault);
        }
        QVERIFY(!protectedDefaults.empty());
        world.Doc().Lists[LIST_FILTER] = {"C:\\Mine"};
        {
            world.m_messageBox.m_answers = std::deque<bool>(protectedDefaults.size(), false);
            CListPageHarness page(world, EOptionsPage::Filters);
            QCOMPARE(world.m_messageBox.m_shown.size(), protectedDefaults.size());
            QCOMPARE(page.Items(), Strings({"C:\\Mine"}));
            page.Sheet().reject();
        }
        world.m_messageBox.m_shown.clear();
        CListPageHarness page(world, EOptionsPage::Filters);
        QCOMPARE(world.m_messageBox.m_shown.size(), protectedDefaults.size()); // asked again
        Strings expected = {"C:\\Mine"};
        expected.insert(expected.end(), protectedDefaults.begin(), protectedDefaults.end());
        QCOMPARE(page.Items(), expected);
        QCOMPARE(page.List().GetCurSel(), -1);
        QVERIFY(page.Page().Control(IDC_FILTER_EDIT)->isHidden());

        world.m_messageBox.m_shown.clear();
        world.m_messageBox.m_answers = {false};
        page.List().SetCurSel(1);
        page.Click(IDC_FILTER_DELETE);
        QCOMPARE(world.m_messageBox.m_shown.size(), size_t(1));
        QCOMPARE(page.Items(), expected);
        QCOMPARE(page.List().GetCurSel(), 1);

        // Restore Defaults, then OK, replaces the list with the defaults.
        page.Click(IDC_FILTER_DEFAULTS);
        page.Sheet().OkButton()->click();
        QCOMPARE(world.Doc().Lists[LIST_FILTER], world.Doc().DefaultLists[LIST_FILTER]);
    }

    // The Filters page refuses a drive root and a folder that does not exist
    // with the filter messages; deleting a Netscape Mail folder asks, the same
    // path without its last folder and a user-added recycle folder go at
    // once, and the Repair default goes after Yes.
    void FiltersPathChecksAndMailFolderQuestions()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Keep Out");
        std::string strRepair;
        for (const std::string& strDefault : world.Doc().DefaultLists[LIST_FILTER])
        {
            if (strDefault.find("REPAIR") != std::string::npos ||
                strDefault.find("Repair") != std::string::npos)
                strRepair = strDefault;
        }
        QVERIFY(!strRepair.empty());
        const std::string strMail = "C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X\\MAIL";
        const std::string strUsers = "C:\\PROGRAM FILES\\NETSCAPE\\USERS\\X";
        world.Doc().Lists[LIST_FILTER] = world.Doc().DefaultLists[LIST_FILTER];
        world.Doc().Lists[LIST_FILTER].insert(world.Doc().Lists[LIST_FILTER].end(),
                                              {strMail, strUsers, "D:\\RECYCLED"});
        CListPageHarness page(world, EOptionsPage::Filters);
        QVERIFY(world.m_messageBox.m_shown.empty()); // no default is missing
        const Strings before = page.Items();

        for (const auto& [strFolder, strMessage] : std::vector<std::pair<std::string, std::string>>{
                 {"C:\\", "String C:\\ is a root folder and not a valuable filter."},
                 {"C:", "String C: is a root folder and not a valuable filter."},
                 {"C:\\keep out", "String\n C:\\keep out\n is invalid."},
                 {"C:\\Nowhere\\", "String\n C:\\Nowhere\\\n is invalid."}})
        {
            world.m_messageBox.m_shown.clear();
            world.m_pathPicker.m_folders.push_back(strFolder);
            page.Click(IDC_FILTER_ADD);
            QCOMPARE(world.m_messageBox.Texts(), Strings({strMessage}));
            QCOMPARE(world.m_messageBox.m_shown[0].eButtons, EPromptButtons::Ok);
            QCOMPARE(page.Items(), before);
        }
        // A folder the filters already hold is added again, as chosen.
        world.m_messageBox.m_shown.clear();
        world.m_pathPicker.m_folders.push_back("C:\\Keep Out\\");
        page.Click(IDC_FILTER_ADD);
        world.m_pathPicker.m_folders.push_back("C:\\Keep Out\\");
        page.Click(IDC_FILTER_ADD);
        QVERIFY(world.m_messageBox.m_shown.empty());
        Strings expected = before;
        expected.insert(expected.end(), {"C:\\Keep Out\\", "C:\\Keep Out\\"});
        QCOMPARE(page.Items(), expected);

        const auto select = [&page](const std::string& strItem)
        {
            for (int i = 0; i < page.List().GetCount(); ++i)
            {
                if (page.List().GetText(i) == strItem)
                    page.List().SetCurSel(i);
            }
            return page.List().GetCurSel();
        };
        world.m_messageBox.m_shown.clear();
        world.m_messageBox.m_answers = {false};
        const int nMail = select(strMail);
        page.Click(IDC_FILTER_DELETE);
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_NETSCAPE_MAIL_REMOVE}));
        QCOMPARE(world.m_messageBox.m_shown[0].eButtons, EPromptButtons::YesNo);
        QCOMPARE(page.List().GetCurSel(), nMail);
        QCOMPARE(page.Items(), expected);
        world.m_messageBox.m_answers = {true};
        page.Click(IDC_FILTER_DELETE);
        std::erase(expected, strMail);
        QCOMPARE(page.Items(), expected);

        world.m_messageBox.m_shown.clear();
        select(strUsers);
        page.Click(IDC_FILTER_DELETE);
        select("D:\\RECYCLED");
        page.Click(IDC_FILTER_DELETE);
        QVERIFY(world.m_messageBox.m_shown.empty());
        std::erase(expected, strUsers);
        std::erase(expected, std::string("D:\\RECYCLED"));
        QCOMPARE(page.Items(), expected);

        select(strRepair);
        page.Click(IDC_FILTER_DELETE); // answered Yes
        QCOMPARE(world.m_messageBox.Texts(), Strings({TEXT_REPAIR_REMOVE}));
        std::erase(expected, strRepair);
        QCOMPARE(page.Items(), expected);
    }

    // Restore Defaults and then Cancel leaves the document's list and the
    // store as they were; Restore Defaults and then OK stores the defaults.
    // Neither asks anything, not even on Folders to Delete where a default
    // names the operating system's folder.
    void RestoreDefaultsThenCancelOrOk()
    {
        CPagesWorld world;
        world.Sandbox().MakeFolder("C:\\Winnt\\Temp");
        world.Sandbox().MakeFolder("C:\\Temp");
        world.Restart(); // the defaults name only folders that exist
        const Strings mine = {"C:\\Mine", "C:\\Also Mine"};
        world.Doc().Lists[LIST_FOLDER] = mine;
        world.Doc().SaveSettings();
        const Strings defaults = world.Doc().DefaultLists[LIST_FOLDER];
        QVERIFY(!defaults.empty());
        QVERIFY(defaults != mine);
        {
            CListPageHarness page(world, EOptionsPage::FoldersToDelete);
            page.Click(IDC_FOLDERS_DEFAULTS);
            QCOMPARE(page.Items(), defaults);
            page.Sheet().CancelButton()->click();
        }
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(world.Doc().Lists[LIST_FOLDER], mine);
        world.Restart();
        QCOMPARE(world.Doc().Lists[LIST_FOLDER], mine);
        {
            CListPageHarness page(world, EOptionsPage::FoldersToDelete);
            page.Click(IDC_FOLDERS_DEFAULTS);
            page.Sheet().OkButton()->click();
            QCOMPARE(page.Sheet().result(), int(QDialog::Accepted));
        }
        QVERIFY(world.m_messageBox.m_shown.empty());
        QCOMPARE(world.Doc().Lists[LIST_FOLDER], defaults);
        world.Restart();
        QCOMPARE(world.Doc().Lists[LIST_FOLDER], defaults);
    }
};

QTEST_MAIN(ListPagesTest)
#include "ListPagesTest.moc"
