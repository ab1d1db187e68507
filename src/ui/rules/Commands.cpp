#include "ui/rules/Commands.h"

#include "settings/EDisposalMode.h"

namespace
{
struct SCommandIdEntry
{
    ECommand command;
    uint32_t nId;
};
constexpr SCommandIdEntry COMMAND_IDS[] = {
    {ECommand::Search, 32771}, {ECommand::Options, 32772},    {ECommand::Cancel, 32773},
    {ECommand::Purge, 32774},  {ECommand::Move, 32775},       {ECommand::Exit, 57665},
    {ECommand::About, 57664},  {ECommand::HelpTopics, 57667},
};
} // namespace

uint32_t CommandId(ECommand command)
{
    for (const SCommandIdEntry& entry : COMMAND_IDS)
    {
        if (entry.command == command)
            return entry.nId;
    }
    return 0;
}

bool CommandFromId(uint32_t nId, ECommand& command)
{
    for (const SCommandIdEntry& entry : COMMAND_IDS)
    {
        if (entry.nId == nId)
        {
            command = entry.command;
            return true;
        }
    }
    return false;
}

bool IsCommandEnabled(ECommand command, ViewState state, int32_t nMove)
{
    switch (command)
    {
    case ECommand::Search:
        return state == ViewState::Idle;
    case ECommand::Purge:
        return state == ViewState::Results && DisposalModeOf(nMove) == EDisposalMode::Purge;
    case ECommand::Move:
        return state == ViewState::Results && DisposalModeOf(nMove) == EDisposalMode::Move;
    case ECommand::Cancel:
        return state == ViewState::Results;
    case ECommand::Options:
        return state == ViewState::Idle || state == ViewState::Results;
    case ECommand::Exit:
    case ECommand::About:
    case ECommand::HelpTopics:
        return true;
    }
    return false;
}

bool ListKeepsCommandKey(ECommand command)
{
    return command == ECommand::Move;
}

ESearchPress DecideSearchPress(ViewState state)
{
    return state == ViewState::Searching ? ESearchPress::RequestStop : ESearchPress::StartSearch;
}

bool IsListCommandEnabled(EListCommand command, const SListCommandContext& context)
{
    const bool bResults = context.state == ViewState::Results && context.nRows > 0;
    const bool bRowShown =
        (context.state == ViewState::Searching || context.state == ViewState::Results) &&
        context.nRows > 0 && context.bCurrentRow;
    switch (command)
    {
    case EListCommand::SortByColumn:
    case EListCommand::CheckAll:
    case EListCommand::UncheckAll:
    case EListCommand::InvertChecks:
    case EListCommand::ExportResults:
        return bResults;
    case EListCommand::ToggleSelected:
    case EListCommand::OpenFile:
    case EListCommand::OpenFolder:
    case EListCommand::CopyPath:
    case EListCommand::CopyHostPath:
        return bRowShown;
    case EListCommand::ExcludeName:
    case EListCommand::FilterFolder:
        return bResults && context.bCurrentRow;
    case EListCommand::ExcludeExtension:
        return bResults && context.bCurrentRow && context.bCurrentHasExtension;
    case EListCommand::UndoLastMove:
        return context.state == ViewState::Idle && context.lastPass != ELastPass::None;
    }
    return false;
}
