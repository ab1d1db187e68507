// The balloon an unattended run leaves in the notification area: its text
// names the pass, the shell takes the icon, a click on the balloon opens the
// report and takes the icon away, and the run's exit status tells a report
// that could not be written.
#include "Win32AppSandbox.h"
#include "settings/CLaunchMode.h"
#include "ui/rules/UnattendedRun.h"
#include "ui/win32/app/CNotifyBalloon.h"
#include "ui/win32/dialogs/WideText.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
const std::string INVISIBLE = std::string("-") + INVISIBLE_BOOT_TOKEN;

// Records what "open" was asked for; moving to the bin is the real shell's.
class CBalloonShell : public IShell
{
public:
    CBalloonShell(std::unique_ptr<IShell> pReal, std::shared_ptr<std::vector<std::string>> pOpened)
        : m_pReal(std::move(pReal)), m_pOpened(std::move(pOpened))
    {
    }
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override
    {
        return m_pReal->MoveToTrash(strPath, expected);
    }
    bool Open(const std::string& strTarget) override
    {
        m_pOpened->push_back(strTarget);
        return true;
    }

private:
    std::unique_ptr<IShell> m_pReal;
    std::shared_ptr<std::vector<std::string>> m_pOpened;
};

void PrepareInvisiblePurge(CWin32AppSandbox& sandbox)
{
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.SetInt("Settings", "Anomaly", 1);
    sandbox.SetString("Settings", "Path", "C:\\prog");
    sandbox.Drive().MakeFolder("C:\\prog\\");
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", std::string(1500, '1'));
    sandbox.Drive().MakeFile("C:\\junk\\two.tmp", std::string(1500, '2'));
}
} // namespace

TEST(NotifyBalloonTest, DataCarriesTitleAndTextCutToTheField)
{
    const NOTIFYICONDATAW data = CNotifyBalloon::BalloonData(nullptr, std::string(400, 'x'));
    EXPECT_EQ(std::wstring(data.szInfoTitle), L"Scrubix");
    EXPECT_EQ(std::wstring(data.szInfo), std::wstring(255, L'x'));
    EXPECT_EQ(data.uFlags & NIF_INFO, static_cast<UINT>(NIF_INFO));
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_NE(data.hIcon, nullptr);
}

TEST(NotifyBalloonTest, InvisibleRunLeavesABalloonWhoseClickOpensTheReport)
{
    CWin32AppSandbox sandbox;
    PrepareInvisiblePurge(sandbox);
    const auto pOpened = std::make_shared<std::vector<std::string>>();
    sandbox.AdjustPlatform(
        [pOpened](SPlatform& platform) {
            platform.pShell = std::make_unique<CBalloonShell>(std::move(platform.pShell), pOpened);
        });
    sandbox.EnableBalloon();
    ASSERT_NE(sandbox.Start(INVISIBLE), nullptr);
    ASSERT_TRUE(sandbox.WaitForEnd());
    CScrubixApp& app = *sandbox.App();
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
    EXPECT_EQ(app.BalloonText(), "Scrubix purged 2 files (3K bytes).");
    EXPECT_EQ(app.ExitStatus(), EXIT_RUN_OK);
    ASSERT_NE(app.Balloon(), nullptr) << "the shell refused the icon";
    EXPECT_TRUE(app.Balloon()->IsShowing());
    EXPECT_TRUE(pOpened->empty()); // the report is not opened by itself

    SendMessageW(app.Balloon()->Window(), CNotifyBalloon::CALLBACK_MESSAGE, CNotifyBalloon::ICON_ID,
                 NIN_BALLOONUSERCLICK);
    EXPECT_FALSE(app.Balloon()->IsShowing());
    EXPECT_EQ(*pOpened, std::vector<std::string>{"C:\\prog\\anomaly.txt"});
}

TEST(NotifyBalloonTest, AReportThatCannotBeWrittenEndsWithStatusThree)
{
    CWin32AppSandbox sandbox;
    PrepareInvisiblePurge(sandbox);
    sandbox.SetString("Settings", "Path", "C:\\no such folder");
    sandbox.SetInt("Settings", "RecycleRadio", 0);
    sandbox.EnableBalloon();
    ASSERT_NE(sandbox.Start(INVISIBLE), nullptr);
    ASSERT_TRUE(sandbox.WaitForEnd());
    EXPECT_EQ(sandbox.App()->ExitStatus(), EXIT_REPORT_NOT_WRITTEN);
    EXPECT_EQ(sandbox.App()->BalloonText(),
              "Scrubix purged 2 files (3K bytes). The Anomaly Report could not be written.");
}
