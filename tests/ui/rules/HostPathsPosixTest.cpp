// Paths as the host names them where drives are host folders: typed host
// paths in drive form, the refusal of a choice off every drive, where the path
// dialogs start, and the destination check's added sentence.
#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "ui/rules/HostPathTexts.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/OptionsTexts.h"
#include "ui/rules/SettingPageRules.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
// C: the sandbox's drive, D: a second folder beside it.
class HostPathsTest : public ::testing::Test
{
protected:
    HostPathsTest()
    {
        fs::create_directories(m_sandbox.Root() / "second");
        fs::create_directories(m_sandbox.Outside());
        m_sandbox.SetDriveTable("C:=" + C() + ";D:=" + D());
        m_platform = CreatePlatform();
    }

    std::string C() const { return m_sandbox.DriveFolder().string(); }
    std::string D() const { return (m_sandbox.Root() / "second").string(); }
    IFileSystem& FileSystem() { return *m_platform.pFileSystem; }

    CSandboxDrive m_sandbox;
    SPlatform m_platform;
};
} // namespace

TEST_F(HostPathsTest, AHostPathOnADriveIsKeptInDriveForm)
{
    EXPECT_TRUE(IsHostPath("/home/me"));
    EXPECT_FALSE(IsHostPath("C:\\Moved"));
    EXPECT_FALSE(IsHostPath(""));
    EXPECT_EQ(ToDriveForm(C() + "/Moved", FileSystem()), "C:\\Moved");
    EXPECT_EQ(ToDriveForm(D() + "/x/y", FileSystem()), "D:\\x\\y");
    EXPECT_EQ(ToDriveForm(D(), FileSystem()), "D:\\");
    // Not on a drive, or not a host path at all: as typed.
    const std::string strOutside = m_sandbox.Outside().string() + "/Moved";
    EXPECT_EQ(ToDriveForm(strOutside, FileSystem()), strOutside);
    EXPECT_EQ(ToDriveForm("C:\\Moved", FileSystem()), "C:\\Moved");
    EXPECT_EQ(ToDriveForm("Moved", FileSystem()), "Moved");
}

TEST_F(HostPathsTest, AChoiceOffEveryDriveIsRefusedSayingWhy)
{
    const std::string strOutside = m_sandbox.Outside().string();
    EXPECT_EQ(DescribeDrives(FileSystem()), "C: is " + C() + ", D: is " + D());
    const SPrompt refusal = ChoiceOffDrivesPrompt(strOutside + "/100%s", FileSystem());
    EXPECT_EQ(refusal.eButtons, EPromptButtons::Ok);
    EXPECT_EQ(refusal.strText, strOutside +
                                   "/100%s\nlies on none of the drives, so Scrubix cannot use "
                                   "it.\n\nChoose a folder or file on one of the drives (C: is " +
                                   C() + ", D: is " + D() + ").");

    m_sandbox.SetDriveTable("");
    SPlatform none = CreatePlatform();
    EXPECT_EQ(DescribeDrives(*none.pFileSystem), TEXT_NO_DRIVES);
}

TEST_F(HostPathsTest, PickersStartAtTheFieldsFolderElseTheDrivesRoot)
{
    m_sandbox.Build({"C:\\Moved\\deep\\", "C:\\Files\\"});
    fs::create_directories(D() + "/Data");
    IFileSystem& fileSystem = FileSystem();
    // The first candidate that leads to a folder; a missing tail goes up.
    EXPECT_EQ(PickerStartFolder({"C:\\Moved\\deep"}, "C", fileSystem), "C:\\Moved\\deep");
    EXPECT_EQ(PickerStartFolder({"C:\\Moved\\gone\\also"}, "D", fileSystem), "C:\\Moved");
    EXPECT_EQ(PickerStartFolder({"C:\\Files\\chosen-last.txt"}, "D", fileSystem), "C:\\Files");
    EXPECT_EQ(PickerStartFolder({"", "D:\\Data"}, "C", fileSystem), "D:\\Data");
    EXPECT_EQ(PickerStartFolder({D() + "/Data"}, "C", fileSystem), "D:\\Data");
    EXPECT_EQ(PickerStartFolder({"Q:\\gone", "C:\\Files"}, "D", fileSystem), "C:\\Files");
    // Nothing to start from: the remembered drive's root, else the first.
    EXPECT_EQ(PickerStartFolder({"", ""}, "D", fileSystem), "D:\\");
    EXPECT_EQ(PickerStartFolder({}, "d:", fileSystem), "D:\\");
    EXPECT_EQ(PickerStartFolder({m_sandbox.Outside().string()}, "", fileSystem), "C:\\");
    EXPECT_EQ(PickerStartFolder({}, "Q", fileSystem), "C:\\");

    m_sandbox.SetDriveTable("");
    SPlatform none = CreatePlatform();
    EXPECT_EQ(PickerStartFolder({"C:\\Files"}, "C", *none.pFileSystem), "");
}

TEST_F(HostPathsTest, ADestinationOnNoDriveSaysWhichFormIsExpected)
{
    m_sandbox.Build({"C:\\Moved\\"});
    const std::string strOutside = m_sandbox.Outside().string() + "/Moved";
    fs::create_directories(strOutside);
    const std::optional<SPrompt> refusal = CheckDestinationFolder(0, 1, strOutside, FileSystem());
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->strText, std::string(TEXT_DESTINATION_INVALID) +
                                    "\n\nType the folder with its drive letter, such as "
                                    "C:\\Moved. The folder you typed lies on none of the drives "
                                    "(C: is " +
                                    C() + ", D: is " + D() + ").");
    // The usual text alone for a missing folder in drive form, or a host
    // path that the page would have turned into drive form.
    EXPECT_EQ(CheckDestinationFolder(0, 1, "C:\\Gone", FileSystem()),
              OkPrompt(TEXT_DESTINATION_INVALID));
    EXPECT_EQ(CheckDestinationFolder(0, 1, C() + "/Gone", FileSystem()),
              OkPrompt(TEXT_DESTINATION_INVALID));
    EXPECT_EQ(CheckDestinationFolder(0, 1, ToDriveForm(C() + "/Moved", FileSystem()), FileSystem()),
              std::nullopt);
}
