#include "shell/Commands.h"

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
