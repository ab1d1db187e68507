// The program's message boxes: the application title, the caller's text and
// the answer the user gives.

#include "ui/win32/dialogs/ScrubixMessageBox.h"

#include "ModalAnswer.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace
{
// The texts of a box's static controls, joined.
std::wstring StaticTexts(HWND hBox)
{
    std::wstring strTexts;
    for (HWND hChild = GetWindow(hBox, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        wchar_t szClass[16] = {};
        GetClassNameW(hChild, szClass, 16);
        if (_wcsicmp(szClass, L"Static") == 0)
            strTexts += WindowTextOf(hChild);
    }
    return strTexts;
}
} // namespace

TEST(ScrubixMessageBox, ShowsTheTextUnderTheApplicationTitle)
{
    std::wstring strTitle;
    std::wstring strText;
    bool bHasNo = true;
    AnswerNextModal(
        [&](HWND hBox)
        {
            strTitle = WindowTextOf(hBox);
            strText = StaticTexts(hBox);
            bHasNo = GetDlgItem(hBox, IDNO) != nullptr;
            ClickDialogButton(hBox, IDOK);
        });
    ShowScrubixMessage(nullptr, "Die Datei \xC3\xA4rger.tmp wurde verschoben.");
    EXPECT_EQ(strTitle, L"Scrubix");
    EXPECT_NE(strText.find(L"Die Datei \u00E4rger.tmp wurde verschoben."), std::wstring::npos);
    EXPECT_FALSE(bHasNo);
}

TEST(ScrubixMessageBox, AskReturnsTheAnswerGiven)
{
    for (int nAnswer : {IDYES, IDNO})
    {
        AnswerNextModal([nAnswer](HWND hBox) { ClickDialogButton(hBox, nAnswer); }, L"Scrubix");
        EXPECT_EQ(AskScrubix(nullptr, "Purge the checked files?", MB_YESNO | MB_ICONQUESTION),
                  nAnswer);
    }
}
