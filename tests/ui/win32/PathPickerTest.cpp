// The real folder browser and file-open dialog under the drive table: each
// opens where it is told to start (behind the sandbox's drive letter) and
// gives its choice back in the program's form; a cancelled dialog gives
// nothing.

#include "SheetAnswer.h"
#include "support/CSandboxDrive.h"
#include "ui/win32/pages/CWin32PathPicker.h"

#include <gtest/gtest.h>
#include <objbase.h>

TEST(Win32PathPickerTest, ChoicesComeBackInTheProgramsForm)
{
    const int nMissed = SheetAnswersMissed();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CSandboxDrive sandbox;
    sandbox.MakeFolder("C:\\Keep");
    sandbox.MakeFile("C:\\Keep\\junk.txt");
    CWin32PathPicker picker;

    // The file chosen last is chosen again; OK takes it.
    AnswerSheet([](HWND hDialog) { ClickItem(hDialog, IDOK); });
    const SPathChoice file = picker.OpenFile(nullptr, "C:\\Keep", "C:\\Keep\\junk.txt");
    EXPECT_TRUE(file.bChosen);
    EXPECT_EQ(file.windowsPath.value_or("<none>"), "C:\\Keep\\junk.txt");

    // The browser opens on the start folder; OK takes it.
    AnswerSheet([](HWND hDialog) { ClickItem(hDialog, IDOK); });
    const SPathChoice folder =
        picker.BrowseForFolder(nullptr, "Folder where files will be moved", "C:\\Keep");
    EXPECT_TRUE(folder.bChosen);
    EXPECT_EQ(folder.windowsPath.value_or("<none>"), "C:\\Keep");

    AnswerSheet([](HWND hDialog) { ClickItem(hDialog, IDCANCEL); });
    EXPECT_FALSE(
        picker.BrowseForFolder(nullptr, "Folder where files will be moved", "C:\\Keep").bChosen);
    CoUninitialize();
    EXPECT_EQ(SheetAnswersMissed(), nMissed);
}
