#pragma once

#include "settings/CScrubixDoc.h"
#include "ui/rules/ViewState.h"

#include <cstdint>
#include <string>
#include <vector>

// The Options sheet's pages, in tab order.
enum class EOptionsPage
{
    Excludes,
    Filters,
    Directeds,
    FilesToDelete,
    FoldersToDelete,
    Extensions,
    PurgeMove,
    RunOptions,
    OtherSettings,
    Age, // after the nine pages the program always had
};

// The pages the sheet shows in a view state: all ten while idle, only
// Purge/Move otherwise (the sheet is offered only while idle or showing
// results).
std::vector<EOptionsPage> OptionsPagesFor(ViewState state);
const char* OptionsPageCaption(EOptionsPage page);
// Whether a page edits one of the document's rule lists, and which.
bool IsListPage(EOptionsPage page);
int ListKindOf(EOptionsPage page);

// The scalar settings the sheet passes into its pages and back.
struct SOptionsValues
{
    int32_t ExcludeCase = 1;
    int32_t IE = 0;
    int32_t IEURL = 0;
    int32_t Move = 0;
    int32_t RecycleRadio = 0;
    int32_t WarnMe = 1;
    int32_t Overwrite = 0;
    std::string MovePath;
    int32_t Visible = 1;
    int32_t Run = 0;
    int32_t Anomaly = 0;
    int32_t Deletereadonly = 0;
    int32_t Zero = 0;
    int32_t Scroll = 0;
    int32_t MinAge = 0;

    bool operator==(const SOptionsValues&) const = default;
};

// Copy-in before the sheet is shown: every value, from the document.
SOptionsValues CopyIntoSheet(const CScrubixDoc& doc);
// Copy-out after OK: the Purge/Move values in every state, the values of the
// other pages only when the sheet was opened while idle.
void CopyOutOfSheet(const SOptionsValues& values, ViewState state, CScrubixDoc& doc);

// The Action button's text after the sheet: "Purge Files" unless Move is 0.
const char* ActionButtonText(int32_t Move);
