// Undo Last Move against the real backend: moves to a folder and to the
// freedesktop.org trash put back by a new set of objects (as after a restart),
// the files that must stay, links swapped in, and the record a killed writer
// leaves.
#include "DisposalTestFixture.h"
#include "disposal/CUndoLastMove.h"
#include "support/PosixKilledChild.h"

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

class UndoLastMovePosixTest : public CDisposalTest
{
protected:
    UndoLastMovePosixTest()
    {
        m_doc.Move = 0;
        m_doc.RecycleRadio = 1;
        m_doc.Anomaly = 0;
    }

    // Moves the files with the fixture's disposal (to C:\Bak, or to the trash).
    void MoveFiles(const std::vector<std::string>& paths, bool bToTrash = false)
    {
        m_doc.RecycleRadio = bToTrash ? 0 : 1;
        for (const std::string& strPath : paths)
            AddFileRow(strPath, true, "data of " + strPath);
        Run();
        for (const std::string& strPath : paths)
            ASSERT_FALSE(m_drive.Exists(strPath)) << strPath;
    }

    // Undoes with objects of its own, as a program started afresh would.
    SUndoReport UndoAfterRestart()
    {
        SPlatform platform = CreatePlatform();
        CUndoLastMove undo(*platform.pFileSystem, *platform.pShell, *platform.pRegistry);
        return undo.Run();
    }

    ELastPass LastPassAfterRestart()
    {
        SPlatform platform = CreatePlatform();
        return CUndoLastMove::LastPass(*platform.pRegistry);
    }

    fs::path Trash() const { return m_drive.HomeFolder() / ".local/share/Trash"; }

    static size_t CountEntries(const fs::path& folder)
    {
        if (!fs::exists(folder))
            return 0;
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    static void SetModificationTime(const fs::path& file, time_t nSeconds)
    {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {nSeconds, 0}};
        ASSERT_EQ(0, ::utimensat(AT_FDCWD, file.c_str(), times, 0));
    }

    // Replaces the folder with a link to a folder outside the drive.
    void SwapFolderForLink(const std::string& strFolder)
    {
        fs::create_directories(m_drive.Outside() / "elsewhere");
        fs::rename(m_drive.HostPath(strFolder), m_drive.Outside() / "moved-away");
        fs::create_directory_symlink(m_drive.Outside() / "elsewhere", m_drive.HostPath(strFolder));
    }
};

TEST_F(UndoLastMovePosixTest, FolderMoveIsPutBackAfterARestart)
{
    MoveFiles({"C:\\junk\\a.tmp", "C:\\junk\\deep\\b.bak"});
    ASSERT_EQ(ELastPass::Move, LastPassAfterRestart());

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(EUndoResult::Done, report.result);
    EXPECT_EQ(2, report.nRestored);
    EXPECT_TRUE(report.stayed.empty());
    EXPECT_EQ("data of C:\\junk\\a.tmp", m_drive.ReadFile("C:\\junk\\a.tmp"));
    EXPECT_EQ("data of C:\\junk\\deep\\b.bak", m_drive.ReadFile("C:\\junk\\deep\\b.bak"));
    EXPECT_FALSE(m_drive.Exists("C:\\Bak\\a.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\Bak\\b.bak"));
    // Everything undone: the record is gone, and a second undo has nothing.
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
    EXPECT_EQ(EUndoResult::NothingToUndo, UndoAfterRestart().result);
}

TEST_F(UndoLastMovePosixTest, TrashMoveIsPutBackThroughItsTrashInfo)
{
    MoveFiles({"C:\\junk\\a.tmp", "C:\\junk\\b.tmp"}, true);
    ASSERT_EQ(2u, CountEntries(Trash() / "info"));

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(2, report.nRestored);
    EXPECT_EQ("data of C:\\junk\\a.tmp", m_drive.ReadFile("C:\\junk\\a.tmp"));
    EXPECT_EQ("data of C:\\junk\\b.tmp", m_drive.ReadFile("C:\\junk\\b.tmp"));
    EXPECT_EQ(0u, CountEntries(Trash() / "files"));
    EXPECT_EQ(0u, CountEntries(Trash() / "info"));
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
}

// Written to since the move (its size, or only its modification time): the
// file stays where the move put it, is named, and is not tried again.
TEST_F(UndoLastMovePosixTest, FileChangedSinceTheMoveStays)
{
    MoveFiles({"C:\\junk\\grown.tmp", "C:\\junk\\touched.tmp", "C:\\junk\\fine.tmp"});
    std::ofstream(m_drive.HostPath("C:\\Bak\\grown.tmp"), std::ios::app) << "more";
    SetModificationTime(m_drive.HostPath("C:\\Bak\\touched.tmp"), 1000000000);

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(1, report.nRestored);
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\fine.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\grown.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\touched.tmp"));
    EXPECT_EQ("data of C:\\junk\\grown.tmpmore", m_drive.ReadFile("C:\\Bak\\grown.tmp"));
    EXPECT_TRUE(m_drive.Exists("C:\\Bak\\touched.tmp"));
    ASSERT_EQ(2u, report.stayed.size());
    for (const SUndoStayed& stayed : report.stayed)
        EXPECT_EQ(EUndoStay::Changed, stayed.reason) << stayed.strPath;
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
}

TEST_F(UndoLastMovePosixTest, FileChangedInTheTrashStays)
{
    MoveFiles({"C:\\junk\\a.tmp"}, true);
    std::ofstream(Trash() / "files/a.tmp", std::ios::app) << "more";

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(0, report.nRestored);
    ASSERT_EQ(1u, report.stayed.size());
    EXPECT_EQ(EUndoStay::Changed, report.stayed[0].reason);
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_TRUE(fs::exists(Trash() / "files/a.tmp"));
    EXPECT_TRUE(fs::exists(Trash() / "info/a.tmp.trashinfo"));
}

// A file made at the original path since is never replaced; the moved file
// stays, stays listed, and goes back once the path is free.
TEST_F(UndoLastMovePosixTest, OriginalPathTakenSinceIsNeverOverwritten)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    m_drive.MakeFile("C:\\junk\\a.tmp", "new file");

    SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(0, report.nRestored);
    ASSERT_EQ(1u, report.stayed.size());
    EXPECT_EQ("C:\\junk\\a.tmp", report.stayed[0].strPath);
    EXPECT_EQ(EUndoStay::Taken, report.stayed[0].reason);
    EXPECT_EQ("new file", m_drive.ReadFile("C:\\junk\\a.tmp"));
    EXPECT_EQ("data of C:\\junk\\a.tmp", m_drive.ReadFile("C:\\Bak\\a.tmp"));
    EXPECT_EQ(ELastPass::Move, LastPassAfterRestart());

    fs::remove(m_drive.HostPath("C:\\junk\\a.tmp"));
    report = UndoAfterRestart();
    EXPECT_EQ(1, report.nRestored);
    EXPECT_EQ("data of C:\\junk\\a.tmp", m_drive.ReadFile("C:\\junk\\a.tmp"));
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
}

TEST_F(UndoLastMovePosixTest, OriginalPathTakenSinceKeepsTheTrashEntry)
{
    MoveFiles({"C:\\junk\\a.tmp"}, true);
    m_drive.MakeFile("C:\\junk\\a.tmp", "new file");

    const SUndoReport report = UndoAfterRestart();

    ASSERT_EQ(1u, report.stayed.size());
    EXPECT_EQ(EUndoStay::Taken, report.stayed[0].reason);
    EXPECT_EQ("new file", m_drive.ReadFile("C:\\junk\\a.tmp"));
    EXPECT_TRUE(fs::exists(Trash() / "files/a.tmp"));
    EXPECT_TRUE(fs::exists(Trash() / "info/a.tmp.trashinfo"));
}

// A link put in place of the original folder since the move: nothing is
// moved through it, the file stays, is named and stays listed.
TEST_F(UndoLastMovePosixTest, LinkedParentSwappedInIsNeverFollowed)
{
    for (const bool bToTrash : {false, true})
    {
        SCOPED_TRACE(bToTrash ? "trash" : "folder");
        fs::remove_all(m_drive.Outside());
        fs::remove_all(m_drive.HostPath("C:\\junk"));
        m_list.m_rows.clear();
        MoveFiles({"C:\\junk\\a.tmp"}, bToTrash);
        SwapFolderForLink("C:\\junk");

        const SUndoReport report = UndoAfterRestart();

        EXPECT_EQ(0, report.nRestored);
        ASSERT_EQ(1u, report.stayed.size());
        EXPECT_EQ(EUndoStay::Unreachable, report.stayed[0].reason);
        EXPECT_EQ(0u, CountEntries(m_drive.Outside() / "elsewhere"));
        EXPECT_TRUE(fs::is_symlink(m_drive.HostPath("C:\\junk")));
        if (bToTrash)
            EXPECT_TRUE(fs::exists(Trash() / "files/a.tmp"));
        else
            EXPECT_TRUE(m_drive.Exists("C:\\Bak\\a.tmp"));
        // Kept for a later try: with the folder back, it goes back.
        fs::remove(m_drive.HostPath("C:\\junk"));
        fs::rename(m_drive.Outside() / "moved-away", m_drive.HostPath("C:\\junk"));
        EXPECT_EQ(1, UndoAfterRestart().nRestored);
        EXPECT_TRUE(m_drive.Exists("C:\\junk\\a.tmp"));
    }
}

// A folder deleted since is made again, inside folders reached without links.
TEST_F(UndoLastMovePosixTest, MissingOriginalFolderIsMadeAgain)
{
    MoveFiles({"C:\\junk\\deep\\a.tmp"});
    fs::remove_all(m_drive.HostPath("C:\\junk"));

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(1, report.nRestored);
    EXPECT_EQ("data of C:\\junk\\deep\\a.tmp", m_drive.ReadFile("C:\\junk\\deep\\a.tmp"));
}

// A link above the missing folder: no folder is made through it.
TEST_F(UndoLastMovePosixTest, MissingFolderBelowALinkIsNotMade)
{
    MoveFiles({"C:\\junk\\deep\\a.tmp"});
    fs::remove_all(m_drive.HostPath("C:\\junk"));
    fs::create_directories(m_drive.Outside() / "elsewhere");
    fs::create_directory_symlink(m_drive.Outside() / "elsewhere", m_drive.HostPath("C:\\junk"));

    const SUndoReport report = UndoAfterRestart();

    ASSERT_EQ(1u, report.stayed.size());
    EXPECT_EQ(EUndoStay::Unreachable, report.stayed[0].reason);
    EXPECT_EQ(0u, CountEntries(m_drive.Outside() / "elsewhere"));
    EXPECT_TRUE(m_drive.Exists("C:\\Bak\\a.tmp"));
}

// An undo whose record could not be rewritten: the files already back are
// counted as back, not as taken paths.
TEST_F(UndoLastMovePosixTest, FileAlreadyBackCountsAsPutBack)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    std::string strRecord;
    ASSERT_TRUE(m_platform.pRegistry->ReadRecord(MOVE_RECORD_NAME, strRecord));
    ASSERT_EQ(1, UndoAfterRestart().nRestored);
    ASSERT_TRUE(m_platform.pRegistry->ReplaceRecord(MOVE_RECORD_NAME, strRecord));

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(1, report.nRestored);
    EXPECT_TRUE(report.stayed.empty());
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
}

TEST_F(UndoLastMovePosixTest, FileGoneFromWhereItWasPutIsDropped)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    fs::remove(m_drive.HostPath("C:\\Bak\\a.tmp"));

    const SUndoReport report = UndoAfterRestart();

    ASSERT_EQ(1u, report.stayed.size());
    EXPECT_EQ(EUndoStay::Gone, report.stayed[0].reason);
    EXPECT_EQ(ELastPass::None, LastPassAfterRestart());
}

// A purge replaces the record: the command says a purge cannot be undone,
// and a later move pass replaces that again.
TEST_F(UndoLastMovePosixTest, PurgeCannotBeUndone)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    m_doc.Move = 1;
    AddFileRow("C:\\junk\\p.tmp");
    Run();
    ASSERT_FALSE(m_drive.Exists("C:\\junk\\p.tmp"));
    ASSERT_EQ(ELastPass::Purge, LastPassAfterRestart());

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(EUndoResult::LastWasPurge, report.result);
    EXPECT_TRUE(m_drive.Exists("C:\\Bak\\a.tmp")); // the move before it is no longer undone
    EXPECT_EQ(ELastPass::Purge, LastPassAfterRestart());

    m_doc.Move = 0;
    MoveFiles({"C:\\junk\\c.tmp"});
    EXPECT_EQ(ELastPass::Move, LastPassAfterRestart());
    EXPECT_EQ(1, UndoAfterRestart().nRestored);
    EXPECT_TRUE(m_drive.Exists("C:\\junk\\c.tmp"));
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
}

TEST_F(UndoLastMovePosixTest, DeclinedPurgeKeepsTheMoveRecord)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    m_doc.Move = 1;
    m_doc.WarnMe = 1;
    m_prompt.m_bAnswerYes = false;
    AddFileRow("C:\\junk\\p.tmp");
    Run();

    EXPECT_EQ(ELastPass::Move, LastPassAfterRestart());
}

TEST_F(UndoLastMovePosixTest, AnotherPassRunningTouchesNothing)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    SPlatform platform = CreatePlatform();
    const auto pLock =
        platform.pRegistry->TryLock(ERegistryHive::LocalMachine, CDisposal::DISPOSAL_LOCK_NAME);
    ASSERT_TRUE(pLock);

    const SUndoReport report = UndoAfterRestart();

    EXPECT_EQ(EUndoResult::Busy, report.result);
    EXPECT_FALSE(m_drive.Exists("C:\\junk\\a.tmp"));
    EXPECT_EQ(ELastPass::Move, LastPassAfterRestart());
}

// A writer killed while it writes the record leaves the old record whole;
// its temporary is never read and goes with the next write.
TEST_F(UndoLastMovePosixTest, RecordWriterKilledMidWriteLeavesTheOldRecord)
{
    MoveFiles({"C:\\junk\\a.tmp"});
    std::string strOld;
    ASSERT_TRUE(m_platform.pRegistry->ReadRecord(MOVE_RECORD_NAME, strOld));

    SMoveRecord big{ELastPass::Move, {}};
    for (int i = 0; i < 2000; ++i)
        big.files.push_back(SMovedFile{false, "C:\\junk\\f" + std::to_string(i) + ".tmp",
                                       "C:\\Bak\\f" + std::to_string(i) + ".tmp",
                                       SFileIdentity{1, 2, true}});
    ASSERT_GT(FormatMoveRecord(big).size(), 16384u);
    const int nSignal = RunKilledPastSize(16384,
                                          [&]
                                          {
                                              SPlatform platform = CreatePlatform();
                                              SaveMoveRecord(*platform.pRegistry, big);
                                          });
    ASSERT_EQ(SIGXFSZ, nSignal);

    std::string strNow;
    ASSERT_TRUE(m_platform.pRegistry->ReadRecord(MOVE_RECORD_NAME, strNow));
    EXPECT_EQ(strOld, strNow);
    std::vector<std::string> temporaries;
    for (const auto& entry : fs::directory_iterator(m_drive.RegistryFolder()))
        if (entry.path().filename().string().find(".tmp-") != std::string::npos)
            temporaries.push_back(entry.path().filename().string());
    ASSERT_EQ(1u, temporaries.size()); // the torn one, ignored

    EXPECT_EQ(1, UndoAfterRestart().nRestored);
    for (const auto& entry : fs::directory_iterator(m_drive.RegistryFolder()))
        EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp-"))
            << entry.path();
}

// A record cut short anywhere is no record.
TEST(MoveRecordTest, OnlyAWholeRecordIsRead)
{
    SMoveRecord record{ELastPass::Move, {}};
    SFileIdentity identity{7, 8, true, 9};
    identity.bStateKnown = true;
    identity.nSize = 10;
    identity.nWriteTime = -11;
    record.files.push_back(SMovedFile{true, "C:\\a\tb%\n.tmp", "/h/i/a.trashinfo", identity});
    record.files.push_back(SMovedFile{false, "C:\\c.tmp", "C:\\Bak\\c.tmp", identity});
    const std::string strText = FormatMoveRecord(record);

    SMoveRecord parsed;
    ASSERT_TRUE(ParseMoveRecord(strText, parsed));
    ASSERT_EQ(2u, parsed.files.size());
    EXPECT_EQ("C:\\a\tb%\n.tmp", parsed.files[0].strOriginal);
    EXPECT_TRUE(parsed.files[0].bTrash);
    EXPECT_EQ("C:\\Bak\\c.tmp", parsed.files[1].strNew);
    EXPECT_TRUE(IsUnchangedSince(parsed.files[1].identity, identity));
    EXPECT_EQ(-11, parsed.files[1].identity.nWriteTime);
    for (size_t nLength = 0; nLength < strText.size(); ++nLength)
        EXPECT_FALSE(ParseMoveRecord(strText.substr(0, nLength), parsed)) << nLength;
}
