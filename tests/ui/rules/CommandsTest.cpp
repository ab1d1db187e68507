#include "ui/rules/Commands.h"

#include <gtest/gtest.h>
#include <map>
#include <string>

namespace
{
constexpr ViewState STATES[] = {ViewState::None, ViewState::Idle, ViewState::Searching,
                                ViewState::Results, ViewState::Disposing};

// Availability by state (None, Idle, Searching, Results, Disposing), for Move
// 1 (purge) and Move 0 (move).
struct SAvailability
{
    ECommand command;
    const char* pWithPurge; // one character per state: 1 available, 0 not
    const char* pWithMove;
};
const SAvailability AVAILABILITY[] = {
    {ECommand::Search, "01000", "01000"},  {ECommand::Purge, "00010", "00000"},
    {ECommand::Move, "00000", "00010"},    {ECommand::Cancel, "00010", "00010"},
    {ECommand::Options, "01010", "01010"}, {ECommand::Exit, "11111", "11111"},
    {ECommand::About, "11111", "11111"},   {ECommand::HelpTopics, "11111", "11111"},
};
} // namespace

TEST(CommandsTest, EveryCommandInEveryState)
{
    ASSERT_EQ(std::size(AVAILABILITY), ALL_COMMANDS.size());
    for (const SAvailability& row : AVAILABILITY)
    {
        for (size_t i = 0; i < std::size(STATES); ++i)
        {
            EXPECT_EQ(IsCommandEnabled(row.command, STATES[i], 1), row.pWithPurge[i] == '1')
                << "command " << CommandId(row.command) << " state " << i << " Move 1";
            EXPECT_EQ(IsCommandEnabled(row.command, STATES[i], 0), row.pWithMove[i] == '1')
                << "command " << CommandId(row.command) << " state " << i << " Move 0";
        }
    }
}

TEST(CommandsTest, OnlyMovesKeyBelongsToTheListWhileItHasTheFocus)
{
    for (ECommand command : ALL_COMMANDS)
        EXPECT_EQ(ListKeepsCommandKey(command), command == ECommand::Move)
            << "command " << CommandId(command);
}

TEST(CommandsTest, AnyNonZeroMoveMakesPurgeTheAvailableOne)
{
    // The disposal purges whenever Move is not 0, so Purge, not Move, is offered.
    for (int32_t nMove : {2, -1, 1000})
    {
        EXPECT_TRUE(IsCommandEnabled(ECommand::Purge, ViewState::Results, nMove)) << nMove;
        EXPECT_FALSE(IsCommandEnabled(ECommand::Move, ViewState::Results, nMove)) << nMove;
    }
}

TEST(CommandsTest, IdsRoundTripAndAreDistinct)
{
    const std::map<ECommand, uint32_t> expected = {
        {ECommand::Search, 32771}, {ECommand::Options, 32772},    {ECommand::Cancel, 32773},
        {ECommand::Purge, 32774},  {ECommand::Move, 32775},       {ECommand::Exit, 57665},
        {ECommand::About, 57664},  {ECommand::HelpTopics, 57667},
    };
    for (ECommand command : ALL_COMMANDS)
    {
        EXPECT_EQ(CommandId(command), expected.at(command));
        ECommand back = ECommand::Exit;
        ASSERT_TRUE(CommandFromId(CommandId(command), back));
        EXPECT_EQ(back, command);
    }
    ECommand unknown = ECommand::Search;
    EXPECT_FALSE(CommandFromId(57600, unknown)); // the framework's new document: not routed
    EXPECT_FALSE(CommandFromId(0, unknown));
}

TEST(CommandsTest, SearchPressStopsOnlyARunningSearch)
{
    for (ViewState state : STATES)
        EXPECT_EQ(DecideSearchPress(state), state == ViewState::Searching
                                                ? ESearchPress::RequestStop
                                                : ESearchPress::StartSearch);
}

// The list commands: whole-list ones only in Results with rows, row ones
// with a current row, the exclusions only once the search has ended, and
// nothing while the disposal walks the rows.
TEST(CommandsTest, ListCommandsByStateAndRow)
{
    // States None, Idle, Searching, Results, Disposing; with a current row
    // whose name has an extension.
    struct SListAvailability
    {
        EListCommand command;
        const char* pStates;
    };
    const SListAvailability AVAILABLE[] = {
        {EListCommand::SortByColumn, "00010"},     {EListCommand::CheckAll, "00010"},
        {EListCommand::UncheckAll, "00010"},       {EListCommand::InvertChecks, "00010"},
        {EListCommand::ToggleSelected, "00110"},   {EListCommand::OpenFile, "00110"},
        {EListCommand::OpenFolder, "00110"},       {EListCommand::CopyPath, "00110"},
        {EListCommand::CopyHostPath, "00110"},     {EListCommand::ExcludeName, "00010"},
        {EListCommand::ExcludeExtension, "00010"}, {EListCommand::FilterFolder, "00010"},
        {EListCommand::ExportResults, "00010"},    {EListCommand::UndoLastMove, "00000"},
    };
    ASSERT_EQ(std::size(AVAILABLE), ALL_LIST_COMMANDS.size());
    for (const SListAvailability& row : AVAILABLE)
    {
        for (size_t i = 0; i < std::size(STATES); ++i)
        {
            SListCommandContext context{STATES[i], 5, true, true};
            EXPECT_EQ(IsListCommandEnabled(row.command, context), row.pStates[i] == '1')
                << static_cast<int>(row.command) << " state " << i;
            // Without rows nothing is available.
            context.nRows = 0;
            EXPECT_FALSE(IsListCommandEnabled(row.command, context));
        }
    }
    // Without a current row the row commands go, the list's stay.
    const SListCommandContext noRow{ViewState::Results, 5, false, false};
    EXPECT_TRUE(IsListCommandEnabled(EListCommand::CheckAll, noRow));
    EXPECT_TRUE(IsListCommandEnabled(EListCommand::ExportResults, noRow));
    EXPECT_FALSE(IsListCommandEnabled(EListCommand::OpenFile, noRow));
    EXPECT_FALSE(IsListCommandEnabled(EListCommand::ExcludeName, noRow));
    EXPECT_FALSE(IsListCommandEnabled(EListCommand::ToggleSelected, noRow));
    // A name without an extension has no "*.ext" to exclude.
    const SListCommandContext noExtension{ViewState::Results, 5, true, false};
    EXPECT_FALSE(IsListCommandEnabled(EListCommand::ExcludeExtension, noExtension));
    EXPECT_TRUE(IsListCommandEnabled(EListCommand::ExcludeName, noExtension));
}

// Undo Last Move: in Idle only, and only with a last pass on record (a purge
// too: the command then says it cannot be undone); rows play no part.
TEST(CommandsTest, UndoLastMoveNeedsIdleAndARecordedPass)
{
    for (const ELastPass lastPass : {ELastPass::None, ELastPass::Purge, ELastPass::Move})
        for (size_t i = 0; i < std::size(STATES); ++i)
        {
            SListCommandContext context{STATES[i], 0, false, false, lastPass};
            const bool bWanted = STATES[i] == ViewState::Idle && lastPass != ELastPass::None;
            EXPECT_EQ(IsListCommandEnabled(EListCommand::UndoLastMove, context), bWanted)
                << static_cast<int>(lastPass) << " state " << i;
        }
}
