#include "ui/rules/ViewStateEffects.h"

#include "ShellTestFixture.h"
#include "search/CCandidateTable.h"
#include "settings/CScrubixDoc.h"

#include <gtest/gtest.h>

namespace
{
using std::nullopt;

SViewStateInputs Inputs(int32_t nMove, int nRows = 5, bool bStop = false, bool bUnattended = false)
{
    SViewStateInputs inputs;
    inputs.nMove = nMove;
    inputs.strSearchRoot = "D:";
    inputs.nRowCount = nRows;
    inputs.bStopRequested = bStop;
    inputs.bUnattended = bUnattended;
    return inputs;
}

// The labels 1008, 1010, 1007, 1009 in that order.
struct SLabels
{
    std::optional<bool> bCandidate, bCandidateCaption, bPath, bPathCaption;
};
void ExpectLabels(const SViewStateEffects& effects, const SLabels& labels)
{
    EXPECT_EQ(effects.bCandidateFileShown, labels.bCandidate);
    EXPECT_EQ(effects.bCandidateCaptionShown, labels.bCandidateCaption);
    EXPECT_EQ(effects.bSearchingPathShown, labels.bPath);
    EXPECT_EQ(effects.bSearchingPathCaptionShown, labels.bPathCaption);
}
} // namespace

TEST(ViewStateEffectsTest, IdleResetsEverythingAndLabelsActionByMove)
{
    for (int32_t nMove : {0, 1, 2})
    {
        const SViewStateEffects effects = ComputeViewStateEffects(ViewState::Idle, Inputs(nMove));
        EXPECT_EQ(effects.search, (SControlChange{nullopt, true, "Search"}));
        EXPECT_EQ(effects.action,
                  (SControlChange{false, nullopt, nMove != 0 ? "Purge Files" : "Move Files"}));
        EXPECT_EQ(effects.cancel, (SControlChange{false, nullopt, nullopt}));
        ExpectLabels(effects, {false, false, false, false});
        EXPECT_EQ(effects.strExtenCount, "0");
        EXPECT_EQ(effects.strTotalSize, "0");
        EXPECT_EQ(effects.strZeroCount, "0");
        EXPECT_EQ(effects.strDirectedCount, "0");
        EXPECT_EQ(effects.strCandidateFile, "");
        EXPECT_EQ(effects.strSearchingPath, "");
        EXPECT_TRUE(effects.bDestroyProgressDialog);
        EXPECT_TRUE(effects.bClearListedPaths);
        EXPECT_TRUE(effects.bDeleteAllRows);
        EXPECT_FALSE(effects.strTitle.has_value());
        EXPECT_FALSE(effects.bResetSearchCounters);
        EXPECT_FALSE(effects.bFocusAction);
        EXPECT_EQ(effects.followUp, ViewState::None);
        EXPECT_EQ(effects.strMessageAfter, "");
    }
}

TEST(ViewStateEffectsTest, SearchingTitlesTheWindowAndPreparesTheHandshake)
{
    const SViewStateEffects effects = ComputeViewStateEffects(ViewState::Searching, Inputs(1));
    EXPECT_EQ(effects.strTitle, "Scrubix - D:");
    EXPECT_EQ(effects.search, (SControlChange{nullopt, false, nullopt}));
    EXPECT_EQ(effects.action, (SControlChange{false, nullopt, nullopt}));
    EXPECT_EQ(effects.cancel, (SControlChange{false, nullopt, nullopt}));
    ExpectLabels(effects, {true, true, true, true});
    EXPECT_EQ(effects.strCandidateFile, "");
    EXPECT_EQ(effects.strSearchingPath, "");
    EXPECT_FALSE(effects.strExtenCount.has_value()); // the counters' texts stay until pushed
    EXPECT_TRUE(effects.bDeleteAllRows);
    EXPECT_FALSE(effects.bClearListedPaths); // only Idle empties the listed paths
    EXPECT_TRUE(effects.bResetSearchCounters);
    EXPECT_TRUE(effects.bReleaseSearchAcks);
    EXPECT_FALSE(effects.bDestroyProgressDialog);
}

TEST(ViewStateEffectsTest, ResultsOffersTheActionUnlessTheListIsEmpty)
{
    struct SResultsCase
    {
        int nRows;
        bool bStop;
        bool bUnattended;
        SLabels labels;
        std::optional<std::string> strCandidate;
        ViewState followUp;
        const char* pMessage;
    };
    const SResultsCase cases[] = {
        {3, false, false, {false, false, false, false}, nullopt, ViewState::None, ""},
        {3, true, false, {true, false, false, false}, SEARCH_STOPPED_TEXT, ViewState::None, ""},
        {0,
         false,
         false,
         {false, false, false, false},
         nullopt,
         ViewState::Idle,
         NO_CANDIDATES_TEXT},
        {0,
         true,
         false,
         {true, false, false, false},
         SEARCH_STOPPED_TEXT,
         ViewState::Idle,
         NO_CANDIDATES_TEXT},
        {0, false, true, {false, false, false, false}, nullopt, ViewState::Idle, ""},
        {3, false, true, {false, false, false, false}, nullopt, ViewState::None, ""},
    };
    for (const SResultsCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << "rows " << c.nRows << " stop " << c.bStop
                                          << " unattended " << c.bUnattended);
        const SViewStateEffects effects =
            ComputeViewStateEffects(ViewState::Results, Inputs(1, c.nRows, c.bStop, c.bUnattended));
        EXPECT_EQ(effects.search, (SControlChange{nullopt, false, "Search"}));
        EXPECT_EQ(effects.action, (SControlChange{true, true, nullopt}));
        EXPECT_EQ(effects.cancel, (SControlChange{true, true, nullopt}));
        EXPECT_TRUE(effects.bFocusAction);
        ExpectLabels(effects, c.labels);
        EXPECT_EQ(effects.strCandidateFile, c.strCandidate);
        EXPECT_EQ(effects.bClearStopFlag, c.bStop);
        EXPECT_EQ(effects.followUp, c.followUp);
        EXPECT_EQ(effects.strMessageAfter, c.pMessage);
        EXPECT_FALSE(effects.bDeleteAllRows);
    }
}

TEST(ViewStateEffectsTest, DisposingOnlyFreezesTheButtons)
{
    const SViewStateEffects effects = ComputeViewStateEffects(ViewState::Disposing, Inputs(0));
    EXPECT_EQ(effects.action, (SControlChange{nullopt, false, nullopt}));
    EXPECT_EQ(effects.cancel, (SControlChange{nullopt, false, nullopt}));
    EXPECT_EQ(effects.search, SControlChange{});
    ExpectLabels(effects, {false, nullopt, nullopt, nullopt});
    EXPECT_TRUE(effects.bReleaseDisposeAck);
    EXPECT_FALSE(effects.bDeleteAllRows);
    EXPECT_FALSE(effects.strCandidateFile.has_value());
    EXPECT_EQ(effects.followUp, ViewState::None);
}

TEST(ViewStateEffectsTest, NoneChangesNothing)
{
    SViewTexts texts{"1", "2", "3", "4", "5", "6"};
    const SViewTexts before = texts;
    const SViewStateEffects effects = ComputeViewStateEffects(ViewState::None, Inputs(1));
    ApplyToTexts(effects, texts);
    EXPECT_EQ(texts, before);
    EXPECT_EQ(effects.search, SControlChange{});
    EXPECT_FALSE(effects.bDeleteAllRows);
}

TEST(ViewStateEffectsTest, TextsFollowTheEffectsAndKeepWhatTheyLeaveAlone)
{
    SViewTexts texts{"7", "9K bytes", "2", "C:\\a.tmp", "C:\\dir", "1"};
    ApplyToTexts(ComputeViewStateEffects(ViewState::Results, Inputs(1, 3, true)), texts);
    EXPECT_EQ(texts, (SViewTexts{"7", "9K bytes", "2", SEARCH_STOPPED_TEXT, "C:\\dir", "1"}));
    ApplyToTexts(ComputeViewStateEffects(ViewState::Idle, Inputs(1)), texts);
    EXPECT_EQ(texts, (SViewTexts{"0", "0", "0", "", "", "0"}));
}

class ViewStateDocumentTest : public ShellTest
{
protected:
    CScrubixDoc m_doc{m_store, m_fileSystem};
};

TEST_F(ViewStateDocumentTest, SearchingZeroesTheCountersAndHandsBothMailboxesBack)
{
    m_doc.ExtenCount = 4;
    m_doc.ZeroCount = 2;
    m_doc.DirectedCount = 1;
    m_doc.TotalSize = 1234.5;
    m_doc.PathAck.store(0);
    m_doc.CandidateAck.store(0);
    m_doc.StopFlag.store(1);
    ApplyToDocument(ComputeViewStateEffects(ViewState::Searching, Inputs(1)), m_doc);
    EXPECT_EQ(m_doc.ExtenCount, 0);
    EXPECT_EQ(m_doc.ZeroCount, 0);
    EXPECT_EQ(m_doc.DirectedCount, 0);
    EXPECT_EQ(m_doc.TotalSize, 0.0);
    EXPECT_EQ(m_doc.PathAck.load(), 1);
    EXPECT_EQ(m_doc.CandidateAck.load(), 1);
    EXPECT_EQ(m_doc.StopFlag.load(), 1); // a stop asked for before the thread starts holds
}

TEST_F(ViewStateDocumentTest, ResultsClearsAStopOnlyWhenOneWasAsked)
{
    m_doc.ExtenCount = 4;
    m_doc.StopFlag.store(1);
    ApplyToDocument(ComputeViewStateEffects(ViewState::Results, Inputs(1, 2, true)), m_doc);
    EXPECT_EQ(m_doc.StopFlag.load(), 0);
    EXPECT_EQ(m_doc.ExtenCount, 4); // the results keep their counters

    m_doc.PathAck.store(0);
    ApplyToDocument(ComputeViewStateEffects(ViewState::Idle, Inputs(1)), m_doc);
    ApplyToDocument(ComputeViewStateEffects(ViewState::Disposing, Inputs(1)), m_doc);
    EXPECT_EQ(m_doc.PathAck.load(), 0);
    EXPECT_EQ(m_doc.ExtenCount, 4);
}

TEST_F(ViewStateDocumentTest, CandidateTextsComeFromTheRowAndTheCounters)
{
    struct SCandidate
    {
        const char* pPath;
        int32_t nReason;
        double dSize;
        const char* pTotal;
    };
    const SCandidate candidates[] = {
        {"C:\\a.tmp", REASON_EXTENSION, 999, "0K bytes"},
        {"C:\\b.tmp", REASON_EXTENSION, 1, "1K bytes"},
        {"C:\\empty", REASON_ZERO_LENGTH, 0, "1K bytes"},
        {"C:\\c.bak", REASON_DIRECTED, 1001, "2K bytes"},
    };
    CCandidateTable table;
    SViewTexts texts;
    for (const SCandidate& candidate : candidates)
    {
        m_doc.CandidateAck.store(0);
        m_doc.CandidatePath = candidate.pPath;
        m_doc.CandidateReason = candidate.nReason;
        m_doc.CandidateSize = candidate.dSize;
        ASSERT_TRUE(table.AddCandidateRow(m_doc));
        m_doc.CandidatePath = "C:\\the next one"; // the worker may refill the mailbox at once
        ApplyCandidateTexts(table.Rows().back(), m_doc, texts);
        EXPECT_EQ(texts.strCandidateFile, candidate.pPath);
        EXPECT_EQ(texts.strTotalSize, candidate.pTotal);
    }
    EXPECT_EQ(texts, (SViewTexts{"2", "2K bytes", "1", "C:\\c.bak", "", "1"}));
}
