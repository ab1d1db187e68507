// The first start's question: nothing is stored until it is answered, then the
// answer and Newbie = 0 together, so a start that ends at the question (or at
// any write after it) asks again next time and never leaves Newbie = 0
// without the answer.
#include "ui/rules/FirstStartWelcome.h"

#include "settings/SettingsTestFixture.h"
#include "support/CCutOffRegistry.h"

namespace
{
constexpr const char* SETTINGS = "Settings";

using FirstStartWelcomeTest = SettingsTest;

TEST_F(FirstStartWelcomeTest, TheAnswerAndNewbieAreStoredOnlyOnceAnswered)
{
    for (const bool bMove : {false, true})
    {
        CSandboxDrive sandbox;
        const SPlatform platform = CreatePlatform();
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        store.SetInt(SETTINGS, "RecycleRadio", 1);
        CScrubixDoc doc(store, *platform.pFileSystem);
        doc.RecycleRadio = 1;

        int nAsked = 0;
        const auto ask = [&]
        {
            ++nAsked;
            // What a start killed at the question leaves behind.
            EXPECT_EQ(store.GetString(SETTINGS, "Newbie", "<absent>"), "<absent>");
            EXPECT_EQ(store.GetString(SETTINGS, "Move", "<absent>"), "<absent>");
            EXPECT_EQ(store.GetInt(SETTINGS, "RecycleRadio", -1), 1);
            return bMove;
        };
        EXPECT_TRUE(RunFirstStartWelcome(doc, store, ask));
        EXPECT_EQ(nAsked, 1);
        EXPECT_EQ(doc.Move, bMove ? 0 : 1);
        EXPECT_EQ(doc.RecycleRadio, 0);
        EXPECT_EQ(store.GetInt(SETTINGS, "Move", -1), bMove ? 0 : 1);
        EXPECT_EQ(store.GetInt(SETTINGS, "RecycleRadio", -1), 0);
        EXPECT_EQ(store.GetInt(SETTINGS, "Newbie", -1), 0);

        // Asked once per installation.
        EXPECT_FALSE(RunFirstStartWelcome(doc, store, ask));
        EXPECT_EQ(nAsked, 1);
    }
}

TEST_F(FirstStartWelcomeTest, AnAnswerStoredPartWayIsAskedForAgain)
{
    for (int nCut = 0; nCut <= 2; ++nCut)
    {
        CSandboxDrive sandbox;
        const SPlatform platform = CreatePlatform();
        {
            CSettingsStore opened(*platform.pRegistry);
            OpenSettingsStore(opened, *platform.pFileSystem);
        }
        {
            // A start whose writes stop after nCut (the base key is one).
            CCutOffRegistry cutOff(*platform.pRegistry, nCut);
            CSettingsStore store(cutOff);
            store.SetBaseKey(ERegistryHive::LocalMachine, ComposeBaseKeyPath());
            CScrubixDoc doc(store, *platform.pFileSystem);
            RunFirstStartWelcome(doc, store, [] { return false; });
        }
        CSettingsStore store(*platform.pRegistry);
        OpenSettingsStore(store, *platform.pFileSystem);
        const int32_t nNewbie = store.GetInt(SETTINGS, "Newbie", 1);
        if (nNewbie == 0)
        {
            EXPECT_EQ(store.GetInt(SETTINGS, "Move", -1), 1) << "after " << nCut << " writes";
            EXPECT_EQ(store.GetInt(SETTINGS, "RecycleRadio", -1), 0);
        }
        EXPECT_EQ(IsWelcomeDue(store), nCut < 2) << "after " << nCut << " writes";
    }
}
} // namespace
