#include "ui/rules/ViewStateEffects.h"

#include "search/WaitForAck.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "settings/EDisposalMode.h"

#include <atomic>

namespace
{
void EnterIdle(SViewStateEffects& effects, const SViewStateInputs& inputs)
{
    effects.bDestroyProgressDialog = true;
    effects.bClearListedPaths = true;
    effects.bDeleteAllRows = true;
    effects.search = {std::nullopt, true, "Search"};
    effects.action = {false, std::nullopt,
                      DisposalModeOf(inputs.nMove) == EDisposalMode::Purge ? "Purge Files"
                                                                           : "Move Files"};
    effects.cancel = {false, std::nullopt, std::nullopt};
    effects.bCandidateFileShown = false;
    effects.bSearchingPathShown = false;
    effects.bCandidateCaptionShown = false;
    effects.bSearchingPathCaptionShown = false;
    effects.strExtenCount = "0";
    effects.strTotalSize = "0";
    effects.strZeroCount = "0";
    effects.strDirectedCount = "0";
    effects.strCandidateFile = "";
    effects.strSearchingPath = "";
}

void EnterSearching(SViewStateEffects& effects, const SViewStateInputs& inputs)
{
    effects.strTitle = std::string(APP_NAME) + " - " + inputs.strSearchRoot;
    effects.strCandidateFile = "";
    effects.bCandidateFileShown = true;
    effects.bCandidateCaptionShown = true;
    effects.strSearchingPath = "";
    effects.bSearchingPathShown = true;
    effects.bSearchingPathCaptionShown = true;
    effects.action.bShown = false;
    effects.cancel.bShown = false;
    effects.search.bEnabled = false;
    effects.bDeleteAllRows = true;
    effects.bResetSearchCounters = true;
    effects.bReleaseSearchAcks = true;
}

void EnterResults(SViewStateEffects& effects, const SViewStateInputs& inputs)
{
    effects.action.bShown = true;
    effects.action.bEnabled = true;
    effects.cancel.bShown = true;
    effects.cancel.bEnabled = true;
    effects.bFocusAction = true;
    effects.bCandidateFileShown = false;
    effects.bSearchingPathShown = false;
    effects.bCandidateCaptionShown = false;
    effects.bSearchingPathCaptionShown = false;
    effects.search.strText = "Search";
    effects.search.bEnabled = false;
    if (inputs.bStopRequested)
    {
        effects.bCandidateFileShown = true;
        effects.strCandidateFile = SEARCH_STOPPED_TEXT;
        effects.bClearStopFlag = true;
    }
    if (inputs.nRowCount <= 0)
    {
        effects.followUp = ViewState::Idle;
        if (!inputs.bUnattended)
            effects.strMessageAfter = NO_CANDIDATES_TEXT;
    }
}

void EnterDisposing(SViewStateEffects& effects)
{
    effects.bReleaseDisposeAck = true;
    effects.bCandidateFileShown = false;
    effects.action.bEnabled = false;
    effects.cancel.bEnabled = false;
}
} // namespace

SViewStateEffects ComputeViewStateEffects(ViewState state, const SViewStateInputs& inputs)
{
    SViewStateEffects effects;
    effects.state = state;
    switch (state)
    {
    case ViewState::Idle:
        EnterIdle(effects, inputs);
        break;
    case ViewState::Searching:
        EnterSearching(effects, inputs);
        break;
    case ViewState::Results:
        EnterResults(effects, inputs);
        break;
    case ViewState::Disposing:
        EnterDisposing(effects);
        break;
    case ViewState::None:
        break;
    }
    return effects;
}

void ApplyToTexts(const SViewStateEffects& effects, SViewTexts& texts)
{
    const auto apply = [](const std::optional<std::string>& change, std::string& strText)
    {
        if (change)
            strText = *change;
    };
    apply(effects.strExtenCount, texts.strExtenCount);
    apply(effects.strTotalSize, texts.strTotalSize);
    apply(effects.strZeroCount, texts.strZeroCount);
    apply(effects.strCandidateFile, texts.strCandidateFile);
    apply(effects.strSearchingPath, texts.strSearchingPath);
    apply(effects.strDirectedCount, texts.strDirectedCount);
}

void ApplyToDocument(const SViewStateEffects& effects, CScrubixDoc& doc)
{
    if (effects.bResetSearchCounters)
    {
        doc.ExtenCount = 0;
        doc.ZeroCount = 0;
        doc.DirectedCount = 0;
        doc.TotalSize = 0.0;
    }
    if (effects.bReleaseSearchAcks)
    {
        SetAck(doc.PathAck);
        SetAck(doc.CandidateAck);
    }
    if (effects.bClearStopFlag)
        doc.StopFlag.store(0, std::memory_order_release);
}
