// Shows each window of the Options sheet, the entry dialog with a refusal and
// the About box in turn, so scripts/screenshots-windows can take their
// pictures. Runs only when SCRUBIX_SHOT_DIR names a folder: for each picture
// the test leaves "<name>.ready" there and waits (painting) until the script
// has removed it.

#include "OptionsWorld.h"
#include "SheetDriving.h"
#include "platform/IShell.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/AboutLinks.h"
#include "ui/win32/dialogs/CAboutDialog.h"
#include "ui/win32/pages/CWin32MessageBox.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace
{
class CQuietShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string&) override { return true; }
};

// Leaves the marker and paints until the script has taken the picture.
void Shot(const std::string& strName)
{
    const char* pszFolder = std::getenv("SCRUBIX_SHOT_DIR");
    const std::string strMarker = std::string(pszFolder) + "\\" + strName + ".ready";
    PumpMessages(300);
    std::ofstream(strMarker).put('\n');
    for (int i = 0; i < 300 && GetFileAttributesA(strMarker.c_str()) != INVALID_FILE_ATTRIBUTES;
         ++i)
        PumpMessages(100);
    EXPECT_EQ(GetFileAttributesA(strMarker.c_str()), INVALID_FILE_ATTRIBUTES) << strName;
}
} // namespace

TEST(ScreenshotTourTest, ShowsEachWindowInTurn)
{
    if (std::getenv("SCRUBIX_SHOT_DIR") == nullptr)
        GTEST_SKIP() << "SCRUBIX_SHOT_DIR is not set";
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    COptionsWorld world;
    world.Sandbox().MakeFolder("C:\\Moved");
    world.Doc().MovePath = "C:\\Moved";
    world.Doc().Lists[LIST_FILE] = {"C:\\Downloads\\setup-old.exe"};
    world.Doc().Lists[LIST_FOLDER] = {"C:\\Temp\\Build Output\\"};
    world.Doc().MinAge = 30;
    const char* kNames[] = {"excludes",          "filters",    "directeds",  "files-to-delete",
                            "folders-to-delete", "extensions", "purge-move", "run-options",
                            "other-settings",    "age"};
    COptionsSheet sheet(world.Doc(), ViewState::Idle, world.m_autostart);
    RunSheet(sheet,
             [&](HWND hSheet)
             {
                 for (int i = 0; i < 10; ++i)
                 {
                     ShowPage(hSheet, i);
                     Shot(std::string("options-") + kNames[i]);
                 }
                 HWND hExten = ShowPage(hSheet, 5);
                 AnswerSheet(
                     [&](HWND hEntry)
                     {
                         AnswerSheet(
                             [&](HWND hBox)
                             {
                                 Shot("entry-refusal");
                                 ClickItem(hBox, IDOK);
                             },
                             CWin32MessageBox::TITLE);
                         SetDlgItemTextA(hEntry, IDC_ENTRY_TEXT, "");
                         ClickItem(hEntry, IDOK);
                         ClickItem(hEntry, IDCANCEL);
                     },
                     L"Add");
                 ClickItem(hExten, IDC_EXTEN_ADD);
                 ClickItem(hSheet, IDCANCEL);
             });

    CQuietShell shell;
    SAboutLinks links;
    AnswerSheet(
        [&](HWND hAbout)
        {
            Shot("about");
            ClickItem(hAbout, IDOK);
        },
        L"About Scrubix");
    RunAboutDialog(nullptr, shell, links, "C:\\Scrubix\\help\\index.html");
}
