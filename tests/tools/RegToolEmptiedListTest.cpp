// A list saved empty keeps its mark through scrubix-reg export and import, so
// the registry it is imported into keeps the list empty too.
#include "platform/Platform.h"
#include "settings/CScrubixDoc.h"
#include "settings/StartUp.h"
#include "support/CSandboxDrive.h"
#include "support/CurrentFolderGuard.h"
#include "support/ToolRunner.h"

#include <gtest/gtest.h>

namespace
{
// One start of the program in the current sandbox, from C:\Tools.
template <typename TUse> void WithStartedDocument(CSandboxDrive& sandbox, TUse&& use)
{
    sandbox.Build({"C:\\Tools\\", "C:\\Temp\\"});
    CCurrentFolderGuard folder(sandbox.HostPath("C:\\Tools"));
    const SPlatform platform = CreatePlatform();
    CSettingsStore store(*platform.pRegistry);
    OpenSettingsStore(store, *platform.pFileSystem);
    CScrubixDoc doc(store, *platform.pFileSystem);
    doc.LoadSettings();
    use(doc);
}

TEST(RegToolEmptiedListTest, AnEmptiedListStaysEmptyThroughExportAndImport)
{
    CSandboxDrive sandbox;
    WithStartedDocument(sandbox,
                        [](CScrubixDoc& doc)
                        {
                            ASSERT_EQ(doc.Lists[LIST_FOLDER], std::vector<std::string>{"C:\\Temp"});
                            doc.Lists[LIST_FOLDER].clear();
                            doc.SaveSettings();
                        });
    const std::string strExport = (sandbox.Root() / "settings.reg").string();
    const std::string strKey = "HKEY_LOCAL_MACHINE\\" + ComposeBaseKeyPath();
    const SToolResult exported =
        RunTool("scrubix-reg", "export " + ShellQuote(strKey) + " " + ShellQuote(strExport));
    ASSERT_EQ(exported.nExitCode, 0) << exported.strOutput;

    // Another machine, where C:\Temp is a default too.
    CSandboxDrive other;
    const SToolResult imported = RunTool("scrubix-reg", "import " + ShellQuote(strExport));
    ASSERT_EQ(imported.nExitCode, 0) << imported.strOutput;
    WithStartedDocument(other,
                        [](CScrubixDoc& doc) { EXPECT_TRUE(doc.Lists[LIST_FOLDER].empty()); });
}
} // namespace
