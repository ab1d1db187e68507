#pragma once

#include "ui/rules/ViewState.h"
#include "ui/rules/ViewTexts.h"

#include <cstdint>
#include <optional>
#include <string>

class CScrubixDoc;

// A form control's change on entering a state; an empty optional leaves that
// property as it was.
struct SControlChange
{
    std::optional<bool> bShown;
    std::optional<bool> bEnabled;
    std::optional<std::string> strText;

    bool operator==(const SControlChange&) const = default;
};

// What the effects of a state depend on, read by the caller on the UI thread
// just before it applies them.
struct SViewStateInputs
{
    int32_t nMove = 0;           // the document's Move: Action reads "Purge Files" unless 0
    std::string strSearchRoot;   // the document's SearchRoot, for the title
    bool bStopRequested = false; // the document's StopFlag when Results is entered
    int nRowCount = 0;           // rows in the results list when Results is entered
    bool bUnattended = false;    // an invisible-mode run whose window is hidden
};

// Everything SetViewState(n) does, as data. The caller (the Qt view) applies
// the control changes to its widgets, the text changes to its SViewTexts, the
// document changes through ApplyToDocument, clears the rows and the listed
// paths (CCandidateTable::Clear) when bDeleteAllRows is set, destroys the
// progress dialog when asked, and then, when followUp is not None, enters
// that state at once and shows strMessageAfter (when not empty) in a message
// box with an OK button. Entering a state does not push the texts to the
// labels; the caller pushes where the transition says so.
struct SViewStateEffects
{
    ViewState state = ViewState::None;

    SControlChange search; // button 1000
    SControlChange action; // button 1004
    SControlChange cancel; // button 1005
    bool bFocusAction = false;

    std::optional<bool> bCandidateFileShown;        // label 1008
    std::optional<bool> bCandidateCaptionShown;     // label 1010
    std::optional<bool> bSearchingPathShown;        // label 1007
    std::optional<bool> bSearchingPathCaptionShown; // label 1009

    // The bound strings; an empty optional leaves the string as it was.
    std::optional<std::string> strExtenCount;
    std::optional<std::string> strTotalSize;
    std::optional<std::string> strZeroCount;
    std::optional<std::string> strCandidateFile;
    std::optional<std::string> strSearchingPath;
    std::optional<std::string> strDirectedCount;

    std::optional<std::string> strTitle; // the main window's title; never restored

    bool bDestroyProgressDialog = false;
    bool bDeleteAllRows = false;    // the list rows go; with bClearListedPaths the table's Clear
    bool bClearListedPaths = false; // the set of listed paths is emptied

    bool bResetSearchCounters = false; // ExtenCount, ZeroCount, DirectedCount, TotalSize 0
    bool bReleaseSearchAcks = false;   // PathAck and CandidateAck 1
    bool bClearStopFlag = false;
    bool bReleaseDisposeAck = false; // m_bDisposeAck 1 (the disposal owner does it on Start)

    ViewState followUp = ViewState::None;
    std::string strMessageAfter;
};

// The effects of entering state with the given inputs. None yields no change
// at all. Results with an empty list follows up with Idle and, unless the run
// is unattended, "No candidates found.".
SViewStateEffects ComputeViewStateEffects(ViewState state, const SViewStateInputs& inputs);

// The texts' share of the effects.
void ApplyToTexts(const SViewStateEffects& effects, SViewTexts& texts);

// The document's share of the effects: counters, acknowledgement words (release
// ordering) and StopFlag. UI thread, while no worker writes the mailboxes.
void ApplyToDocument(const SViewStateEffects& effects, CScrubixDoc& doc);

inline constexpr const char* SEARCH_STOPPED_TEXT = "Search stopped by user request.";
inline constexpr const char* NO_CANDIDATES_TEXT = "No candidates found.";
